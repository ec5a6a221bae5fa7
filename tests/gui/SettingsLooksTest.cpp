// How the Settings page's alarm group and the oscillogram's period label read, at the window's
// initial size and a larger one, checked on the pixels of the grabbed widgets.
#include "ConsoleFixture.h"

#include "console/chart/ChartWidget.h"
#include "oscillogram/Oscillogram.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace console {
namespace {

// Relative luminance and contrast ratio as the accessibility guidelines count them.
double Luminance(QRgb rgb) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool Inked(QRgb rgb) {
    return qGray(rgb) < 96;
}

class SettingsLooks : public ConsoleFixture {
protected:
    void Enter() {
        SendCycle(Detector());
        Drain();
        ASSERT_EQ(window->ActivePage(), Page::Range);
    }
    // The window's initial size, then a larger one.
    std::vector<QSize> Sizes() const { return {window->size(), window->size() + QSize(280, 185)}; }
};

// The caption and the count are seen whole on the group's top frame line, the check box and
// the button lie inside the frame, the check box's square at the right of its text, and an
// idle count is grey but legible.
TEST_F(SettingsLooks, AlarmGroupCaptionAndCountSitOnTheFrameLineAboveItsControls) {
    Enter();
    QGroupBox* group = window->gbTrv;
    QLabel* count = window->lTrvNumberRange;
    QCheckBox* save = window->chbSaveTrvRange;
    ASSERT_FALSE(count->isEnabled());
    for (const QSize size : Sizes()) {
        window->resize(size);
        // What the page shows of the group, whose top edge lies above the page; the
        // controls' places in that picture.
        QWidget* page = group->parentWidget();
        const QRect shown = group->geometry() & page->rect();
        const QImage image = page->grab(shown).toImage();
        const auto place = [&](const QWidget* control) {
            return control->geometry().translated(group->pos() - shown.topLeft());
        };
        const QRgb ground = page->palette().color(QPalette::Window).rgb();
        const int x = image.width() - 8;
        int top = 0;
        while (top < image.height() && image.pixel(x, top) == ground)
            ++top;
        int bottom = image.height() - 1;
        while (bottom > top && image.pixel(x, bottom) == ground)
            --bottom;

        int inkTop = image.height(), inkBottom = -1;
        for (int y = 0; y < place(save).top(); ++y)
            for (int left = 0; left < place(count).left(); ++left)
                if (Inked(image.pixel(left, y))) {
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y);
                }
        EXPECT_GT(inkTop, 0) << "the caption is cut at the page's edge";
        EXPECT_LT(inkTop, top) << "the caption is below the frame line";
        EXPECT_GT(inkBottom, top) << "the caption is above the frame line";
        EXPECT_LT(place(count).top(), top);
        EXPECT_GT(place(count).bottom(), top);
        for (const QWidget* control :
             {static_cast<QWidget*>(save), static_cast<QWidget*>(window->btnClearTrvRange)}) {
            EXPECT_GT(place(control).top(), top + 1) << control->metaObject()->className();
            EXPECT_LT(place(control).bottom(), bottom) << control->metaObject()->className();
        }
        EXPECT_LE(group->geometry().bottom(), window->chRange->geometry().top());

        QStyleOptionButton option;
        option.initFrom(save);
        const QRect square =
            save->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, save);
        const QRect text =
            save->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, save);
        EXPECT_GE(square.left(), text.right());

        const QImage idle = count->grab().toImage();
        QRgb darkest = ground;
        for (int y = 0; y < idle.height(); ++y)
            for (int left = 0; left < idle.width(); ++left)
                if (qGray(idle.pixel(left, y)) < qGray(darkest))
                    darkest = idle.pixel(left, y);
        EXPECT_GE(Contrast(darkest, ground), 4.5);
    }
    count->setText(QStringLiteral("123"));
    EXPECT_LE(QFontMetrics(count->font()).horizontalAdvance(count->text()),
              count->contentsRect().width());
}

// The period covers no data: it lies under the plot, whole, and a grid line or an alarm bar
// changes none of its pixels.
TEST_F(SettingsLooks, PeriodLabelCoversNoDataAndNothingRunsThroughIt) {
    Enter();
    chart::ChartModel& model = window->chRangeModel;
    for (const QSize size : Sizes()) {
        window->resize(size);
        const QRect label = window->lPeriod->geometry();
        ASSERT_FALSE(window->chRange->PlotArea().intersects(label));
        ASSERT_TRUE(window->chRange->rect().contains(label));
        model.leftAxis.gridVisible = false;
        model.bottomAxis.gridVisible = false;
        model.At(oscillogram::serRangeAlarm).Clear();
        const QImage bare = window->chRange->grab(label).toImage();

        model.leftAxis.gridVisible = true;
        model.bottomAxis.gridVisible = true;
        const QRect plot = window->chRange->PlotArea();
        const chart::Axis& x = model.bottomAxis;
        const double under = x.minimum + (label.center().x() - plot.left()) *
                                             (x.maximum - x.minimum) / (plot.width() - 1);
        chart::Series& alarms = model.At(oscillogram::serRangeAlarm);
        alarms.Add(under, 10 * model.leftAxis.maximum, alarms.Colour());
        const QImage covered = window->chRange->grab(label).toImage();
        EXPECT_EQ(covered, bare) << size.width() << "x" << size.height();

        int inked = 0;
        for (int y = 0; y < covered.height(); ++y)
            for (int left = 0; left < covered.width(); ++left)
                inked += Inked(covered.pixel(left, y));
        EXPECT_GT(inked, 5) << "the period's text is seen";
    }
}

} // namespace
} // namespace console
