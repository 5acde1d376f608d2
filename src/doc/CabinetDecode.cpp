// The cabinet file's readers: the current layout (versions 0 and 1) and the
// earlier 16-bit one. Every read is checked against the end of the bytes.
#include "doc/CabinetFile.h"

#include <cstring>

namespace {

constexpr size_t kSettingsSize = 164; // 41 values
constexpr size_t kRecordFixed = 65;   // a current record without its path
constexpr size_t kOldSettingsSize = 102;
constexpr size_t kOldRecordFixed = 33;
constexpr size_t kMaxNames = 200;
constexpr size_t kMaxNameLength = 30; // longer names are dropped

// A cursor over the bytes that refuses to move past their end.
class CReader
{
public:
    CReader(std::string_view bytes, size_t pos) : m_bytes(bytes), m_nPos(pos) {}

    size_t pos() const { return m_nPos; }
    bool atEnd() const { return m_nPos >= m_bytes.size(); }
    bool has(size_t n) const { return m_nPos <= m_bytes.size() && m_bytes.size() - m_nPos >= n; }

    std::optional<uint32_t> u32() { return number(4); }
    std::optional<uint32_t> u16() { return number(2); }
    std::optional<int32_t> s16()
    {
        const auto v = number(2);
        return v ? std::optional<int32_t>(static_cast<int16_t>(*v)) : std::nullopt;
    }
    std::optional<uint8_t> u8()
    {
        const auto v = number(1);
        return v ? std::optional<uint8_t>(static_cast<uint8_t>(*v)) : std::nullopt;
    }
    // A zero-terminated string; the cursor moves past the NUL.
    std::optional<std::string> text()
    {
        if (atEnd())
            return std::nullopt;
        const size_t nul = m_bytes.find('\0', m_nPos);
        if (nul == std::string_view::npos)
            return std::nullopt;
        std::string s(m_bytes.substr(m_nPos, nul - m_nPos));
        m_nPos = nul + 1;
        return s;
    }
    bool copy(void* out, size_t n)
    {
        if (!has(n))
            return false;
        std::memcpy(out, m_bytes.data() + m_nPos, n);
        m_nPos += n;
        return true;
    }

private:
    std::optional<uint32_t> number(size_t n)
    {
        if (!has(n))
            return std::nullopt;
        uint32_t v = 0;
        for (size_t i = 0; i < n; ++i)
            v |= uint32_t(static_cast<uint8_t>(m_bytes[m_nPos + i])) << (8 * i);
        m_nPos += n;
        return v;
    }

