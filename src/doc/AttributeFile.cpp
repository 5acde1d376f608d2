#include "doc/AttributeFile.h"

#include "platform/CAtomicFileWriter.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "platform/Messages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr uint8_t kCr = 0x0D;

#if defined(_WIN32)
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";
#endif

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool EqualsAtrIgnoringCase(const std::string& s)
{
    return s.size() == 3 && (s[0] | 0x20) == 'a' && (s[1] | 0x20) == 't' && (s[2] | 0x20) == 'r';
}

// Reads the whole of a little-endian record without ever leaving it.
class CRecordReader
{
public:
    CRecordReader(const uint8_t* bytes, size_t n) : m_pBytes(bytes), m_nSize(n) {}

    bool Has(size_t n) const { return n <= m_nSize - m_nPos; }
    size_t Position() const { return m_nPos; }
    uint16_t U16() { const uint16_t v = uint16_t(m_pBytes[m_nPos] | m_pBytes[m_nPos + 1] << 8); m_nPos += 2; return v; }
    uint32_t U32()
    {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | m_pBytes[m_nPos + i];
        m_nPos += 4;
        return v;
    }
    // Length of the zero-terminated string at the position when its NUL lies
    // within the record and at most maxLength bytes ahead.
    std::optional<size_t> TerminatedLength(size_t maxLength) const
    {
        const size_t window = std::min(maxLength + 1, m_nSize - m_nPos);
        const void* nul = std::memchr(m_pBytes + m_nPos, 0, window);
        if (!nul)
            return std::nullopt;
        return static_cast<size_t>(static_cast<const uint8_t*>(nul) - (m_pBytes + m_nPos));
    }
    const uint8_t* Here() const { return m_pBytes + m_nPos; }
    void Skip(size_t n) { m_nPos += n; }

private:
    const uint8_t* m_pBytes;
    size_t m_nSize;
    size_t m_nPos = 0;
};

void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

} // namespace

std::optional<std::string> CAttributeFile::NameFor(const std::string& dataPath)
{
    const size_t slash = dataPath.find_last_of(kSeparators);
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // Look back over at most four characters of the file name for a dot.
    size_t pos = dataPath.size();
    for (int chars = 0; chars < 4 && pos > nameStart; ++chars) {
        --pos;
        while (pos > nameStart && IsUtf8Continuation(dataPath[pos]))
            --pos;
        if (dataPath[pos] == '.') {
            if (EqualsAtrIgnoringCase(dataPath.substr(pos + 1)))
                return std::nullopt;
            return dataPath.substr(0, pos + 1) + "ATR";
        }
    }
    return dataPath + ".ATR";
}

CAttributeFile::Probe CAttributeFile::ProbeFile(const std::string& name)
{
    std::error_code ec;
    if (!fs::is_regular_file(name, ec))
        return Probe::None;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return Probe::None;
    std::vector<uint8_t> bytes(kBufferSize);
    const size_t n = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    const bool ours = n >= kMagicSize && std::memcmp(bytes.data(), kMagic, kMagicSize) == 0;
    return ours ? Probe::Ours : Probe::Foreign;
}

std::vector<uint8_t> CAttributeFile::Build() const
{
    std::vector<uint8_t> out(kMagic, kMagic + kMagicSize);
    const auto marks = g_cabinet.bSaveMarks ? m_doc.TextMarks() : std::span<const uint32_t>{};
    PutU16(out, static_cast<uint32_t>(marks.size()));
    for (const uint32_t mark : marks)
        PutU32(out, mark);
    const auto tags = g_cabinet.bSaveTags ? m_doc.Tags() : std::span<const CTagRecord>{};
    PutU16(out, static_cast<uint32_t>(tags.size()));
    for (const CTagRecord& tag : tags) {
        PutU32(out, tag.nOffset);
        const void* nul = std::memchr(tag.name, 0, CTagRecord::kMaxName);
        const size_t length = nul ? size_t(static_cast<const char*>(nul) - tag.name) : CTagRecord::kMaxName;
        out.insert(out.end(), tag.name, tag.name + length);
        out.push_back(0);
    }
    return out;
}

