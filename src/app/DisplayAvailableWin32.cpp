// On Windows every session that can start a program has a desktop to show its window on.
#include "app/DisplayAvailable.h"

namespace app {

bool DisplayAvailable() {
    return true;
}

} // namespace app
