// The Calibration axis grows in steps of 0.1, 0.5, 1, 5, 10, ... above the maximum.
#include "console/TuneUpScale.h"

#include <gtest/gtest.h>

namespace console {
namespace {

TEST(TuneUpScale, FirstStepAboveTheTruncatedMaximum) {
    const struct {
        double maximum;
        double axis;
    } cases[] = {{0, 0.1}, {0.09, 0.1}, {0.1, 0.5}, {0.49, 0.5}, {0.5, 1},  {0.99, 1},
                 {1.0, 5}, {4.99, 5},   {5.0, 10},  {37.4, 50},  {50, 100}, {1e9, 1e6}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(TuneUpAxisMaximum(c.maximum), c.axis) << "maximum " << c.maximum;
}

} // namespace
} // namespace console
