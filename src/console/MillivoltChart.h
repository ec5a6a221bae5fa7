// The look the Calibration and Setup charts share: a millivolt axis along the bottom under a
// hidden fixed vertical axis, a signal bar across the chart and thin marker lines.
#pragma once

#include "chart/ChartModel.h"

#include <cstdint>

namespace console {

// Readies the empty model: the vertical axis from 0 to height, the bottom axis in millivolts.
void SetUpMillivoltChart(chart::ChartModel& chart, double height, double axisMaximum);
// The bottom axis from 0 to maximum, labelled in fifths.
void SetMillivoltAxis(chart::ChartModel& chart, double maximum);
// The signal as a bar filling its row, starting at (x, y).
chart::Series& AddSignalBar(chart::ChartModel& chart, std::uint32_t colour, double x, double y);
// A marker as a line standing from the bottom to height at x.
chart::Series& AddMarkerLine(chart::ChartModel& chart, std::uint32_t colour, double x,
                             double height);

} // namespace console
