// Measures the oscillogram chart's update with a full repaint: one accepted oscillogram update,
// then a synchronous repaint of the whole shown widget, offscreen, at the chart's size in the
// window, with 1,280 points per series. Goal: under 0.5 ms (goal_ms beside the figure).
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>

#include "console/chart/ChartWidget.h"
#include "oscillogram/OscillogramControls.h"
#include "support/FakeClock.h"
#include "support/FakePictures.h"
#include "support/QuietOscillogramPorts.h"

namespace {

using namespace oscillogram;

// The oscillogram chart's size in the window at its smallest (and starting) size.
constexpr int kChartWidth = 649;
constexpr int kChartHeight = 315;
constexpr double kGoalMs = 0.5;

void BM_OscillogramUpdateAndFullRepaint(benchmark::State& state) {
    testing_support::FakeClock clock;
    testing_support::QuietOscillogramWindow window;
    testing_support::DroppedLogLines log;
    testing_support::FixedThresholdLevels levels{20, 20, 40};
    chart::ChartModel chart;
    testing_support::FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    Oscillogram osc(chart, clock, window, log, levels, events, '.');
    OscillogramControls controls(osc, chart, levels);
    ControlInputs in{"10", kChartWidth, false};
    controls.iSecondsPerPage = 128;
    controls.RecalcMaxPointsPerPage(in);
    detlink::DetectorStatus status{};
    status.w2.aver = 400;
    // A slow swing with jitter that crosses the pre-alarm levels now and then, so the line
    // runs steep and flat and every marker series fills.
    auto step = [&](int i) {
        const double swing = 100 * std::sin(i / 40.0) + 12 * std::sin(i * 2.3);
        status.w1.sig = static_cast<std::uint16_t>(400 + swing);
        clock.AdvanceSeconds(0.1);
        osc.UpdateOscillogram(status, status);
    };
    int i = 0;
    while (i < 2 * osc.MaxPointsPerPage)
        step(i++);
    console::ChartWidget widget(chart);
    widget.resize(kChartWidth, kChartHeight);
    widget.show();
    QApplication::processEvents();
    for (auto _ : state) {
        step(i++);
        widget.repaint();
    }
    state.counters["points"] = static_cast<double>(chart.At(serRangeSignal).Count());
    state.counters["goal_ms"] = kGoalMs;
}
BENCHMARK(BM_OscillogramUpdateAndFullRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
