// What the oscillogram reads from the window and hands to the traffic log.
#pragma once

#include <optional>
#include <string>

namespace oscillogram {

class OscillogramWindow {
public:
    virtual ~OscillogramWindow() = default;
    virtual bool PauseDown() const = 0;
    virtual bool DisplaySignalDuringAlarm() const = 0;
    virtual std::optional<int> DisplayMode() const = 0; // 0..3, empty when none selected
    virtual void UpdateWrongThresholdsFrame() = 0;
    virtual void AutoYScale() = 0;
    virtual void ShowGuidance() = 0;
};

class OscillogramSink {
public:
    virtual ~OscillogramSink() = default;
    virtual void WriteLogLine(const std::string& text) = 0;
};

// Threshold levels in percent, positive, looked up afresh at each use.
class ThresholdLevels {
public:
    virtual ~ThresholdLevels() = default;
    virtual double TablePL(int step) const = 0;
    virtual double TableLL(int step) const = 0;
    virtual double TableHL(int step) const = 0;
};

} // namespace oscillogram
