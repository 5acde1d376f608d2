// Program data files of any content: the reader never reads outside the
// bytes, and what it accepts writes back to a file that reads the same.
#include "app/ProgramDataFormat.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ProgramData defaults;
    defaults.toolbar = {57600, 0, 57669};
    defaults.contextMenu = {-1};
    const std::string bytes(reinterpret_cast<const char*>(data), size); // exact size: any overread is caught
    const auto read = ParseProgramData(bytes, defaults);
    if (!read)
        return 0;
    const auto written = BuildProgramData(*read);
    if (!written || ParseProgramData(*written, ProgramData()) != read)
        std::abort();
    return 0;
}
