// The application object's names and icon, set once before the main window is made.
#pragma once

namespace console {

void SetUpApplication();

} // namespace console
