// The guidance rule under the console's names.
#pragma once

#include "catalogue/Guidance.h"

namespace console {

using catalogue::GuidanceEntry;

} // namespace console
