// Scale, time-base, auto-fit and play-mode handlers of the oscillogram.
#include "oscillogram/OscillogramControls.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace oscillogram {

namespace {
// The automatic fit turns threshold levels into axis limits; a level the axis could not hold
// (a hand-edited table value) is kept to a range where the conversion is defined.
constexpr double kAxisLimit = 1e6;

int AxisValue(double value) {
    return static_cast<int>(std::trunc(std::clamp(value, -kAxisLimit, kAxisLimit)));
}

int ParseIntOr1(const std::string& text) {
    int v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    return r.ec == std::errc{} && r.ptr == text.data() + text.size() ? v : 1;
}
} // namespace

void OscillogramControls::sbLeftAxisUpClick() {
    if (!sbLeftAxisUpEnabled)
        return;
    sbLeftAxisDownEnabled = true;
    osc_.iAxisMaxY = std::min(2 * osc_.iAxisMaxY, 400);
    osc_.iAxisMinY = std::max(2 * osc_.iAxisMinY, -100);
    chart_.leftAxis.maximum = osc_.iAxisMaxY;
    chart_.leftAxis.minimum = osc_.iAxisMinY;
    if (osc_.iAxisMaxY >= 400)
        sbLeftAxisUpEnabled = false;
    chart_.Touch();
}

void OscillogramControls::sbLeftAxisDownClick() {
    if (!sbLeftAxisDownEnabled)
        return;
    sbLeftAxisUpEnabled = true;
    osc_.iAxisMaxY /= 2;
    osc_.iAxisMinY /= 2;
    chart_.leftAxis.maximum = osc_.iAxisMaxY;
    chart_.leftAxis.minimum = osc_.iAxisMinY;
    if (osc_.iAxisMaxY <= 1)
        sbLeftAxisDownEnabled = false;
    chart_.Touch();
}

void OscillogramControls::sbBottomAxisSlowClick(const ControlInputs& in) {
    if (!sbBottomAxisSlowEnabled)
        return;
    sbBottomAxisFastEnabled = true;
    iSecondsPerPage *= 2;
    RecalcMaxPointsPerPage(in);
    chart_.bottomAxis.maximum = 1.01 * osc_.MaxPointsPerPage + chart_.bottomAxis.minimum;
    lPeriod = std::to_string(iSecondsPerPage) + " s";
    if (iSecondsPerPage >= 128)
        sbBottomAxisSlowEnabled = false;
    chart_.Touch();
}

void OscillogramControls::sbBottomAxisFastClick(const ControlInputs& in) {
    if (!sbBottomAxisFastEnabled)
        return;
    sbBottomAxisSlowEnabled = true;
    iSecondsPerPage /= 2;
    RecalcMaxPointsPerPage(in);
    auto& axis = chart_.bottomAxis;
    if (osc_.iPlotIndex + 0.01 * osc_.MaxPointsPerPage >= axis.maximum)
        axis.minimum = axis.maximum - 1.01 * osc_.MaxPointsPerPage;
    else
        axis.maximum = 1.01 * osc_.MaxPointsPerPage + axis.minimum;
    lPeriod = std::to_string(iSecondsPerPage) + " s";
    if (iSecondsPerPage == 1)
        sbBottomAxisFastEnabled = false;
    chart_.Touch();
}

void OscillogramControls::RecalcMaxPointsPerPage(const ControlInputs& in) {
    osc_.iPointsPerSecond = ParseIntOr1(in.selectFilterText);
    // A zero or negative rate would divide by zero in the rate limit; treat it as 1.
    if (osc_.iPointsPerSecond < 1)
        osc_.iPointsPerSecond = 1;
    const double r = osc_.iPointsPerSecond > dblMaxPointsPerSecond ? dblMaxPointsPerSecond
                                                                   : osc_.iPointsPerSecond;
    const int planned = static_cast<int>(std::trunc(iSecondsPerPage * r));
    const int room = in.chartWidth - 22;
    if (planned < room) {
        osc_.iPointsPerSecond = room / iSecondsPerPage;
        if (osc_.iPointsPerSecond > dblMaxPointsPerSecond)
            osc_.iPointsPerSecond = 19;
        osc_.MaxPointsPerPage = osc_.iPointsPerSecond * iSecondsPerPage;
    } else {
        osc_.MaxPointsPerPage = planned;
    }
    // A chart narrower than its margins still gets at least one point per page.
    osc_.MaxPointsPerPage = std::max(osc_.MaxPointsPerPage, 1);
    const int w = (std::max(room, 0) / osc_.MaxPointsPerPage) / 2 + 1;
    for (int pos = serRangePP; pos <= serRangeBPMin; ++pos)
        chart_.At(pos).SetMarkerSize(w, chart_.At(pos).VertSize());
    chart_.Touch();
}

void OscillogramControls::chbAutoYScaleClick(const detlink::DetectorStatus& Status,
                                             const ControlInputs& in) {
    if (!autoYScaleChecked)
        return;
    sbLeftAxisDownEnabled = sbLeftAxisUpEnabled = true;
    const int a = AxisValue(-levels_.TableLL(Status.w3.sensmp) * 1.1 - 1);
    const int b = AxisValue(-levels_.TableHL(Status.w4.sensbp) * 1.1 - 1);
    osc_.iAxisMinY = std::min(a, b);
    osc_.iAxisMaxY = in.hlOnlyRegulation ? AxisValue(levels_.TableHL(Status.w4.sensbp) * 0.25 + 1)
                                         : AxisValue(levels_.TablePL(Status.w3.senspp) * 1.1 + 1);
    chart_.leftAxis.maximum = osc_.iAxisMaxY;
    chart_.leftAxis.minimum = osc_.iAxisMinY;
    chart_.Touch();
}

void OscillogramControls::actAutoYScaleExecute(const detlink::DetectorStatus& Status,
                                               const ControlInputs& in) {
    autoYScaleChecked = !autoYScaleChecked;
    chbAutoYScaleClick(Status, in);
}

void OscillogramControls::actPlayChangeExecute() {
    playMode = playMode == PlayMode::Show             ? PlayMode::ShowUntilAlarm
               : playMode == PlayMode::ShowUntilAlarm ? PlayMode::Pause
                                                      : PlayMode::Show;
}

} // namespace oscillogram
