// A consistent detector in status words, one of each kind, as the window tests and the picture
// benchmark feed it: identified after one full cycle, in Normal, Auto, at position B07.
#pragma once

#include "link/DetectorStatus.h"
#include "support/FakeSerial.h"

namespace testing_support {

inline detlink::DetectorStatus ConsistentDetector() {
    detlink::DetectorStatus d{};
    d.w0.symbol = 2;
    d.w0.number = 7;
    d.w1.sig = 100;
    d.w2.aver = 100;
    d.w2.state = 0;
    d.w3.senspp = 7;
    d.w3.sensmp = 7;
    d.w4.sensbp = 7;
    d.w4.dist = 16;
    d.w4.reg = 2;
    d.w5.vel_min = 1;
    d.w5.vel_max = 1;
    d.w5.amplif = 1;
    d.w6.dev = 5;
    d.w6.prog = 3;
    d.w6.adr = 1;
    d.w6.cs = 1;
    d.w7.pwr = 600;
    for (int kind = 0; kind < 8; ++kind)
        d.Store(Word(kind, d.Word(kind)));
    return d;
}

} // namespace testing_support
