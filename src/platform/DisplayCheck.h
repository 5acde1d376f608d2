// Whether a window can be shown at all. Without a display Qt would abort at
// start with a long trace; the program says so in one line instead.
#pragma once

namespace platform {

bool HasDisplay();

} // namespace platform
