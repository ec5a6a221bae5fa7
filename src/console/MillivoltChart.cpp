// The millivolt charts' axes and series.
#include "console/MillivoltChart.h"

namespace console {

namespace {
// Bar widths in percent of the space a point has: the signal fills it, a marker is a line.
constexpr int kFullBar = 100;
constexpr int kLineBar = 1;
} // namespace

void SetUpMillivoltChart(chart::ChartModel& chart, double height, double axisMaximum) {
    chart.leftAxis.visible = false;
    chart.leftAxis.SetMinMax(0, height);
    chart.leftAxis.gridVisible = false;
    chart.bottomAxis.title = "mV";
    chart.bottomAxis.gridVisible = false;
    SetMillivoltAxis(chart, axisMaximum);
}

void SetMillivoltAxis(chart::ChartModel& chart, double maximum) {
    chart.bottomAxis.SetMinMax(0, maximum);
    chart.bottomAxis.increment = maximum * 0.2;
}

chart::Series& AddSignalBar(chart::ChartModel& chart, std::uint32_t colour, double x, double y) {
    chart::Series& bar = chart.AddSeries(chart::SeriesKind::HorizBar, colour);
    bar.SetBarWidth(kFullBar);
    bar.Add(x, y, colour);
    return bar;
}

chart::Series& AddMarkerLine(chart::ChartModel& chart, std::uint32_t colour, double x,
                             double height) {
    chart::Series& line = chart.AddSeries(chart::SeriesKind::Bar, colour);
    line.SetBarWidth(kLineBar);
    line.Add(x, height, colour);
    return line;
}

} // namespace console
