// The real clock on POSIX: local wall time by localtime_r, steady_clock for durations.
#include "catalogue/DateTime.h"
#include "link/Clock.h"

#include <chrono>
#include <ctime>

namespace detlink {

double SystemClock::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    catalogue::DateTimeParts p;
    p.year = local.tm_year + 1900;
    p.month = local.tm_mon + 1;
    p.day = local.tm_mday;
    p.hour = local.tm_hour;
    p.minute = local.tm_min;
    p.second = local.tm_sec;
    p.millisecond = static_cast<int>(ms < 0 ? ms + 1000 : ms);
    return catalogue::EncodeDateTime(p);
}

double SystemClock::SteadyNow() const {
    using namespace std::chrono;
    const duration<double> elapsed = steady_clock::now().time_since_epoch();
    return elapsed.count() * catalogue::kOneSecond;
}

} // namespace detlink
