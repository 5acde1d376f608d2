// TabPosition and WindowPos texts of any content: a text that parses writes
// back to one that parses to the same value.
#include "app/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto stops = ParseTabPosition(text)) {
        const auto again = ParseTabPosition(FormatTabPosition(*stops));
        if (!again || *again != *stops)
            std::abort();
    }
    if (const auto placement = ParseWindowPos(text)) {
        const auto again = ParseWindowPos(FormatWindowPos(*placement));
        if (!again || *again != *placement)
            std::abort();
    }
    return 0;
}