    std::string_view m_bytes;
    size_t m_nPos;
};

bool IsBackgroundColour(int index)
{
    return index == kCabFirstColour || index == kCabFirstColour + 1 || index == kCabLastColour;
}

// The colours of version 0 and of the 16-bit layout are palette numbers 1 to
// 16; the backgrounds carry bit 15 over the number.
bool ColoursArePaletteNumbers(const CabinetValues& v)
{
    for (int i = kCabFirstColour; i <= kCabLastColour; ++i) {
        const uint32_t flag = IsBackgroundColour(i) ? 0x8000 : 0;
        const uint32_t number = static_cast<uint32_t>(v[i]) - flag;
        if ((v[i] & 0x8000) != flag || number < 1 || number > 16)
            return false;
    }
    return true;
}

void ConvertPaletteNumbers(CabinetValues& v, CabinetPalette palette)
{
    for (int i = kCabFirstColour; i <= kCabLastColour; ++i) {
        const uint32_t rgb = palette(v[i] & 0x7FFF) & 0xFFFFFF;
        v[i] = static_cast<int32_t>(IsBackgroundColour(i) ? rgb | 0x80000000u : rgb);
    }
}

bool SettingsInRange(const CabinetValues& v)
{
    return v[kCabFoldColumn] >= 10 && v[kCabFoldColumn] <= 250
        && (v[kCabWordWrap] == 0 || v[kCabWordWrap] == 1)
        && static_cast<uint32_t>(v[kCabDocumentType]) < 3;
}

// The name list: count N (already read), then N names, which must all fit.
std::optional<std::vector<std::string>> ReadNames(CReader& in, uint32_t count, int32_t declared)
{
    if (count > kMaxNames || count != static_cast<uint32_t>(declared))
        return std::nullopt;
    std::vector<std::string> names;
    for (uint32_t i = 0; i < count; ++i) {
        const auto name = in.text();
        if (!name)
            return std::nullopt;
        if (name->size() <= kMaxNameLength)
            names.push_back(*name);
    }
    return names;
}

std::optional<CabinetFilterList> ReadFilterList(CReader& in)
{
    const auto count = in.u32();
    if (!count)
        return std::nullopt;
    CabinetFilterList list;
    for (uint32_t i = 0; i < *count; ++i) {
        auto name = in.text();
        auto pattern = name ? in.text() : std::nullopt;
        if (!pattern)
            return std::nullopt;
        if (list.size() < CabinetContent::kMaxFilters)
            list.push_back({std::move(*name), std::move(*pattern)});
    }
    return list;
}

// What follows the names: one value (0 when missing); when more bytes follow,
// the filter lists, then two values (1 when missing). A filter section that
// runs past the end leaves the built-in lists and the defaults.
void ReadTail(CReader& in, CabinetContent& c)
{
    if (const auto v = in.u32())
        c.valueAfterNames = static_cast<int32_t>(*v);
    if (in.atEnd())
        return;
    CabinetFilterLists lists;
    for (CabinetFilterList& list : lists) {
        auto read = ReadFilterList(in);
        if (!read)
            return;
        list = std::move(*read);
    }
    c.filters = std::move(lists);
    for (int32_t& value : c.lastValues)
        if (const auto v = in.u32())
            value = static_cast<int32_t>(*v);
}

std::optional<CabinetDocument> ReadRecord(CReader& in)
{
    CabinetDocument d;
    auto path = in.text();
    uint32_t placement[11];
    if (!path || !in.has(kRecordFixed - 1))
        return std::nullopt;
    d.path = std::move(*path);
    for (uint32_t& field : placement)
        field = *in.u32();
    d.placement = {placement[0], placement[1], placement[2],
                   static_cast<int32_t>(placement[3]), static_cast<int32_t>(placement[4]),
                   static_cast<int32_t>(placement[5]), static_cast<int32_t>(placement[6]),
                   static_cast<int32_t>(placement[7]), static_cast<int32_t>(placement[8]),
                   static_cast<int32_t>(placement[9]), static_cast<int32_t>(placement[10])};
    d.active = *in.u32() == 1;
    const uint32_t flags = *in.u32();
    d.readOnly = (flags & 1) != 0;
    const uint32_t mode = (flags >> 8) & 0xFF;
    d.mode = mode == 2 ? 2 : 1;
    d.firstLine = static_cast<int32_t>(*in.u32());
    d.caret = static_cast<int32_t>(*in.u32());
    d.caretLine = static_cast<int32_t>(*in.u32());
    return d;
}

std::optional<CabinetDocument> ReadOldRecord(CReader& in)
{
    CabinetDocument d;
    auto path = in.text();
    int32_t placement[11];
    if (!path || !in.has(kOldRecordFixed - 1))
        return std::nullopt;
    d.path = std::move(*path);
    for (int32_t& field : placement)
        field = *in.s16();
    // Widened to the 32-bit record, whose length field says so.
    d.placement = {44, static_cast<uint32_t>(placement[1]), static_cast<uint32_t>(placement[2]),
                   placement[3], placement[4], placement[5], placement[6],
                   placement[7], placement[8], placement[9], placement[10]};
    d.active = *in.s16() == 1;
    d.readOnly = (*in.u8() & 1) != 0;
    in.u8(); // unused
    d.mode = 0;
    d.firstLine = *in.s16();
    d.caret = *in.s16();
    d.caretLine = *in.s16();
    return d;
}

// Walks `count` records from the cursor; they must end exactly at `end`.
template <typename ReadOne>
std::optional<std::vector<CabinetDocument>> ReadRecords(CReader in, uint32_t count, size_t end,
                                                       ReadOne readOne)
{
    if (count > CabinetContent::kMaxDocuments)
        return std::nullopt;
    std::vector<CabinetDocument> docs;
    for (uint32_t i = 0; i < count; ++i) {
        auto d = readOne(in);
        if (!d || in.pos() > end)
            return std::nullopt;
        docs.push_back(std::move(*d));
    }
    if (in.pos() != end)
        return std::nullopt;
    return docs;
}

std::optional<CabinetContent> DecodeCurrent(std::string_view bytes, CabinetPalette palette)
{
    CReader in(bytes, 0);
    const auto head = in.u32();
    const auto start = in.u32();
    if (bytes.size() < 176 || !head || !start)
        return std::nullopt;
    const uint32_t version = *head >> 24;
    const size_t settingsAt = *start;
    if (version > 1 || settingsAt > bytes.size() || bytes.size() - settingsAt < kSettingsSize + 4)
        return std::nullopt;

    CReader settings(bytes, settingsAt);
    CabinetValues v{};
    for (int32_t& value : v)
        value = static_cast<int32_t>(*settings.u32());
    if (!SettingsInRange(v) || (version == 0 && !ColoursArePaletteNumbers(v)))
        return std::nullopt;
    auto names = ReadNames(settings, *settings.u32(), v[kCabNameCount]);
    auto docs = ReadRecords(in, *head & 0xFFFFFF, settingsAt, ReadRecord);
    if (!names || !docs)
        return std::nullopt;

    if (version == 0)
        ConvertPaletteNumbers(v, palette);
    CabinetContent c;
    c.settings.setValues(v);
    c.settings.keywords.names = std::move(*names);
    c.documents = std::move(*docs);
    ReadTail(settings, c);
    return c;
}

std::optional<CabinetContent> DecodeOld(std::string_view bytes, CabinetPalette palette)
{
    CReader in(bytes, 0);
    const auto count = in.u16();
    const auto start = in.u16();
    if (bytes.size() < 108 || !count || !start || *start + kOldSettingsSize + 2 > bytes.size())
        return std::nullopt;

    CReader settings(bytes, *start);
    CabinetValues v{};
    for (int i = 0; i <= 30; ++i)
        v[i] = *settings.s16();
    if (!SettingsInRange(v))
        return std::nullopt;
    for (int i = kCabFirstColour; i <= kCabLastColour; ++i)
        v[i] &= 0xFFFF; // the background flag is bit 15, not a sign
    if (!ColoursArePaletteNumbers(v))
        return std::nullopt;
    // The font record's one-byte fields and face name follow as they are.
    LogFontRecord font;
    font.lfHeight = v[26];
    font.lfWidth = v[27];
    font.lfEscapement = v[28];
    font.lfOrientation = v[29];
    font.lfWeight = v[30];
    settings.copy(&font.lfItalic, kOldSettingsSize - 62);
    std::memcpy(&v[kCabFirstFontValue], &font, sizeof font);

    auto names = ReadNames(settings, *settings.u16(), v[kCabNameCount]);
    auto docs = ReadRecords(in, *count, *start, ReadOldRecord);
    if (!names || !docs)
        return std::nullopt;

    ConvertPaletteNumbers(v, palette);
    CabinetContent c;
    c.settings.setValues(v);
    c.settings.keywords.names = std::move(*names);
    c.documents = std::move(*docs);
    return c;
}

} // namespace

std::optional<CabinetContent> DecodeCabinet(std::string_view bytes, CabinetPalette palette)
{
    if (bytes.size() >= kCabinetBufferSize)
        return std::nullopt;
    if (auto c = DecodeCurrent(bytes, palette))
        return c;
    return DecodeOld(bytes, palette);
}
