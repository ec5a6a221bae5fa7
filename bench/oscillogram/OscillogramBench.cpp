// Measures one accepted oscillogram update (arg 0) and update plus repaint (arg 1) on a full
// 128 s page; goal: under 0.5 ms, 1 % of the 1/19 s between updates.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "console/chart/ChartWidget.h"
#include "oscillogram/OscillogramControls.h"
#include "support/FakeClock.h"
#include "support/FakePictures.h"
#include "support/QuietOscillogramPorts.h"

namespace {

using namespace oscillogram;

void BM_UpdateAndRepaint(benchmark::State& state) {
    testing_support::FakeClock clock;
    testing_support::QuietOscillogramWindow window;
    testing_support::DroppedLogLines sink;
    testing_support::FixedThresholdLevels levels{20, 20, 40};
    chart::ChartModel chart;
    testing_support::FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    Oscillogram osc(chart, clock, window, sink, levels, events, '.');
    OscillogramControls controls(osc, chart, levels);
    ControlInputs in{"10", 643, false};
    controls.iSecondsPerPage = 128;
    controls.RecalcMaxPointsPerPage(in);
    detlink::DetectorStatus status{};
    status.w2.aver = 400;
    auto step = [&](int i) {
        status.w1.sig = static_cast<std::uint16_t>(400 + (i % 50));
        clock.AdvanceSeconds(0.1);
        osc.UpdateOscillogram(status, status);
    };
    for (int i = 0; i < 2 * osc.MaxPointsPerPage; ++i)
        step(i);
    console::ChartWidget widget(chart);
    widget.resize(643, 400);
    QImage image(widget.size(), QImage::Format_RGB32);
    int i = 0;
    const bool repaint = state.range(0) != 0;
    for (auto _ : state) {
        step(i++);
        if (repaint)
            widget.render(&image);
    }
    state.counters["points"] = static_cast<double>(chart.At(serRangeSignal).Count());
    state.counters["budget_ms"] = 1000.0 / 19;
}
BENCHMARK(BM_UpdateAndRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
