// The live signal chart's analysis: points, threshold markers, excursions, alarm latches.
#pragma once

#include "chart/ChartModel.h"
#include "link/Clock.h"
#include "link/DetectorStatus.h"
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
    Oscillogram(chart::ChartModel& chart, const detlink::Clock& clock, OscillogramWindow& window,
                OscillogramSink& sink, const ThresholdLevels& levels);

    void UpdateOscillogram(const detlink::DetectorStatus& Status,
                           const detlink::DetectorStatus& PrevStatus);
    void StartRecording();

    double dblSignalPercent = 0;
    double dblLastPlotTime = 0; // steady days
    int iPointsPerSecond = 1;
    bool bAlarmLatched = false;
    bool bMalfunctionLatched = false;
    bool bAlarmResync = false;
    bool bPLExceeded = false, bLLExceeded = false;
    bool bPLExceededInAlarm = false, bLLExceededInAlarm = false;
    int iAlarmCount = 0, iMalfunctionCount = 0, iPreAlarmPLCount = 0, iPreAlarmLLCount = 0;
    int iPlotIndex = 0;
    int iAxisMaxY = 96, iAxisMinY = -96;
    int MaxPointsPerPage = 304;

private:
    bool Threshold(int normal, double level, bool crosses, bool indicator, int mode);
    void Excursion(bool exceeded, bool alarm, bool otherIndicator, bool& ex, bool& inAlarm,
                   int& count, const char* event);
    void Trim();

    chart::ChartModel& chart_;
    const detlink::Clock& clock_;
    OscillogramWindow& window_;
    OscillogramSink& sink_;
    const ThresholdLevels& levels_;
};

} // namespace oscillogram
