// On Linux the window needs an X11 or Wayland display, unless a Qt platform is chosen by hand
// (QT_QPA_PLATFORM=offscreen, for example): then Qt answers for it.
#include "app/DisplayAvailable.h"

#include <cstdlib>
#include <initializer_list>

namespace app {

bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

} // namespace app
