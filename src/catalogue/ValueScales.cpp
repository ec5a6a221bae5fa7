// Conversions between the detector's codes and the operator's units.
#include "catalogue/ValueScales.h"

#include <algorithm>
#include <array>

namespace catalogue {

double Kdc = kDefaultKdc;
double Urd = kDefaultUrd;

namespace {

// The detector's 10-bit converter: one reciprocal, applied by multiplication.
constexpr double kReciprocal1023 = 1.0 / 1023;
constexpr double kThresholdPercentStep = 0.015625;

constexpr std::array<double, 2> ReferenceVoltage = {5.0, 2.5};
constexpr std::array<double, 4> AmplifierGain = {2287.5, 375, 61, 10};

constexpr int kFirstZoneIndex = 2;
constexpr int kLastZoneIndex = 31;

// Steps an automatic setup uses per zone index 2 ... 31, one row per band.
constexpr std::array<std::array<int, 30>, 2> kDefaultCounts = {{
    {15, 15, 15, 15, 15, 10, 10, 10, 10, 7, 7, 7, 7, 7, 7,
     6,  6,  6,  6,  5,  5,  5,  5,  5,  3, 3, 3, 3, 3, 3},
    {30, 29, 29, 28, 28, 27, 27, 25, 25, 23, 23, 20, 20, 17, 17,
     15, 15, 15, 13, 13, 13, 11, 11, 11, 10, 10, 10, 9,  9,  9},
}};

} // namespace

int SensOfIndex(int i) {
    return 100 - 2 * i;
}

int IndexOfSens(int s) {
    return (100 - s) / 2;
}

double DefaultPLPercent(int i) {
    return (i + 7) * 100 * kThresholdPercentStep;
}

double DefaultLLPercent(int i) {
    return (i + 7) * 100 * kThresholdPercentStep;
}

double DefaultHLPercent(int i) {
    return (i + 15) * 100 * kThresholdPercentStep;
}

int ZoneLengthOfIndex(int d) {
    return d < kFirstZoneIndex ? 0 : (d - 1) * 10;
}

int DefaultThresholdCount(int band, int d) {
    const int row = band & 1;
    if (d < kFirstZoneIndex) {
        return row == 0 ? 15 : 31;
    }
    if (d > kLastZoneIndex) {
        return row == 0 ? 3 : 31;
    }
    return kDefaultCounts[row][d - kFirstZoneIndex];
}

double MinSpeedOfCode(int v) {
    return (v + 1) * 0.1;
}

int MaxSpeedOfCode(int v) {
    return 2 * v + 4;
}

double SignalMillivolts(int ref, int raw, int amplif) {
    return ReferenceVoltage[ref & 1] * 1000 * raw * kReciprocal1023 / AmplifierGain[amplif & 3];
}

double SupplyVolts(int raw) {
    return std::clamp(raw * 2.5 * Kdc * kReciprocal1023 + Urd, -kMaxSupplyVolts, kMaxSupplyVolts);
}

// Alternate factors of 5 and 2 from 0.1 mV.
namespace {

// Steps of 5 and 2 in turn from 1 / perUnit, up to seven rounds, until the value counted in
// whole 1 / perUnit runs out.
double AxisMaximum(double value, int perUnit) {
    long long n = static_cast<long long>(perUnit * value);
    double step = 1.0 / perUnit;
    for (int round = 0; round < 7 && n != 0; ++round) {
        n /= 5;
        step *= 5;
        if (n == 0) {
            break;
        }
        n /= 2;
        step *= 2;
    }
    return step;
}

} // namespace

double TuneUpAxisMaximum(double maximum) {
    return AxisMaximum(maximum, 10);
}

double SenseAxisMaximum(double largest) {
    return AxisMaximum(largest, 1000);
}

} // namespace catalogue
