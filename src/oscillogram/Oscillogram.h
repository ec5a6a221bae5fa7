// The live signal chart's analysis: points, threshold markers, excursions, alarm latches.
#pragma once

#include "chart/ChartModel.h"
#include "link/Clock.h"
#include "link/DetectorStatus.h"
#include "link/RecordingEvents.h"
#include "oscillogram/OscillogramPorts.h"

namespace oscillogram {

enum SeriesPos {
    serRangeMalfunction,
    serRangeAlarm,
    serRangePP,
    serRangePPUp,
    serRangePPMax,
    serRangeMP,
    serRangeMPDown,
    serRangeMPMin,
    serRangeBP,
    serRangeBPDown,
    serRangeBPMin,
    serRangeSignal
};

class Oscillogram {
public:
    // Alarms, malfunctions and pre-alarms are raised on the recording's events; the log
    // line's numbers carry the user's decimal separator.
    Oscillogram(chart::ChartModel& chart, const detlink::Clock& clock, OscillogramWindow& window,
                OscillogramSink& sink, const ThresholdLevels& levels,
                detlink::RecordingEvents& events, char decimalSeparator);

    void UpdateOscillogram(const detlink::DetectorStatus& Status,
                           const detlink::DetectorStatus& PrevStatus);
    // A recording starts with every latch and excursion released.
    void ResetAlarmLatches();

    double dblSignalPercent = 0;
    double dblLastPlotTime = 0; // steady days
    int iPointsPerSecond = 1;
    bool bAlarmLatched = false;
    bool bMalfunctionLatched = false;
    bool bPLExceeded = false, bLLExceeded = false;
    bool bPLExceededInAlarm = false, bLLExceededInAlarm = false;
    int iPlotIndex = 0;
    int iAxisMaxY = 96, iAxisMinY = -96;
    int MaxPointsPerPage = 304;

private:
    bool Threshold(int normal, double level, bool crosses, bool indicator, int mode);
    void Excursion(bool exceeded, bool alarm, bool otherIndicator, bool& ex, bool& inAlarm,
                   detlink::RecordingEvent event);
    std::string LogLine(double pl, bool pp, double ll, bool mp, double hl, bool bp) const;
    void Trim();

    chart::ChartModel& chart_;
    const detlink::Clock& clock_;
    OscillogramWindow& window_;
    OscillogramSink& sink_;
    const ThresholdLevels& levels_;
    detlink::RecordingEvents& events_;
    char decimal_;
};

} // namespace oscillogram
