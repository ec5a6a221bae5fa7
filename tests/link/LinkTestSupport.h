// Shared fakes for the link's tests: a port that feeds bytes and records writes, a
// recording observer, a vector-backed port list, and a fixture wiring them to a LinkCycle.
#pragma once

#include "link/LinkCycle.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace linktest {

struct FakePort {
    std::set<int> ports{1};
    std::deque<std::vector<std::uint8_t>> reads;
    std::vector<std::vector<std::uint8_t>> writes;
    int openCount = 0;
    int lastOpened = -1;
    bool throwOnRead = false;
};

class FakeBackend final : public detlink::SerialBackend {
public:
    explicit FakeBackend(FakePort& port)
        : port(port) {}
    bool Open(int n, int) override {
        ++port.openCount;
        port.lastOpened = n;
        return port.ports.count(n) != 0;
    }
    void Close() override {}
    int Write(const std::uint8_t* bytes, int count) override {
        port.writes.emplace_back(bytes, bytes + count);
        return count;
    }
    int Read(std::uint8_t* buffer, int count) override {
        if (port.throwOnRead) {
            throw std::runtime_error("port fault");
        }
        if (port.reads.empty()) {
            return 0;
        }
        auto chunk = port.reads.front();
        port.reads.pop_front();
        const int n = std::min<int>(count, static_cast<int>(chunk.size()));
        std::copy_n(chunk.begin(), n, buffer);
        if (n < static_cast<int>(chunk.size())) {
            port.reads.emplace_front(chunk.begin() + n, chunk.end());
        }
        return n;
    }

private:
    FakePort& port;
};

class VectorPortList final : public detlink::PortListView {
public:
    std::vector<std::string> items;
    int selected = -1;
    int Count() const override { return static_cast<int>(items.size()); }
    std::string Text(int i) const override { return items.at(static_cast<std::size_t>(i)); }
    void Insert(int i, const std::string& t) override { items.insert(items.begin() + i, t); }
    void Remove(int i) override {
        items.erase(items.begin() + i);
        if (selected >= Count()) {
            selected = -1;
        }
    }
    int Selected() const override { return selected; }
    void Select(int i) override { selected = i; }
};

class RecordingObserver final : public detlink::LinkObserver {
public:
    std::vector<std::string> calls;
    std::vector<std::string> snapshots;
    std::vector<std::string> errors;
    std::vector<int> storedPorts;
    VectorPortList list;
    bool save = false;
    bool calibrationActive = false;

    void ShowPosition() override { calls.push_back("ShowPosition"); }
    void PlaceSetupMarkers() override { calls.push_back("PlaceSetupMarkers"); }
    void ShowSetup() override { calls.push_back("ShowSetup"); }
    void ShowSpeed() override { calls.push_back("ShowSpeed"); }
    void ShowSignalLevel() override { calls.push_back("ShowSignalLevel"); }
    void ShowIdentity() override { calls.push_back("ShowIdentity"); }
    void ShowSupply() override { calls.push_back("ShowSupply"); }
    void IdentifyDetector() override { calls.push_back("IdentifyDetector"); }
    void ResetStatus() override { calls.push_back("ResetStatus"); }
    void OnSignalWord() override { calls.push_back("OnSignalWord"); }
    void OnStateWord() override { calls.push_back("OnStateWord"); }
    void ShowPauseState() override { calls.push_back("ShowPauseState"); }
    bool IsCalibrationPageActive() const override { return calibrationActive; }
    void ShowCalibrationPage() override {
        calls.push_back("ShowCalibrationPage");
        calibrationActive = true;
    }
    void ShowPortNote(detlink::PortNote note) override {
        calls.push_back(note == detlink::PortNote::SelectPort ? "NoteSelect" : "NoteCannotOpen");
    }
    detlink::PortListView& PortList() override { return list; }
    void StoreComPort(int port) override { storedPorts.push_back(port); }
    bool IsSaveChecked() const override { return save; }
    void TakeSnapshot(const std::string& label) override { snapshots.push_back(label); }
    void ReportError(const std::string& message) override { errors.push_back(message); }
};

// Frame bytes on the wire for a word.
inline std::vector<std::uint8_t> WireFrame(detlink::TelemetryWord word) {
    const auto hi = static_cast<std::uint8_t>(word >> 8);
    const auto lo = static_cast<std::uint8_t>(word & 0xFF);
    return {0x00, hi, lo, static_cast<std::uint8_t>(hi + lo)};
}
inline detlink::TelemetryWord Word(int kind, int payload) {
    return static_cast<detlink::TelemetryWord>((kind << 13) | (payload & 0x1FFF));
}

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture()
        : logPath(
              std::filesystem::temp_directory_path() /
              ("linktest-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".log"))
        , log(clock, logPath.string())
        , gate(std::make_unique<FakeBackend>(port))
        , link(clock, log, observer, gate, [this] { return portNames; }) {}
    ~LinkFixture() override { std::filesystem::remove(logPath); }

    void EnableLog() {
        std::ofstream(logPath) << "old\n";
        ASSERT_TRUE(log.EnableIfPresent());
    }
    // Log lines without their time prefix.
    std::vector<std::string> LogTexts() const {
        std::vector<std::string> lines;
        std::ifstream in(logPath);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line.size() > 14 ? line.substr(14) : line);
        }
        return lines;
    }
    void OpenPort(int n = 1) {
        observer.list.items = {};
        link.iComPort = n;
        port.ports.insert(n);
        portNames = {"COM" + std::to_string(n) + ":"};
        link.RefreshPortList();
        ASSERT_TRUE(link.bComPortOpen);
    }
    void Feed(const std::vector<std::uint8_t>& bytes) { port.reads.push_back(bytes); }
    void FeedWord(detlink::TelemetryWord word) { Feed(WireFrame(word)); }
    // Delivers one frame and runs a cycle.
    void Tick(detlink::TelemetryWord word) {
        FeedWord(word);
        link.TimerTimer();
    }
    // One frame of each kind 0..7, each in its own cycle, with small clock steps.
    void FullCycle(int state = 0) {
        for (int kind = 0; kind < 8; ++kind) {
            clock.AdvanceSeconds(0.01);
            Tick(Word(kind, kind == 2 ? state << 10 : (kind == 0 ? 0x101 : 1)));
        }
    }

    static inline int counter = 0;
    testing_support::FakeClock clock;
    std::filesystem::path logPath;
    detlink::TrafficLog log;
    FakePort port;
    detlink::SerialGate gate;
    RecordingObserver observer;
    std::vector<std::string> portNames{"COM1:"};
    detlink::LinkCycle link;
};

} // namespace linktest
