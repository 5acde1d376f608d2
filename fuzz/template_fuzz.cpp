// Template files and selections of any bytes: parsing and the table text never
// read outside either. Both sit in heap buffers of exactly their size, so the
// address sanitizer sees a read one byte past the end.
#include "binpane/TemplateFormat.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes tell where the template ends and the selection starts.
    const size_t split = std::min<size_t>(size - 2, static_cast<size_t>(data[0]) << 8 | data[1]);
    const size_t selected = size - 2 - split;
    const auto templateBytes = std::make_unique<char[]>(split);
    const auto selection = std::make_unique<uint8_t[]>(selected);
    std::memcpy(templateBytes.get(), data + 2, split);
    std::memcpy(selection.get(), data + 2 + split, selected);

    const TemplateParse parse = ParseTemplate(std::string_view(templateBytes.get(), split));
    if (parse.problem == TemplateProblem::None
        && (parse.entries.empty() || parse.entries.size() > kMaxTemplateEntries))
        std::abort();
    const std::string table = FormatTemplateTable("t", parse.entries, { selection.get(), selected });
    if (!table.starts_with("t\r\n") || !table.ends_with("\r\n\r\n"))
        std::abort();
    return 0;
}
