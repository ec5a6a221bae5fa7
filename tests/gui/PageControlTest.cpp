// The page control: tabs come and go with the page rules while every page stays selectable,
// and a page in front without its tab leaves no tab looking selected.
#include "console/PageControl.h"
#include "console/PageTabBar.h"

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

} // namespace
} // namespace console