CAttributeFile::ParseResult CAttributeFile::Parse(const uint8_t* bytes, size_t n)
{
    if (n < kMagicSize || std::memcmp(bytes, kMagic, kMagicSize) != 0)
        return ParseResult::NotOurs;
    CRecordReader in(bytes, n);
    in.Skip(kMagicSize);
    const auto reject = [this] {
        m_doc.SetAttributes({}, {});
        return ParseResult::Rejected;
    };
    if (!in.Has(2))
        return reject();
    const uint16_t markCount = in.U16();
    if (markCount > CLumoDoc::kMaxMarks || !in.Has(size_t{markCount} * 4))
        return reject();
    std::array<uint32_t, CLumoDoc::kMaxMarks> marks{};
    for (uint16_t i = 0; i < markCount; ++i) {
        marks[i] = in.U32();
        const bool onCr = marks[i] < m_doc.DataSize() && m_doc.GetAt(marks[i]) == kCr;
        if (marks[i] != CLumoDoc::kFirstLineMark && !onCr)
            return reject();
    }
    if (!in.Has(2))
        return reject();
    const uint16_t tagCount = in.U16();
    if (tagCount > CLumoDoc::kMaxTags)
        return reject();
    std::array<CTagRecord, CLumoDoc::kMaxTags> tags{};
    for (uint16_t i = 0; i < tagCount; ++i) {
        if (!in.Has(4))
            return reject();
        tags[i].nOffset = in.U32();
        const std::optional<size_t> length = in.TerminatedLength(CTagRecord::kMaxName);
        if (tags[i].nOffset >= m_doc.DataSize() || !length || *length == 0)
            return reject();
        tags[i].nLength = static_cast<int32_t>(*length);
        std::memcpy(tags[i].name, in.Here(), *length);
        in.Skip(*length + 1);
    }
    m_doc.SetAttributes(std::span(marks).first(markCount), std::span(tags).first(tagCount));
    return ParseResult::Accepted;
}

void CAttributeFile::Read(const std::string& dataPath)
{
    const std::optional<std::string> name = NameFor(dataPath);
    if (!name)
        return;
    std::error_code ec;
    const fs::file_status status = fs::status(*name, ec);
    if (status.type() == fs::file_type::not_found)
        return;
    // Anything but a regular file could block the open or never end.
    std::FILE* file = fs::is_regular_file(status) ? std::fopen(name->c_str(), "rb") : nullptr;
    if (!file) {
        ShowMessage(StringId::IdsAttrReadError);
        return;
    }
    std::vector<uint8_t> bytes(kBufferSize);
    const size_t n = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        ShowMessage(StringId::IdsAttrReadError);
        return;
    }
    if (Parse(bytes.data(), n) == ParseResult::Rejected)
        ShowMessage(StringId::IdsAttrMismatch);
}

bool CAttributeFile::Write(const std::string& dataPath)
{
    if (!g_cabinet.bSaveMarks && !g_cabinet.bSaveTags)
        return true;
    const bool hasAttributes = !m_doc.TextMarks().empty() || !m_doc.Tags().empty();
    const std::optional<std::string> name = NameFor(dataPath);
    if (!name) {
        // With nothing to keep there is no side file to make, so nothing to refuse.
        if (!hasAttributes)
            return true;
        ShowMessage(StringId::IdsAttrSameExtension);
        return false;
    }
    const Probe probe = ProbeFile(*name);
    if (!hasAttributes) {
        std::error_code ec;
        if (probe == Probe::Ours)
            fs::remove(*name, ec); // a failure to delete does not fail the save
        return true;
    }
    if (probe == Probe::Foreign
        && ShowMessage(StringId::IdsAttrForeignOverwrite, MsgButtons::OkCancel, MsgIcon::Question)
               != MsgAnswer::Ok)
        return false;
    const std::vector<uint8_t> record = Build();
    if (!CAtomicFileWriter::WriteWhole(*name, record.data(), record.size())) {
        ShowMessage(StringId::IdsAttrWriteError);
        return false;
    }
    return true;
}
