// The application object's names, set once before the main window is made.
#pragma once

namespace console {

void SetUpApplication();

} // namespace console
