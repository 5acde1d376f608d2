// Cabinet files of any content: the reader never reads outside the bytes, and
// what it accepts and the writer takes reads back the same.
#include "doc/CabinetFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

uint32_t Palette(int index)
{
    return 0x010101u * static_cast<uint32_t>(index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size); // exact size: any overread is caught
    const auto content = DecodeCabinet(bytes, Palette);
    if (!content)
        return 0;
    if (const auto written = EncodeCabinet(*content)) {
        const auto again = DecodeCabinet(*written, Palette);
        if (!again || EncodeCabinet(*again) != written)
            std::abort();
    }
    return 0;
}
