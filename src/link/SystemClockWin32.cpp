// The real clock on Windows: GetLocalTime for the wall time shown, the performance counter
// for durations (it never jumps when the wall clock is set).
#include "catalogue/DateTime.h"
#include "link/Clock.h"

#include <windows.h>

namespace detlink {

double SystemClock::Now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    catalogue::DateTimeParts p;
    p.year = local.wYear;
    p.month = local.wMonth;
    p.day = local.wDay;
    p.hour = local.wHour;
    p.minute = local.wMinute;
    p.second = local.wSecond;
    p.millisecond = local.wMilliseconds;
    return catalogue::EncodeDateTime(p);
}

double SystemClock::SteadyNow() const {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    const double seconds =
        static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
    return seconds * catalogue::kOneSecond;
}

} // namespace detlink
