// Whatever arrives on the hand-off channel: the parser takes only one usable
// name (with its line and column), and every request it takes is made again
// byte for byte.
#include "app/InstanceMessage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto request = ParseOpenRequest(text)) {
        if (!IsTransferableName(request->name) || request->line < 0 || request->column < 0
            || MakeOpenRequest(*request) != text)
            std::abort();
    }
    if (IsTransferableName(text)) {
        const OpenRequest placed{std::string(text), static_cast<int32_t>(size % 1000), static_cast<int32_t>(size % 7)};
        const std::string request = MakeOpenRequest(placed);
        const auto back = ParseOpenRequest(request);
        if (!back || *back != placed || request.size() > MaxOpenRequestLength())
            std::abort();
    }
    return 0;
}
