// Date-times as the tool keeps them: local time counted in days since 1899-12-30,
// the fraction being the time of day; and the time-of-day texts built from them.
#pragma once

#include <string>

namespace catalogue {

struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// One second, in days: the unit every time limit is written in.
inline constexpr double kOneSecond = 1.0 / 24 / 60 / 60;

double EncodeDateTime(const DateTimeParts& parts);
// Rounds to the nearest millisecond, carrying into the next day when needed.
DateTimeParts DecodeDateTime(double days);

// "nn:ss.zzz": minutes, seconds and milliseconds of the value read as a time of day,
// so a duration of 12 s reads "00:12.000".
std::string FormatMinSecMs(double days);
// "hh:nn:ss.zzz", the traffic log's line prefix.
std::string FormatTimeOfDay(double days);

} // namespace catalogue
