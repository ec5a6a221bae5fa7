// The Properties settings as they travel between the settings file and the window.
#pragma once

#include "catalogue/ValueScales.h"

namespace records {

// A list position of -1 means no entry (or no mode) is selected.
struct PropertySettings {
    double dblKdc = catalogue::kDefaultKdc;
    double dblUrd = catalogue::kDefaultUrd;
    int iSelect = 0;        // position in "Signal scaling to counts/sec:"
    int iMaxTenPercent = 0; // position in "Signal fluctuations >10% to be filtered:"
    bool bSignalDuringAlarm = false;
    int iThresholdExcess = 0; // "Display threshold excess by": 0..3
};

// What the start-up reads beside the tables.
struct StartUpSettings {
    PropertySettings properties;
    int iPointsPerSecond = 1;
    int iComPort = 0;
};

// The whole number shown by the selected "Signal scaling to counts/sec:" entry; 1 when no
// entry is selected.
int PointsPerSecondOf(int selectPosition);

} // namespace records
