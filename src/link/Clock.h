// The clock the link, the oscillogram and the recording read: injected so that tests
// reach 2.5 s or 12 s without sleeping.
#pragma once

namespace detlink {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date-time in days (see catalogue/DateTime.h): for every text that shows a time.
    virtual double Now() const = 0;
    // A steady count in days: for durations, which must not jump when the wall clock is set.
    virtual double SteadyNow() const = 0;
};

class SystemClock final : public Clock {
public:
    double Now() const override;
    double SteadyNow() const override;
};

} // namespace detlink
