// The page area: a tab bar over a stack of pages; a page's tab can be hidden while the
// page itself stays selectable by code, and then no tab shows as selected.
#pragma once

#include "console/Pages.h"

#include <QWidget>

#include <array>

class QLabel;
class QStackedWidget;

namespace console {

class PageTabBar;

class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Pages are added once, in tab order.
    void AddPage(Page page, QWidget* widget, const QString& caption);

    void SetTabVisible(Page page, bool visible);
    bool TabVisible(Page page) const { return tabVisible[Index(page)]; }

    Page ActivePage() const { return active; }
    // Brings the page to the front; emits pageChanged when it was not in front.
    void SetActivePage(Page page);

    PageTabBar* TabBar() const { return tabBar; }
    // A short line at the right end of the tab row, where it covers neither a tab nor a page:
    // what the window keeps waiting to be written. Empty hides it.
    void SetCornerText(const QString& text, const QString& toolTip);
    QLabel* CornerLabel() const { return cornerLabel; }
    QWidget* PageWidget(Page page) const { return pages[Index(page)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    void pageChanged(console::Page from, console::Page to);

private:
    static int Index(Page page) { return static_cast<int>(page); }
    void SelectTab(int tab);
    void RebuildTabs();
    void SyncTabSelection();
    void PlaceCornerLabel();

    PageTabBar* tabBar;
    QStackedWidget* stack;
    QLabel* cornerLabel;
    std::array<QWidget*, kPageCount> pages{};
    std::array<QString, kPageCount> captions;
    std::array<bool, kPageCount> tabVisible{};
    Page active = Page::About;
};

} // namespace console
