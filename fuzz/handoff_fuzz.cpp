// Whatever arrives on the hand-off channel: the parser takes only one usable
// name, and every name it takes travels back through the request unchanged.
#include "app/InstanceMessage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto name = ParseOpenRequest(text)) {
        if (!IsTransferableName(*name) || MakeOpenRequest(*name) != text)
            std::abort();
    }
    if (IsTransferableName(text)) {
        const std::string request = MakeOpenRequest(text);
        const auto back = ParseOpenRequest(request);
        if (!back || *back != text || request.size() > MaxOpenRequestLength())
            std::abort();
    }
    return 0;
}
