// Every setting and reading the detector reports, one member per telemetry field.
#pragma once

namespace sim {

struct DetectorFields {
    int symbol = 0; // position letter 'A' + symbol
    int number = 1; // position digits; 127 reports no position
    int sig = 120;  // resting signal level
    // Auto at zone index 10 in the 10 GHz band: all three thresholds at the step the tool's
    // Auto table gives there, so the tool shows them as the detector reports them.
    int senspp = 10;
    int sensmp = 10;
    int ctrl_pp_mp = 0;
    int dist = 10;
    int reg = 2;
    int sensbp = 10;
    int vel_min = 0;
    int vel_max = 3;
    int amplif = 1;
    int ref = 0;
    int dis = 0;
    int dev = 1;
    int prog = 3;
    int letter = 0;
    int adr = 1;
    int cs = 1;
    int pwr = 620;
    int out = 0;
    int freq = 0;
};

} // namespace sim
