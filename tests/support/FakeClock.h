// A clock the tests move by hand; wall and steady time advance together unless a test
// sets the wall clock on its own (a daylight-saving jump, say).
#pragma once

#include "catalogue/DateTime.h"
#include "link/Clock.h"

namespace testing_support {

class FakeClock final : public detlink::Clock {
public:
    explicit FakeClock(double now = catalogue::EncodeDateTime({2015, 3, 5, 14, 7, 33, 120}))
        : wall_(now) {}
    double Now() const override { return wall_; }
    double SteadyNow() const override { return steady_; }
    void AdvanceSeconds(double s) {
        wall_ += s * catalogue::kOneSecond;
        steady_ += s * catalogue::kOneSecond;
    }
    void SetWall(double now) { wall_ = now; }

private:
    double wall_;
    double steady_ = 1000.0;
};

} // namespace testing_support
