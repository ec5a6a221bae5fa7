// Tests for the chart model: point edits, front deletion, axis ranges, revision and its listeners.
#include "chart/ChartModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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

// A view hears every Touch while it holds its handle and nothing after dropping it, and a
// handle that outlives its model (a window's widgets do) is still safe to drop.
TEST(ChartModel, ListenersHearEachTouchWhileTheirHandleLives) {
    int first = 0, second = 0;
    std::shared_ptr<const chart::ChartModel::TouchListener> kept;
    {
        chart::ChartModel model;
        kept = model.OnTouch([&] { ++first; });
        auto dropped = model.OnTouch([&] { ++second; });
        model.Touch();
        model.Touch();
        dropped.reset();
        model.Touch();
        EXPECT_EQ(model.Revision(), 3u);
    }
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 2);
    kept.reset();
}

// A listener may subscribe more listeners while it is told; those hear the same Touch.
TEST(ChartModel, ListenerSubscribingDuringATouch) {
    chart::ChartModel model;
    std::vector<std::shared_ptr<const chart::ChartModel::TouchListener>> handles;
    int heard = 0;
    handles.push_back(model.OnTouch([&] {
        for (int i = 0; i < 8; ++i)
            handles.push_back(model.OnTouch([&] { ++heard; }));
    }));
    model.Touch();
    EXPECT_EQ(heard, 8);
}

} // namespace
