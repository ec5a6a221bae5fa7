// Shared fakes for the link's tests: a recording observer, a vector-backed port list, the
// recording's pictures as labels, and a fixture wiring them and a fake port to a LinkCycle.
#pragma once

#include "link/LinkCycle.h"
#include "support/FakeClock.h"
#include "support/FakePictures.h"
#include "support/FakeSerial.h"
#include "support/QuietLinkObserver.h"
#include "support/TempPath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace linktest {

using testing_support::FakePort;
using testing_support::FakeSerialBackend;
using testing_support::WireFrame;
using testing_support::WireFrames;
using testing_support::Word;

using testing_support::FakePictures;

using testing_support::VectorPortList;

class RecordingObserver final : public detlink::LinkObserver {
public:
    std::vector<std::string> calls;
    std::vector<std::string> errors;
    std::vector<int> storedPorts;
    VectorPortList list;
    bool calibrationActive = false;
    // Runs inside the signal-word view, as a view or a picture would.
    std::function<void()> onSignalWord;

    void ShowPosition() override { calls.push_back("ShowPosition"); }
    void PlaceSetupMarkers() override { calls.push_back("PlaceSetupMarkers"); }
    void ShowSetup() override { calls.push_back("ShowSetup"); }
    void ShowSpeed() override { calls.push_back("ShowSpeed"); }
    void ShowSignalLevel() override { calls.push_back("ShowSignalLevel"); }
    void ShowIdentity() override { calls.push_back("ShowIdentity"); }
    void ShowSupply() override { calls.push_back("ShowSupply"); }
    void IdentifyDetector() override { calls.push_back("IdentifyDetector"); }
    void ResetStatus() override { calls.push_back("ResetStatus"); }
    void OnSignalWord() override {
        calls.push_back("OnSignalWord");
        if (onSignalWord) {
            onSignalWord();
        }
    }
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
    void ReportError(const std::string& message) override { errors.push_back(message); }
};

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture()
        : logPath(testing_support::UniqueTempPath("linktest", ".log"))
        , log(clock, logPath.string())
        , gate(std::make_unique<FakeSerialBackend>(port))
        , link(
              clock, log, observer, gate, [this] { return portNames; }, events) {}

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

    testing_support::FakeClock clock;
    std::filesystem::path logPath;
    // Declared between the path and the log: the log closes its file before it is removed,
    // which Windows requires.
    testing_support::RemovedAtEnd logRemoval{logPath};
    detlink::TrafficLog log;
    FakePort port;
    detlink::SerialGate gate;
    RecordingObserver observer;
    FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    std::vector<std::string> portNames{"COM1:"};
    detlink::LinkCycle link;
};

} // namespace linktest
