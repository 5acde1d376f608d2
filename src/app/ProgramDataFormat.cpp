#include "app/ProgramDataFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <span>

namespace {

constexpr uint32_t kHelpContext = 57669; // stored as 57668 in the toolbar list
constexpr uint32_t kHelpContextInFile = 57668;
constexpr size_t kOldTemplateBytes = 82;
constexpr size_t kNoLimit = std::numeric_limits<size_t>::max();

// Reads little-endian fields in order. The first read past the end, or a
// string over its limit, fails the reader for good; later reads give zeros.
class CFieldReader
{
public:
    explicit CFieldReader(std::string_view bytes) : m_bytes(bytes) {}

    bool ok() const { return m_bOk; }
    size_t remaining() const { return m_bOk ? m_bytes.size() - m_nPos : 0; }
    void fail() { m_bOk = false; }

    bool raw(void* out, size_t size)
    {
        if (!m_bOk || remaining() < size) {
            m_bOk = false;
            std::memset(out, 0, size);
            return false;
        }
        std::memcpy(out, m_bytes.data() + m_nPos, size);
        m_nPos += size;
        return true;
    }
    uint32_t u32() { return static_cast<uint32_t>(number(4)); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    uint16_t u16() { return static_cast<uint16_t>(number(2)); }
    int16_t i16() { return static_cast<int16_t>(u16()); }

    // A NUL-terminated string of at most maxChars bytes before its NUL.
    std::string text(size_t maxChars = kNoLimit)
    {
        const size_t end = m_bOk ? m_bytes.find('\0', m_nPos) : std::string_view::npos;
        if (end == std::string_view::npos || end - m_nPos > maxChars) {
            m_bOk = false;
            return {};
        }
        std::string result(m_bytes.substr(m_nPos, end - m_nPos));
        m_nPos = end + 1;
        return result;
    }
    // A fixed field holding a NUL-terminated text; its last byte counts as the NUL.
    std::string field(size_t size)
    {
        std::string bytes(size, '\0');
        raw(bytes.data(), size);
        return bytes.substr(0, std::min(bytes.find('\0'), size - 1));
    }
    std::string rest()
    {
        std::string result(m_bytes.substr(m_bOk ? m_nPos : m_bytes.size()));
        m_nPos = m_bytes.size();
        return result;
    }

private:
    uint64_t number(size_t size)
    {
        uint8_t bytes[4] = {};
        raw(bytes, size);
        uint64_t value = 0;
        for (size_t i = size; i-- > 0;)
            value = value << 8 | bytes[i];
        return value;
    }

    std::string_view m_bytes;
    size_t m_nPos = 0;
    bool m_bOk = true;
};

// The header: 32-bit numbers in the current layout, 16-bit in the older one.
struct HeaderCounts
{
    uint32_t size = 0;
    uint32_t find = 0, replace = 0, third = 0;
};

HeaderCounts ReadHeader(CFieldReader& in, bool old, ProgramData& data)
{
    auto number = [&in, old]() -> int32_t { return old ? in.i16() : in.i32(); };
    HeaderCounts counts;
    counts.size = old ? in.u16() : in.u32();
    PageLayout& page = data.page;
    if (old) {
        page.font = LogFontRecord();
        page.font.lfHeight = in.i16();
        page.font.lfWidth = in.i16();
        page.font.lfEscapement = in.i16();
        page.font.lfOrientation = in.i16();
        page.font.lfWeight = in.i16();
        // The eight single bytes and the face name lie together, as in the record.
        in.raw(&page.font.lfItalic, offsetof(LogFontRecord, lfFaceName) - offsetof(LogFontRecord, lfItalic) +
                                        sizeof page.font.lfFaceName);
    } else {
        in.raw(&page.font, sizeof page.font);
    }
    page.marginLeft = number();
    page.marginTop = number();
    page.marginRight = number();
    page.marginBottom = number();
    page.printLineNumbers = number();
    page.firstLineNumber = old ? in.u16() : static_cast<uint16_t>(in.u32());
    page.firstPageNumber = number();
    page.headerOn = number();
    page.headerPosition = number();
    page.headerTemplate = in.field(old ? kOldTemplateBytes : kTemplateFieldBytes);
    page.footerOn = number();
    page.footerPosition = number();
    page.footerTemplate = in.field(old ? kOldTemplateBytes : kTemplateFieldBytes);
    page.lineSpacing = number();
    page.charSpacing = number();
    counts.find = static_cast<uint32_t>(number());
    counts.replace = static_cast<uint32_t>(number());
    counts.third = static_cast<uint32_t>(number());
    data.findOptionBits = static_cast<uint32_t>(old ? in.u16() : in.u32());
    data.findOptionValue = number();
    data.searchDown = number();
    in.raw(data.reserved.data(), data.reserved.size());
    return counts;
}

void ReadHistory(CFieldReader& in, uint32_t count, size_t maxChars, std::vector<std::string>& out)
{
    if (count > kMaxDataHistory) {
        in.fail();
        return;
    }
    out.clear();
    for (uint32_t i = 0; i < count && in.ok(); ++i)
        out.push_back(in.text(maxChars));
}

// Reads `count` items while the reader holds; more than `limit` fails it.
template<typename ReadItem>
auto ReadList(CFieldReader& in, size_t limit, ReadItem readItem)
{
    std::vector<decltype(readItem())> items;
    const uint32_t count = in.u32();
    if (count > limit)
        in.fail();
    for (uint32_t i = 0; i < count && in.ok(); ++i)
        items.push_back(readItem());
    return items;
}

void ReadCustomLists(CFieldReader& in, ProgramData& data)
{
    auto tools = ReadList(in, kMaxDataTools, [&in] {
        UserTool tool;
        for (std::string& text : tool.texts)
            text = in.text();
        for (uint32_t& value : tool.values)
            value = in.u32();
        return tool;
    });
    auto commands = ReadList(in, kNoLimit, [&in] {
        UserCommand command;
        command.id = in.u32();
        for (std::string& text : command.texts)
            text = in.text();
        for (uint32_t& value : command.values)
            value = in.u32();
        return command;
    });
    auto toolbar = ReadList(in, kNoLimit, [&in] {
        const uint32_t id = in.u32();
        return id == kHelpContextInFile ? kHelpContext : id;
    });
    // The toolbar holds 50 buttons; a longer list loses its end.
    if (toolbar.size() > kMaxDataToolbarButtons)
        toolbar.resize(kMaxDataToolbarButtons);
    data.tools = std::move(tools);
    data.commands = std::move(commands);
    data.toolbar = std::move(toolbar);
}

// Sections 2 and 4 are this program's own blocks: a 32-bit length and the bytes.
std::string ReadBlock(CFieldReader& in)
{
    const uint32_t size = in.u32();
    if (size > in.remaining()) {
        in.fail();
        return {};
    }
    std::string bytes(size, '\0');
    in.raw(bytes.data(), size);
    return bytes;
}

void ReadSections(CFieldReader& in, ProgramData& data)
{
    if (in.remaining())
        ReadCustomLists(in, data);
    if (in.remaining())
        data.lineExtraction = ReadBlock(in);
    if (in.remaining())
        for (uint32_t& colour : data.customColours)
            colour = in.u32();
    if (in.remaining())
        data.freeConversion = ReadBlock(in);
    if (in.remaining())
        data.contextMenu = ReadList(in, kMaxDataContextItems, [&in] { return in.i32(); });
    if (in.remaining())
        data.stringList = ReadList(in, kMaxDataStrings, [&in] { return in.text(); });
    data.tail = in.rest();
}

std::optional<ProgramData> Parse(std::string_view bytes, const ProgramData& defaults, bool old)
{
    const size_t headerSize = old ? kOldDataHeaderSize : kDataHeaderSize;
    if (bytes.size() < headerSize || bytes.size() >= kDataFileLimit)
        return std::nullopt;
    ProgramData data = defaults;
    CFieldReader in(bytes);
    const HeaderCounts counts = ReadHeader(in, old, data);
    if (counts.size != bytes.size())
        return std::nullopt;
    ReadHistory(in, counts.find, kMaxFindHistoryChars, data.findHistory);
    ReadHistory(in, counts.replace, kMaxFindHistoryChars, data.replaceHistory);
    ReadHistory(in, counts.third, kMaxThirdHistoryChars, data.thirdHistory);
    if (!old) // the older layout ends with its strings; anything after them is ignored
        ReadSections(in, data);
    if (!in.ok())
        return std::nullopt;
    return data;
}

// Appends little-endian fields.
class CFieldWriter
{
public:
    void raw(const void* bytes, size_t size) { m_out.append(static_cast<const char*>(bytes), size); }
    void u32(uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
    void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
    // The text up to any NUL it holds, then the NUL.
    void text(const std::string& value) { m_out.append(value.c_str(), std::strlen(value.c_str()) + 1); }
    void field(const std::string& value, size_t size)
    {
        std::string bytes(size, '\0');
        value.copy(bytes.data(), std::min(std::strlen(value.c_str()), size - 1));
        m_out += bytes;
    }
    void block(const std::string& bytes)
    {
        u32(static_cast<uint32_t>(bytes.size()));
        m_out += bytes;
    }
    std::string& out() { return m_out; }

private:
    std::string m_out;
};

// The entries a history can store: at most 20, none longer than maxChars.
std::vector<std::string> Storable(const std::vector<std::string>& history, size_t maxChars)
{
    std::vector<std::string> kept;
    for (const std::string& entry : history)
        if (kept.size() < kMaxDataHistory && std::strlen(entry.c_str()) <= maxChars)
            kept.push_back(entry);
    return kept;
}

template<typename T>
std::span<const T> Head(const std::vector<T>& items, size_t limit)
{
    return std::span<const T>(items.data(), std::min(items.size(), limit));
}

using StoredHistories = std::array<std::vector<std::string>, 3>;

void WriteHeader(CFieldWriter& out, const ProgramData& data, const StoredHistories& histories)
{
    const PageLayout& page = data.page;
    out.u32(0); // the size, set at the end
    out.raw(&page.font, sizeof page.font);
    for (const int32_t value : {page.marginLeft, page.marginTop, page.marginRight, page.marginBottom,
                                page.printLineNumbers, static_cast<int32_t>(page.firstLineNumber),
                                page.firstPageNumber, page.headerOn, page.headerPosition})
        out.i32(value);
    out.field(page.headerTemplate, kTemplateFieldBytes);
    out.i32(page.footerOn);
    out.i32(page.footerPosition);
    out.field(page.footerTemplate, kTemplateFieldBytes);
    out.i32(page.lineSpacing);
    out.i32(page.charSpacing);
    for (const auto& history : histories)
        out.u32(static_cast<uint32_t>(history.size()));
    out.u32(data.findOptionBits);
    out.i32(data.findOptionValue);
    out.i32(data.searchDown);
    out.raw(data.reserved.data(), data.reserved.size());
}

void WriteSections(CFieldWriter& out, const ProgramData& data)
{
    const auto tools = Head(data.tools, kMaxDataTools);
    out.u32(static_cast<uint32_t>(tools.size()));
    for (const UserTool& tool : tools) {
        for (const std::string& text : tool.texts)
            out.text(text);
        for (const uint32_t value : tool.values)
            out.u32(value);
    }
    out.u32(static_cast<uint32_t>(data.commands.size()));
    for (const UserCommand& command : data.commands) {
        out.u32(command.id);
        for (const std::string& text : command.texts)
            out.text(text);
        for (const uint32_t value : command.values)
            out.u32(value);
    }
    const auto toolbar = Head(data.toolbar, kMaxDataToolbarButtons);
    out.u32(static_cast<uint32_t>(toolbar.size()));
    for (const uint32_t id : toolbar)
        out.u32(id == kHelpContext ? kHelpContextInFile : id);
    out.block(data.lineExtraction);
    for (const uint32_t colour : data.customColours)
        out.u32(colour);
    out.block(data.freeConversion);
    const auto items = Head(data.contextMenu, kMaxDataContextItems);
    out.u32(static_cast<uint32_t>(items.size()));
    for (const int32_t id : items)
        out.i32(id);
    const auto strings = Head(data.stringList, kMaxDataStrings);
    out.u32(static_cast<uint32_t>(strings.size()));
    for (const std::string& text : strings)
        out.text(text);
    out.raw(data.tail.data(), data.tail.size());
}

} // namespace

std::optional<ProgramData> ParseProgramData(std::string_view bytes, const ProgramData& defaults)
{
    // A current file's 32-bit size field also reads as a right 16-bit one, so
    // one that breaks a rule would pass for an older file of zero histories.
    // An older file has its font's height where the upper half of that field
    // lies, which is never 0: only a size field that misses is tried that way.
    if (bytes.size() >= 4 && bytes[2] == 0 && bytes[3] == 0)
        return Parse(bytes, defaults, false);
    return Parse(bytes, defaults, true);
}

std::optional<std::string> BuildProgramData(const ProgramData& data)
{
    const StoredHistories histories = {
        Storable(data.findHistory, kMaxFindHistoryChars),
        Storable(data.replaceHistory, kMaxFindHistoryChars),
        Storable(data.thirdHistory, kMaxThirdHistoryChars),
    };
    CFieldWriter out;
    WriteHeader(out, data, histories);
    for (const auto& history : histories)
        for (const std::string& entry : history)
            out.text(entry);
    WriteSections(out, data);
    std::string& bytes = out.out();
    if (bytes.size() >= kDataFileLimit)
        return std::nullopt;
    const auto size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(size >> (8 * i) & 0xFF);
    return std::move(bytes);
}
