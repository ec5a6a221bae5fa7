// The status record keeps every received bit and names the fields at their places.
#include "link/DetectorStatus.h"

#include <gtest/gtest.h>

using namespace detlink;

TEST(DetectorStatus, StoresEachKindInItsWordUnchanged) {
    DetectorStatus status;
    for (int kind = 0; kind < 8; ++kind) {
        const TelemetryWord word = static_cast<TelemetryWord>(kind << 13 | 0x1ABC);
        status.Store(word);
        EXPECT_EQ(status.Word(kind), word) << "kind " << kind;
    }
}

TEST(DetectorStatus, FieldsSitAtTheirBits) {
    DetectorStatus status;
    status.Store(0x2A15); // kind 1: sig 533, pp 0, mp 1, bp 0
    EXPECT_EQ(status.w1.sig, 533);
    EXPECT_EQ(status.w1.pp, 0);
    EXPECT_EQ(status.w1.mp, 1);
    EXPECT_EQ(status.w1.bp, 0);
    status.Store(static_cast<TelemetryWord>(2 << 13 | 5 << 10 | 700));
    EXPECT_EQ(status.w2.state, 5);
    EXPECT_EQ(status.w2.aver, 700);
    status.Store(static_cast<TelemetryWord>(6 << 13 | 1 << 12 | 11 << 8 | 2 << 6 | 3 << 3 | 4));
    EXPECT_EQ(status.w6.cs, 1);
    EXPECT_EQ(status.w6.adr, 11);
    EXPECT_EQ(status.w6.letter, 2);
    EXPECT_EQ(status.w6.prog, 3);
    EXPECT_EQ(status.w6.dev, 4);
    status.Store(static_cast<TelemetryWord>(0 << 13 | 15 << 9 | 127));
    EXPECT_EQ(status.w0.symbol, 15);
    EXPECT_EQ(status.w0.number, 127);
    status.w2.state = 7; // the pause rule writes the state in place
    EXPECT_EQ(status.Word(2), static_cast<TelemetryWord>(2 << 13 | 7 << 10 | 700));
}
