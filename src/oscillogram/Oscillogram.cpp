// Runs one oscillogram update: rate limit, bars, signal point, markers, latches, log line.
#include "oscillogram/Oscillogram.h"

#include "catalogue/DateTime.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"

#include <cmath>

namespace oscillogram {

namespace {
using catalogue::StateAlarm;
using catalogue::StateMalfunction;
using catalogue::StateNormal;
using catalogue::StatePause;
using detlink::RecordingEvent;
} // namespace

Oscillogram::Oscillogram(chart::ChartModel& chart, const detlink::Clock& clock,
                         OscillogramWindow& window, OscillogramSink& sink,
                         const ThresholdLevels& levels, detlink::RecordingEvents& events,
                         char decimalSeparator)
    : chart_(chart)
    , clock_(clock)
    , window_(window)
    , sink_(sink)
    , levels_(levels)
    , events_(events)
    , decimal_(decimalSeparator) {
    const std::uint32_t colours[] = {0xFFFF00, 0x800000, 0x008000, 0x00FF00, 0x00FF00, 0x004080,
                                     0x0000FF, 0x0000FF, 0xFF8080, 0xFF0000, 0xFF0000, 0x000000};
    const int heights[] = {0, 0, 1, 3, 5, 1, 3, 5, 1, 3, 5, 0};
    for (int i = 0; i < 12; ++i) {
        const auto kind = i <= serRangeAlarm    ? chart::SeriesKind::Bar
                          : i == serRangeSignal ? chart::SeriesKind::Line
                                                : chart::SeriesKind::Point;
        auto& s = chart_.AddSeries(kind, colours[i]);
        s.SetMarkerSize(1, heights[i]);
    }
    chart_.At(serRangeAlarm).SetBarWidth(7);
    chart_.At(serRangeSignal).SetPenWidth(2);
    chart_.leftAxis.SetMinMax(iAxisMinY, iAxisMaxY);
    chart_.bottomAxis.SetMinMax(0, 1.01 * MaxPointsPerPage);
    chart_.bottomAxis.visible = false;
    dblLastPlotTime = clock_.SteadyNow();
}

void Oscillogram::UpdateOscillogram(const detlink::DetectorStatus& Status,
                                    const detlink::DetectorStatus& PrevStatus) {
    if (window_.PauseDown())
        return;
    const double now = clock_.SteadyNow();
    // Days carry rounding error; a microsecond of slack keeps the exact interval accepted.
    if ((now - dblLastPlotTime) / catalogue::kOneSecond < 1.0 / iPointsPerSecond - 1e-6)
        return;
    const int state = Status.w2.state;
    const bool showDuring = window_.DisplaySignalDuringAlarm();
    if (!showDuring && ((bAlarmLatched && state == StateAlarm) ||
                        (bMalfunctionLatched && state == StateMalfunction)))
        return;
    dblLastPlotTime = now;
    const std::uint32_t signalColour = chart_.At(serRangeSignal).Colour();
    if (state == StateAlarm || state == StateMalfunction) {
        const auto colour =
            chart_.At(state == StateAlarm ? serRangeAlarm : serRangeMalfunction).Colour();
        chart_.At(serRangeAlarm).Add(iPlotIndex, 350, colour);
        if (!showDuring)
            ++iPlotIndex;
    }
    if (PrevStatus.w2.state != StateNormal && state == StateNormal)
        window_.AutoYScale();
    window_.UpdateWrongThresholdsFrame();
    // With no average the deviation is undefined; draw and log it as 0 so nothing infinite
    // reaches the axes or the log.
    const unsigned aver = Status.w2.aver;
    dblSignalPercent = aver == 0 ? 0.0 : double(Status.w1.sig) / aver * 100 - 100;
    const double lead = 0.01 * MaxPointsPerPage;
    if (iPlotIndex + lead >= chart_.bottomAxis.maximum)
        chart_.bottomAxis.SetMinMax(iPlotIndex - MaxPointsPerPage, iPlotIndex + lead);
    chart_.At(serRangeSignal).Add(iPlotIndex, dblSignalPercent, signalColour);
    if (dblSignalPercent > iAxisMaxY) {
        iAxisMaxY = static_cast<int>(std::trunc(1.05 * dblSignalPercent + 1));
        chart_.leftAxis.maximum = iAxisMaxY;
    }
    if (dblSignalPercent < iAxisMinY) {
        iAxisMinY = static_cast<int>(std::trunc(1.05 * dblSignalPercent - 1));
        chart_.leftAxis.minimum = iAxisMinY;
    }
    window_.ShowGuidance();
    Trim();

    const double pl = levels_.TablePL(Status.w3.senspp);
    const double ll = -levels_.TableLL(Status.w3.sensmp);
    const double hl = -levels_.TableHL(Status.w4.sensbp);
    const bool pp = Status.w1.pp, mp = Status.w1.mp, bp = Status.w1.bp;
    if (const auto mode = window_.DisplayMode()) {
        const bool alarm = state == StateAlarm;
        if (!Status.w3.ctrl_pp_mp) {
            const bool plEx = Threshold(serRangePP, pl, dblSignalPercent >= pl, pp, *mode);
            Excursion(plEx, alarm, mp, bPLExceeded, bPLExceededInAlarm, RecordingEvent::PreAlarmPL);
            const bool llEx = Threshold(serRangeMP, ll, dblSignalPercent <= ll, mp, *mode);
            Excursion(llEx, alarm, pp, bLLExceeded, bLLExceededInAlarm, RecordingEvent::PreAlarmLL);
        }
        Threshold(serRangeBP, hl, dblSignalPercent <= hl, bp, *mode);
    }

    // The signal word that ends a pause comes before any state word: the state is still the
    // link's own Pause, and the request for a picture waits for the detector's state.
    const bool resync = events_.bAlarmResync && state != StatePause;
    if (!bAlarmLatched && state == StateAlarm) {
        bAlarmLatched = true;
        events_.Raise(RecordingEvent::Alarm);
    } else if (resync || (bAlarmLatched && state != StateAlarm)) {
        bAlarmLatched = false;
        if (state != StatePause)
            events_.bAlarmResync = false;
        if (state == StateNormal)
            events_.Raise(RecordingEvent::Normal);
    }
    if (!bMalfunctionLatched && state == StateMalfunction) {
        bMalfunctionLatched = true;
        events_.Raise(RecordingEvent::Malfunction);
    } else if (bMalfunctionLatched && state != StateMalfunction) {
        bMalfunctionLatched = false;
    }

    sink_.WriteLogLine(LogLine(pl, pp, ll, mp, hl, bp));
    ++iPlotIndex;
    chart_.Touch();
}

bool Oscillogram::Threshold(int normal, double level, bool crosses, bool indicator, int mode) {
    int pos = normal;
    if (mode == 0 && (indicator || crosses))
        pos = normal + 2;
    if (mode == 1)
        pos = indicator ? normal + 2 : crosses ? normal + 1 : normal;
    if (mode == 2 && indicator)
        pos = normal + 2;
    if (mode == 3 && crosses)
        pos = normal + 2;
    chart_.At(pos).Add(iPlotIndex, level, chart_.At(pos).Colour());
    return pos != normal;
}

void Oscillogram::Excursion(bool exceeded, bool alarm, bool otherIndicator, bool& ex, bool& inAlarm,
                            detlink::RecordingEvent event) {
    if (exceeded) {
        ex = true;
        if (alarm)
            inAlarm = true;
        return;
    }
    if (!ex || !events_.SaveChecked())
        return;
    ex = false;
    if (!inAlarm && !alarm && !otherIndicator)
        events_.Raise(event);
    inAlarm = false;
}

std::string Oscillogram::LogLine(double pl, bool pp, double ll, bool mp, double hl, bool bp) const {
    const auto flag = [](bool on) { return on ? "1" : "0"; };
    return "In % : Signal=" + catalogue::FormatFixed(dblSignalPercent, 4, decimal_) +
           " PL=" + catalogue::FormatGeneral(pl, decimal_) + " pp=" + flag(pp) +
           " LL=" + catalogue::FormatGeneral(ll, decimal_) + " mp=" + flag(mp) +
           " HL=" + catalogue::FormatGeneral(hl, decimal_) + " bp=" + flag(bp) +
           " iX=" + std::to_string(iPlotIndex);
}

void Oscillogram::Trim() {
    auto& signal = chart_.At(serRangeSignal);
    if (signal.Count() > static_cast<std::size_t>(MaxPointsPerPage))
        signal.DeleteFront(signal.Count() - MaxPointsPerPage);
    const double first = signal.Count() ? std::trunc(signal.Point(0).x) : 0;
    for (int pos : {2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1}) {
        auto& s = chart_.At(pos);
        std::size_t n = 0;
        while (n < s.Count() && s.Point(n).x < first)
            ++n;
        s.DeleteFront(n);
    }
}

void Oscillogram::ResetAlarmLatches() {
    bAlarmLatched = bMalfunctionLatched = false;
    bPLExceeded = bPLExceededInAlarm = bLLExceeded = bLLExceededInAlarm = false;
}

} // namespace oscillogram
