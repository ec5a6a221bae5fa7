// The recording's picture of an event inside the running tool: the real main window at its
// initial size, offscreen, on the Settings page with "Save <F6>" on; each iteration the
// detector enters Settings Change, and the link's event takes the window's picture, encodes
// the PNG and writes the file. Goal: under 20 ms a picture. Run by hand:
//   build/bench/wholeprogram/recording_picture_bench
#include "catalogue/DetectorCatalogue.h"
#include "console/Main.h"
#include "support/ConsistentDetector.h"
#include "support/FakeClock.h"
#include "support/FakeSerial.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr double kGoalMs = 20;

class RecordingWindow {
public:
    RecordingWindow() {
        QDir::setCurrent(directory.path());
        port.ports = {3};
        window = std::make_unique<console::TfmMain>(
            clock, std::make_unique<testing_support::FakeSerialBackend>(port),
            [] { return std::vector<std::string>{"COM3:"}; }, 1);
        window->show();
        QApplication::setActiveWindow(window.get());
        // Identified, and the commands it arms confirmed by a second cycle.
        SendCycle();
        SendCycle();
        QTest::keyClick(window.get(), Qt::Key_F6);
    }

    bool Recording() const { return window->chbSaveTrvRange->isChecked(); }
    // Pictures written so far, the recording's "Start Recording" among them.
    int Pictures() const {
        int count = 0;
        for (const QString& folder :
             QDir(directory.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            count += static_cast<int>(
                QDir(directory.filePath(folder)).entryList({"*.png"}, QDir::Files).size());
        return count;
    }
    QSize Size() const { return window->size(); }

    // One link cycle reading the state word, a little later than the last: pictures are
    // named after the time, and one named alike would be replaced rather than added.
    void SendState(int state) {
        clock.AdvanceSeconds(0.01);
        detlink::DetectorStatus d = testing_support::ConsistentDetector();
        d.w2.state = static_cast<std::uint16_t>(state);
        port.reads.push_back(testing_support::WireFrames({d.Word(2)}));
        window->TimerTimer();
    }

private:
    void SendCycle() {
        const detlink::DetectorStatus d = testing_support::ConsistentDetector();
        std::vector<detlink::TelemetryWord> words;
        for (int kind = 0; kind < 8; ++kind)
            words.push_back(testing_support::Word(kind, d.Word(kind)));
        port.reads.push_back(testing_support::WireFrames(words));
        window->TimerTimer();
    }

    QTemporaryDir directory;
    testing_support::FakeClock clock;
    testing_support::FakePort port;
    std::unique_ptr<console::TfmMain> window;
};

void RecordingPicture(benchmark::State& state) {
    RecordingWindow window;
    if (!window.Recording()) {
        state.SkipWithError("F6 did not start the recording");
        return;
    }
    for (auto _ : state) {
        window.SendState(catalogue::StateSettingsChange);
        state.PauseTiming();
        window.SendState(catalogue::StateNormal);
        state.ResumeTiming();
    }
    // One picture an iteration, or the figure times something else.
    state.counters["pictures_per_iteration"] =
        static_cast<double>(window.Pictures() - 1) / static_cast<double>(state.iterations());
    state.counters["width"] = window.Size().width();
    state.counters["height"] = window.Size().height();
    state.counters["goal_ms"] = kGoalMs;
}
BENCHMARK(RecordingPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace
