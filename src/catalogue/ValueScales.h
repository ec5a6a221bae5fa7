// Conversions between the detector's codes and the operator's units.
#pragma once

namespace catalogue {

// Supply-voltage coefficients: process-wide, loaded from and saved to the settings file.
inline constexpr double kDefaultKdc = 14.33;
inline constexpr double kDefaultUrd = 1.5;
extern double Kdc;
extern double Urd;
// What a supply divider can be: the developer's Apply refuses coefficients outside these.
inline constexpr double kMinKdc = 1;
inline constexpr double kMaxKdc = 100;
inline constexpr double kMinUrd = -5;
inline constexpr double kMaxUrd = 5;

int SensOfIndex(int i);
int IndexOfSens(int s);
double DefaultPLPercent(int i);
double DefaultLLPercent(int i);
double DefaultHLPercent(int i);
int ZoneLengthOfIndex(int d);
int DefaultThresholdCount(int band, int d);
double MinSpeedOfCode(int v);
int MaxSpeedOfCode(int v);
double SignalMillivolts(int ref, int raw, int amplif);
// A hand-edited coefficient (Kdc=1e308) must still give a supply line the panel can show:
// the result is kept within this many volts either way.
inline constexpr double kMaxSupplyVolts = 1000;
double SupplyVolts(int raw);
// The Calibration chart's bottom-axis maximum for a signal maximum in millivolts: the first
// of 0.1, 0.5, 1, 5, 10, 50, ... above trunc(10 x maximum) / 10, at most 10^6; the axis
// increment is a fifth of it.
double TuneUpAxisMaximum(double maximum);
// The Setup chart's bottom-axis maximum for its largest value in millivolts: the first of
// 0.001, 0.005, 0.01, 0.05, ... above trunc(1000 x largest) / 1000, at most 10^4; the axis
// increment is a fifth of it.
double SenseAxisMaximum(double largest);

} // namespace catalogue
