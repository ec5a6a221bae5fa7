// What alarm recording needs from the window: its picture, the traffic log, the operator's
// error report and the oscillogram's alarm latches.
#pragma once

#include "records/Image.h"

#include <string>

namespace records {

class RecordingHost {
public:
    virtual ~RecordingHost() = default;
    // The window's client area as it draws itself now; an empty image when it cannot.
    virtual Image RenderWindow() = 0;
    virtual bool WriteLogLine(const std::string& text) = 0;
    // Shows a recording folder, picture or summary that could not be made to the operator.
    // The link cycle calls it: it returns at once and never waits for the operator.
    virtual void ReportError(const std::string& text) = 0;
    // The alarm-analysis latches start afresh with each recording.
    virtual void ResetAlarmLatches() = 0;
};

} // namespace records
