// When the chart widget repaints: never while its model is unchanged or it is hidden, and once
// per frame however fast the model changes.
#include "console/chart/ChartWidget.h"

#include <QEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int kFrameMs = 16;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class ChartWidgetFrame : public testing::Test {
protected:
    void SetUp() override {
        auto& line = model.AddSeries(chart::SeriesKind::Line, 0x00FF00);
        line.Add(10, 10, 0);
        line.Add(90, 50, 0);
        widget.resize(300, 240);
        widget.installEventFilter(&counter);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
        QCoreApplication::processEvents();
        counter.paints = 0;
    }
    // Timers of the widget that would wake the program.
    int RunningTimers() const {
        int running = 0;
        for (const QTimer* timer : widget.findChildren<QTimer*>())
            running += timer->isActive();
        return running;
    }

    chart::ChartModel model;
    console::ChartWidget widget{model};
    PaintCounter counter;
};

TEST_F(ChartWidgetFrame, IdleOverAnUnchangedModel) {
    EXPECT_EQ(RunningTimers(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(ChartWidgetFrame, ManyChangesArmOneFrameAndCostOnePaint) {
    for (int i = 0; i < 100; ++i) {
        model.At(0).Add(90 + i * 0.1, 50, 0);
        model.Touch();
    }
    const auto timers = widget.findChildren<QTimer*>();
    ASSERT_EQ(RunningTimers(), 1);
    for (const QTimer* timer : timers)
        if (timer->isActive()) {
            EXPECT_TRUE(timer->isSingleShot());
            EXPECT_LE(timer->interval(), kFrameMs);
        }
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(RunningTimers(), 0);

    // The next change arms the next frame.
    model.Touch();
    EXPECT_EQ(RunningTimers(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 1; }));
}

TEST_F(ChartWidgetFrame, HiddenChartWaitsAndShowsTheModelWhenShownAgain) {
    model.Touch();
    ASSERT_EQ(RunningTimers(), 1);
    widget.hide();
    EXPECT_EQ(RunningTimers(), 0);
    model.Touch();
    EXPECT_EQ(RunningTimers(), 0);
    widget.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
}

} // namespace
