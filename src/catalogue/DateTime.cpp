// Civil-calendar arithmetic for the day-counted date-times (proleptic Gregorian).
#include "catalogue/DateTime.h"

#include <cmath>
#include <cstdio>

namespace catalogue {
namespace {

constexpr long long kMsPerDay = 24LL * 60 * 60 * 1000;
// Days from 0000-03-01 (the start of the shifted calendar below) to 1899-12-30.
constexpr long long kEpochShift = 693899;

long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

} // namespace

double EncodeDateTime(const DateTimeParts& p) {
    const long long days = DaysFromCivil(p.year, p.month, p.day) - kEpochShift;
    const double ms = ((p.hour * 60.0 + p.minute) * 60.0 + p.second) * 1000.0 + p.millisecond;
    return static_cast<double>(days) + ms / kMsPerDay;
}

DateTimeParts DecodeDateTime(double days) {
    DateTimeParts p;
    if (!std::isfinite(days)) {
        return p;
    }
    long long whole = static_cast<long long>(std::floor(days));
    long long ms = std::llround((days - static_cast<double>(whole)) * kMsPerDay);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++whole;
    }
    CivilFromDays(whole + kEpochShift, p.year, p.month, p.day);
    p.millisecond = static_cast<int>(ms % 1000);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.hour = static_cast<int>(ms / 3600000);
    return p;
}

std::string FormatMinSecMs(double days) {
    const DateTimeParts p = DecodeDateTime(days);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d.%03d", p.minute, p.second, p.millisecond);
    return text;
}

std::string FormatTimeOfDay(double days) {
    const DateTimeParts p = DecodeDateTime(days);
    char text[20];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", p.hour, p.minute, p.second,
                  p.millisecond);
    return text;
}

} // namespace catalogue
