// The rule that picks the guidance note from the page in front and the detector's state.
#pragma once

#include "console/Pages.h"

#include <optional>

namespace console {

// The note entry to show, or nothing when the note is to stay as it is.
std::optional<int> GuidanceEntry(Page page, int state, int dis, int reg);

} // namespace console
