// Receive path throughput: good frames applied per second through read, scan and kind rules,
// with the traffic log off and on. Goal: 1,000x the line's 1,440 frames/s with the log
// off and 50x with it on (57600 baud, 10 bits a byte, 4 bytes a frame).
#include "link/LinkCycle.h"
#include "support/FakeClock.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kLineFramesPerSecond = 57600.0 / 10 / 4;

// Serves the same 100 bytes (25 frames, kinds 0..7 in turn) on every read.
class LoopBackend final : public detlink::SerialBackend {
public:
    LoopBackend() {
        for (int i = 0; i < 25; ++i) {
            const int kind = i % 8;
            const auto word = static_cast<std::uint16_t>((kind << 13) | (i + 1));
            const auto hi = static_cast<std::uint8_t>(word >> 8);
            const auto lo = static_cast<std::uint8_t>(word & 0xFF);
            bytes.insert(bytes.end(), {0, hi, lo, static_cast<std::uint8_t>(hi + lo)});
        }
    }
    bool Open(int, int) override { return true; }
    void Close() override {}
    int Write(const std::uint8_t*, int count) override { return count; }
    int Read(std::uint8_t* buffer, int count) override {
        const int n = std::min<int>(count, static_cast<int>(bytes.size()));
        std::copy_n(bytes.begin(), n, buffer);
        return n;
    }
    std::vector<std::uint8_t> bytes;
};

class QuietObserver final : public detlink::LinkObserver {
public:
    void ShowPosition() override {}
    void PlaceSetupMarkers() override {}
    void ShowSetup() override {}
    void ShowSpeed() override {}
    void ShowSignalLevel() override {}
    void ShowIdentity() override {}
    void ShowSupply() override {}
    void IdentifyDetector() override {}
    void ResetStatus() override {}
    void OnSignalWord() override {}
    void OnStateWord() override {}
    void ShowPauseState() override {}
    bool IsCalibrationPageActive() const override { return false; }
    void ShowCalibrationPage() override {}
    void ShowPortNote(detlink::PortNote) override {}
    detlink::PortListView& PortList() override { std::abort(); }
    void StoreComPort(int) override {}
    bool IsSaveChecked() const override { return false; }
    void TakeSnapshot(const std::string&) override {}
    void ReportError(const std::string&) override {}
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
    QuietObserver observer;
    detlink::SerialGate gate(std::make_unique<LoopBackend>());
    gate.Open(1, detlink::kLinkBaudRate);
    detlink::LinkCycle link(clock, log, observer, gate, {});
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
