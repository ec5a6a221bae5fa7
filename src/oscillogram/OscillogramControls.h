// The oscillogram's view controls: vertical range, time base, auto fit and play mode.
#pragma once

#include <string>

#include "oscillogram/Oscillogram.h"

namespace oscillogram {

enum class PlayMode { Show, ShowUntilAlarm, Pause };

// Inputs the controls read from the window.
struct ControlInputs {
    std::string selectFilterText = "1";
    int chartWidth = 643;
    bool hlOnlyRegulation = false; // item 3 of the regulation selector
};

class OscillogramControls {
public:
    OscillogramControls(Oscillogram& osc, chart::ChartModel& chart, const ThresholdLevels& levels)
        : osc_(osc)
        , chart_(chart)
        , levels_(levels) {}

    void sbLeftAxisUpClick();
    void sbLeftAxisDownClick();
    void sbBottomAxisSlowClick(const ControlInputs& in);
    void sbBottomAxisFastClick(const ControlInputs& in);
    void RecalcMaxPointsPerPage(const ControlInputs& in);
    void chbAutoYScaleClick(const detlink::DetectorStatus& Status, const ControlInputs& in);
    void actAutoYScaleExecute(const detlink::DetectorStatus& Status, const ControlInputs& in);
    void actPlayChangeExecute();

    static constexpr double dblMaxPointsPerSecond = 592.0 / 31;
    int iSecondsPerPage = 16;
    bool sbLeftAxisUpEnabled = true, sbLeftAxisDownEnabled = true;
    bool sbBottomAxisSlowEnabled = true, sbBottomAxisFastEnabled = true;
    bool autoYScaleChecked = true;
    PlayMode playMode = PlayMode::Show;
    std::string lPeriod = "16 s";

private:
    Oscillogram& osc_;
    chart::ChartModel& chart_;
    const ThresholdLevels& levels_;
};

} // namespace oscillogram
