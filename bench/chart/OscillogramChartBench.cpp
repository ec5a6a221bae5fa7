// Measures the oscillogram chart's update with a full repaint: one accepted oscillogram update,
// then a synchronous repaint of the whole shown widget, offscreen, at the chart's size in the
// window, with 1,280 points per series. Goal: under 0.5 ms (goal_ms beside the figure).
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>

#include "console/chart/ChartWidget.h"
#include "support/OscillogramFullPage.h"

namespace {

using namespace oscillogram;

// The oscillogram chart's size in the window at its smallest (and starting) size.
constexpr int kChartWidth = 649;
constexpr int kChartHeight = 315;
constexpr double kGoalMs = 0.5;

void BM_OscillogramUpdateAndFullRepaint(benchmark::State& state) {
    testing_support::OscillogramFullPage page(kChartWidth);
    // A slow swing with jitter that crosses the pre-alarm levels now and then, so the line
    // runs steep and flat and every marker series fills.
    auto step = [&](int i) {
        const double swing = 100 * std::sin(i / 40.0) + 12 * std::sin(i * 2.3);
        page.Step(static_cast<int>(400 + swing));
    };
    int i = 0;
    while (i < 2 * page.osc.MaxPointsPerPage)
        step(i++);
    console::ChartWidget widget(page.chart);
    widget.resize(kChartWidth, kChartHeight);
    widget.show();
    QApplication::processEvents();
    for (auto _ : state) {
        step(i++);
        widget.repaint();
    }
    state.counters["points"] = static_cast<double>(page.chart.At(serRangeSignal).Count());
    state.counters["goal_ms"] = kGoalMs;
}
BENCHMARK(BM_OscillogramUpdateAndFullRepaint)->Unit(benchmark::kMillisecond);

} // namespace
