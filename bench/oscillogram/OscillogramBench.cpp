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

namespace {

using namespace oscillogram;

struct BenchWindow : OscillogramWindow {
    bool PauseDown() const override { return false; }
    bool DisplaySignalDuringAlarm() const override { return false; }
    std::optional<int> DisplayMode() const override { return 0; }
    void UpdateWrongThresholdsFrame() override {}
    void AutoYScale() override {}
    void ShowGuidance() override {}
};
struct BenchSink : OscillogramSink {
    std::string last;
    void WriteLogLine(const std::string& t) override { last = t; }
};
struct BenchLevels : ThresholdLevels {
    double TablePL(int) const override { return 20; }
    double TableLL(int) const override { return 20; }
    double TableHL(int) const override { return 40; }
};

void BM_UpdateAndRepaint(benchmark::State& state) {
    testing_support::FakeClock clock;
    BenchWindow window;
    BenchSink sink;
    BenchLevels levels;
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
