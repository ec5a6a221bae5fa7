// The monotonic clock in seconds, for the simulator's pacing and the probes that time it.
#pragma once

#include <ctime>

namespace sim {

inline double SteadyNow() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace sim
