// An oscillogram with its controls on a 128 s page, run without a window: the state both
// oscillogram benchmarks measure from.
#pragma once

#include "chart/ChartModel.h"
#include "link/RecordingEvents.h"
#include "oscillogram/Oscillogram.h"
#include "oscillogram/OscillogramControls.h"
#include "support/FakeClock.h"
#include "support/FakePictures.h"
#include "support/QuietOscillogramPorts.h"

#include <cstdint>

namespace testing_support {

struct OscillogramFullPage {
    // A page for a chart of this width, filled twice over by Step.
    explicit OscillogramFullPage(int chartWidth) {
        oscillogram::ControlInputs in{"10", chartWidth, false};
        controls.iSecondsPerPage = 128;
        controls.RecalcMaxPointsPerPage(in);
        status.w2.aver = 400;
    }
    // One accepted update with the given signal, a tenth of a second after the last.
    void Step(int sig) {
        status.w1.sig = static_cast<std::uint16_t>(sig);
        clock.AdvanceSeconds(0.1);
        osc.UpdateOscillogram(status, status);
    }

    FakeClock clock;
    QuietOscillogramWindow window;
    DroppedLogLines log;
    FixedThresholdLevels levels{20, 20, 40};
    chart::ChartModel chart;
    FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    oscillogram::Oscillogram osc{chart, clock, window, log, levels, events, '.'};
    oscillogram::OscillogramControls controls{osc, chart, levels};
    detlink::DetectorStatus status{};
};

} // namespace testing_support
