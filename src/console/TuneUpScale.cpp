// Calibration axis rule: alternate factors of 5 and 2 from 0.1 mV.
#include "console/TuneUpScale.h"

namespace console {

double TuneUpAxisMaximum(double maximum) {
    long long n = static_cast<long long>(10 * maximum);
    double step = 0.1;
    for (int round = 0; round < 7 && n != 0; ++round) {
        n /= 5;
        step *= 5;
        if (n == 0)
            break;
        n /= 2;
        step *= 2;
    }
    return step;
}

} // namespace console
