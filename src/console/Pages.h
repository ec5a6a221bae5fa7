// The window's pages under the console's names.
#pragma once

#include "catalogue/Pages.h"

namespace console {

using catalogue::kPageCount;
using catalogue::Page;

} // namespace console
