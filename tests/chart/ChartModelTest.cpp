// Tests for the chart model: point edits, front deletion, axis ranges, revision.
#include "chart/ChartModel.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartModel, AppendDeleteFrontAndMovePoint) {
    chart::ChartModel model;
    auto& s = model.AddSeries(chart::SeriesKind::Point, 0xFF0000);
    for (int i = 0; i < 5; ++i)
        s.Add(i, i * 10, 0x00FF00, "p");
    s.DeleteFront(2);
    ASSERT_EQ(s.Count(), 3u);
    EXPECT_EQ(s.Point(0).x, 2);
    s.SetPosition(0, 7, -3);
    EXPECT_EQ(s.Point(0).y, -3);
    s.DeleteFront(99); // more than held: empties, no overrun
    EXPECT_EQ(s.Count(), 0u);
}

TEST(ChartModel, SeriesReferencesSurviveLaterAdds) {
    chart::ChartModel model;
    auto& first = model.AddSeries(chart::SeriesKind::Bar);
    for (int i = 0; i < 20; ++i)
        model.AddSeries(chart::SeriesKind::Line);
    first.SetBarWidth(3);
    EXPECT_EQ(model.At(0).BarWidth(), 3);
}

TEST(ChartModel, AxisRangeOrderedAndRevisionBumps) {
    chart::ChartModel model;
    model.leftAxis.SetMinMax(127, -106);
    EXPECT_EQ(model.leftAxis.minimum, -106);
    EXPECT_EQ(model.leftAxis.maximum, 127);
    const auto before = model.Revision();
    model.Touch();
    EXPECT_GT(model.Revision(), before);
}

} // namespace
