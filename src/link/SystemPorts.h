// The system's serial ports as spooler-style names ("COM3:"), asked afresh on every call so
// that ports plugged in later are found.
#pragma once

#include <string>
#include <vector>

namespace detlink {

std::vector<std::string> SystemPortNames();

} // namespace detlink
