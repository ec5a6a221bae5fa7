// Measures one accepted oscillogram update (arg 0) and update plus repaint (arg 1) on a full
// 128 s page; goal: under 0.5 ms, 1 % of the 1/19 s between updates.
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "console/chart/ChartWidget.h"
#include "support/OscillogramFullPage.h"

namespace {

using namespace oscillogram;

void BM_UpdateAndRepaint(benchmark::State& state) {
    testing_support::OscillogramFullPage page(643);
    auto step = [&](int i) { page.Step(400 + (i % 50)); };
    for (int i = 0; i < 2 * page.osc.MaxPointsPerPage; ++i)
        step(i);
    console::ChartWidget widget(page.chart);
    widget.resize(643, 400);
    QImage image(widget.size(), QImage::Format_RGB32);
    int i = 0;
    const bool repaint = state.range(0) != 0;
    for (auto _ : state) {
        step(i++);
        if (repaint)
            widget.render(&image);
    }
    state.counters["points"] = static_cast<double>(page.chart.At(serRangeSignal).Count());
    state.counters["budget_ms"] = 1000.0 / 19;
}
BENCHMARK(BM_UpdateAndRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
