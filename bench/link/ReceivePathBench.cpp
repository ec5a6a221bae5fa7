// Receive path throughput: good frames applied per second through read, scan and kind rules,
// with the traffic log off and on. Goal: 1,000x the line's 1,440 frames/s with the log
// off and 50x with it on (57600 baud, 10 bits a byte, 4 bytes a frame).
#include "link/LinkCycle.h"
#include "support/FakeClock.h"
#include "support/FakeSerial.h"
#include "support/QuietLinkObserver.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kLineFramesPerSecond = 57600.0 / 10 / 4;

// The same 100 bytes (25 frames, kinds 0..7 in turn) on every read.
std::vector<std::uint8_t> Chatter() {
    std::vector<detlink::TelemetryWord> words;
    for (int i = 0; i < 25; ++i) {
        words.push_back(testing_support::Word(i % 8, i + 1));
    }
    return testing_support::WireFrames(words);
}

class NoPictures final : public detlink::PictureTaker {
public:
    bool bRecording() const override { return false; }
    bool SavePicture(const std::string&) override { return false; }
};

void ReceivePath(benchmark::State& state, bool logOn) {
    testing_support::FakeClock clock;
    const auto path = std::filesystem::temp_directory_path() /
                      ("bench-link-" + std::to_string(::getpid()) + ".log");
    if (logOn) {
        std::ofstream(path) << "";
    }
    detlink::TrafficLog log(clock, path.string());
    log.EnableIfPresent();
    testing_support::QuietLinkObserver observer;
    testing_support::FakePort port;
    port.chatter = Chatter();
    detlink::SerialGate gate(std::make_unique<testing_support::FakeSerialBackend>(port));
    gate.Open(1, detlink::kLinkBaudRate);
    NoPictures pictures;
    detlink::RecordingEvents events{pictures};
    detlink::LinkCycle link(clock, log, observer, gate, {}, events);
    link.eDeviceState = detlink::EDevWork;
    std::int64_t frames = 0;
    int cycles = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(link.Recv());
        frames += 25;
        if (logOn && ++cycles % 4000 == 0) {
            state.PauseTiming();
            std::filesystem::resize_file(path, 0);
            state.ResumeTiming();
        }
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["line frames/s"] = kLineFramesPerSecond;
    std::filesystem::remove(path);
}

void ReceivePathLogOff(benchmark::State& state) {
    ReceivePath(state, false);
}
void ReceivePathLogOn(benchmark::State& state) {
    ReceivePath(state, true);
}

BENCHMARK(ReceivePathLogOff);
BENCHMARK(ReceivePathLogOn);

} // namespace

BENCHMARK_MAIN();
