// The oscillogram's ports for tests and benchmarks that run it without a window: a window that
// shows everything and asks nothing, a log that drops its lines, and fixed threshold levels.
#pragma once

#include "oscillogram/OscillogramPorts.h"

#include <optional>
#include <string>

namespace testing_support {

struct QuietOscillogramWindow : oscillogram::OscillogramWindow {
    bool PauseDown() const override { return false; }
    bool DisplaySignalDuringAlarm() const override { return false; }
    std::optional<int> DisplayMode() const override { return 0; }
    void UpdateWrongThresholdsFrame() override {}
    void AutoYScale() override {}
    void ShowGuidance() override {}
};

struct DroppedLogLines : oscillogram::OscillogramSink {
    void WriteLogLine(const std::string&) override {}
};

struct FixedThresholdLevels : oscillogram::ThresholdLevels {
    FixedThresholdLevels(double pl, double ll, double hl)
        : pl(pl)
        , ll(ll)
        , hl(hl) {}
    double TablePL(int) const override { return pl; }
    double TableLL(int) const override { return ll; }
    double TableHL(int) const override { return hl; }
    double pl, ll, hl;
};

} // namespace testing_support
