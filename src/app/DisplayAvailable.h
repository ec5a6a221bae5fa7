// Whether the window has a display to open on, asked before the toolkit starts, which aborts
// the process without one.
#pragma once

namespace app {

bool DisplayAvailable();

} // namespace app
