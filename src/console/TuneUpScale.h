// The Calibration chart's bottom-axis maximum for a signal maximum in millivolts.
#pragma once

namespace console {

// The first of 0.1, 0.5, 1, 5, 10, 50, ... above trunc(10 x maximum) / 10, at most 10^6;
// the axis increment is a fifth of it.
double TuneUpAxisMaximum(double maximum);

} // namespace console
