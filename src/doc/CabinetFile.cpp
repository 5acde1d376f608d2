// The cabinet file's writer, and reading and writing the file itself.
#include "doc/CabinetFile.h"
#include "platform/AtomicFile.h"
#include "platform/Messages.h"

#include <algorithm>

namespace {

// The mode a record keeps: any but binary reads back as text.
int StoredMode(int mode)
{
    return mode == 2 ? 2 : 1;
}

void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(v >> (8 * i)));
}

void PutText(std::string& out, const std::string& text)
{
    out += text;
    out.push_back('\0');
}

void PutRecord(std::string& out, const CabinetDocument& d)
{
    PutText(out, d.path);
    const WindowPlacement& p = d.placement;
    for (const uint32_t field : {p.length, p.flags, p.showCmd})
        PutU32(out, field);
    for (const int32_t field : {p.minX, p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom})
        PutU32(out, static_cast<uint32_t>(field));
    PutU32(out, d.active ? 1 : 0);
    PutU32(out, static_cast<uint32_t>(StoredMode(d.mode)) * 256 + (d.readOnly ? 1 : 0));
    for (const int32_t position : {d.firstLine, d.caret, d.caretLine})
        PutU32(out, static_cast<uint32_t>(position));
}

// Only a version 0 file asks for colours, and the writer makes version 1.
uint32_t NoPalette(int)
{
    return 0;
}

} // namespace

std::optional<std::string> EncodeCabinet(const CabinetContent& c)
{
    const size_t count = std::min(c.documents.size(), CabinetContent::kMaxDocuments);
    std::string records;
    for (size_t i = 0; i < count; ++i)
        PutRecord(records, c.documents[i]);
    std::string out;
    PutU32(out, 1u << 24 | static_cast<uint32_t>(count));
    PutU32(out, static_cast<uint32_t>(8 + records.size()));
    out += records;

    for (const int32_t value : c.settings.values())
        PutU32(out, static_cast<uint32_t>(value));
    PutU32(out, static_cast<uint32_t>(c.settings.keywords.names.size()));
    for (const std::string& name : c.settings.keywords.names)
        PutText(out, name);
    PutU32(out, static_cast<uint32_t>(c.valueAfterNames));
    for (const CabinetFilterList& list : c.filters) {
        PutU32(out, static_cast<uint32_t>(list.size()));
        for (const CabinetFilter& filter : list) {
            PutText(out, filter.name);
            PutText(out, filter.pattern);
        }
    }
    for (const int32_t value : c.lastValues)
        PutU32(out, static_cast<uint32_t>(value));

    // What the reader would refuse or change is not written: the next start
    // would lose the whole set.
    CabinetContent written = c;
    written.documents.resize(count);
    for (CabinetDocument& d : written.documents)
        d.mode = StoredMode(d.mode);
    if (DecodeCabinet(out, NoPalette) != written)
        return std::nullopt;
    return out;
}

std::optional<CabinetContent> LoadCabinet(const std::string& path, CabinetPalette palette)
{
    const SmallFile file = ReadSmallFile(path, kCabinetBufferSize);
    if (file.status != SmallFileStatus::Read && file.status != SmallFileStatus::TooLarge)
        return std::nullopt;
    auto content = file.status == SmallFileStatus::Read ? DecodeCabinet(file.content, palette)
                                                        : std::nullopt;
    if (!content)
        ShowMessage(StringId::IdsCabinetInvalid);
    return content;
}

bool SaveCabinet(const std::string& path, const CabinetContent& content)
{
    const auto bytes = EncodeCabinet(content);
    return bytes && WriteFileAtomic(path, *bytes);
}
