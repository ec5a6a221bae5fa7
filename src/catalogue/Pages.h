// The five pages of the main window, in tab order.
#pragma once

namespace catalogue {

enum class Page { About, TuneUp, Sense, Range, Params };

inline constexpr int kPageCount = 5;

} // namespace catalogue
