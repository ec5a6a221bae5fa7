// The page control: tabs come and go with the page rules while every page stays selectable,
// a page in front without its tab leaves no tab looking selected, and no input moves a tab
// without its page.
#include "ConsoleFixture.h"

#include "console/OscillogramGroup.h"
#include "console/PageControl.h"
#include "console/PageTabBar.h"

#include <QApplication>
#include <QGroupBox>
#include <QWheelEvent>

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace console {
namespace {

class PageControlTest : public testing::Test {
protected:
    PageControlTest() {
        for (int i = 0; i < kPageCount; ++i)
            control.AddPage(static_cast<Page>(i), new QWidget, QStringLiteral("Tab %1").arg(i));
        control.resize(600, 300);
        control.show();
    }
    QStringList Captions() const {
        QStringList captions;
        for (int i = 0; i < control.TabBar()->count(); ++i)
            captions << control.TabBar()->tabText(i);
        return captions;
    }
    PageControl control;
};

TEST_F(PageControlTest, HiddenTabsLeaveTheBarButNotThePages) {
    control.SetTabVisible(Page::Sense, false);
    control.SetTabVisible(Page::Params, false);
    EXPECT_EQ(Captions(), QStringList({"Tab 0", "Tab 1", "Tab 3"}));

    QSignalSpy changes(&control, &PageControl::pageChanged);
    control.SetActivePage(Page::Params);
    EXPECT_EQ(control.ActivePage(), Page::Params);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(control.TabBar()->NoneSelected());

    control.SetTabVisible(Page::Params, true);
    EXPECT_FALSE(control.TabBar()->NoneSelected());
    EXPECT_EQ(control.TabBar()->tabText(control.TabBar()->currentIndex()), "Tab 4");
}

TEST_F(PageControlTest, HidingTheCurrentPagesTabKeepsThePageInFront) {
    control.SetActivePage(Page::TuneUp);
    control.SetTabVisible(Page::TuneUp, false);
    EXPECT_EQ(control.ActivePage(), Page::TuneUp);
    EXPECT_TRUE(control.TabBar()->NoneSelected());
    // The remaining tab is not drawn as selected, yet a click on it still brings its page.
    QTest::mouseClick(control.TabBar(), Qt::LeftButton, {}, control.TabBar()->tabRect(0).center());
    EXPECT_EQ(control.ActivePage(), Page::About);
    EXPECT_FALSE(control.TabBar()->NoneSelected());
}

TEST_F(PageControlTest, ClickingATabSwitchesPagesOnce) {
    QSignalSpy changes(&control, &PageControl::pageChanged);
    QTest::mouseClick(control.TabBar(), Qt::LeftButton, {}, control.TabBar()->tabRect(3).center());
    EXPECT_EQ(control.ActivePage(), Page::Range);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].value<Page>(), Page::About);
    EXPECT_EQ(changes[0][1].value<Page>(), Page::Range);
}

// On a connected window (About, Calibration, Settings; Settings in front) the selected tab
// always names the page in front, and the window's page routines ran for it.
class TabInput : public ConsoleFixture {
protected:
    void SetUp() override {
        ConsoleFixture::SetUp();
        SendCycle(Detector());
        ASSERT_EQ(window->ActivePage(), Page::Range);
    }
    std::string SelectedTab() const {
        const PageTabBar* bar = window->pcMain->TabBar();
        return bar->NoneSelected() ? std::string()
                                   : bar->tabText(bar->currentIndex()).toStdString();
    }
    void Wheel(int angle) {
        PageTabBar* bar = window->pcMain->TabBar();
        const QPointF at = bar->tabRect(bar->currentIndex()).center();
        QWheelEvent event(at, bar->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &event);
    }
};

TEST_F(TabInput, TheWheelMovesNeitherTabNorPage) {
    const std::vector<int> armed = ArmedSlots();
    for (int angle : {120, -120, -120}) {
        Wheel(angle);
        EXPECT_EQ(window->ActivePage(), Page::Range);
        EXPECT_EQ(SelectedTab(), "Settings <F3>");
    }
    EXPECT_EQ(ArmedSlots(), armed);
}

TEST_F(TabInput, ArrowKeysOnTheTabBarBringTheirPage) {
    PageTabBar* bar = window->pcMain->TabBar();
    bar->setFocus();
    ASSERT_TRUE(bar->hasFocus());
    QTest::keyClick(bar, Qt::Key_Left);
    EXPECT_EQ(window->ActivePage(), Page::TuneUp);
    EXPECT_EQ(SelectedTab(), "Calibration <F2>");
    EXPECT_TRUE(window->gbOscillogram->isHidden());

    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(window->ActivePage(), Page::Range);
    EXPECT_EQ(SelectedTab(), "Settings <F3>");
    EXPECT_FALSE(window->gbOscillogram->isHidden());
}

} // namespace
} // namespace console
