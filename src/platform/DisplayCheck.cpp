#include "platform/DisplayCheck.h"

#include <cstdlib>

namespace platform {

bool HasDisplay()
{
#if defined(__unix__) && !defined(__APPLE__)
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    // An explicit platform plugin (offscreen, vnc, ...) needs no display server.
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace platform
