// Tabs are added and removed by the page rules instead of hidden in place, so a hidden
// tab never leaves a clipped piece of its label on the bar.
#include "console/PageControl.h"

#include "console/PageTabBar.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace console {

PageControl::PageControl(QWidget* parent)
    : QWidget(parent)
    , tabBar(new PageTabBar(this))
    , stack(new QStackedWidget(this))
    , cornerLabel(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabBar);
    stack->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(stack, 1);
    // A click on the tab already current (shown unselected while a tab-less page is in front)
    // changes no index, so clicks are taken as such; the keyboard moves the current index.
    // Both bring the page through SetActivePage; the wheel is refused by the tab bar itself.
    connect(tabBar, &QTabBar::tabBarClicked, this, [this](int tab) { SelectTab(tab); });
    connect(tabBar, &QTabBar::currentChanged, this, [this](int tab) { SelectTab(tab); });
    cornerLabel->setObjectName(QStringLiteral("lblWaitingRecords"));
    cornerLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette palette = cornerLabel->palette();
    palette.setColor(QPalette::WindowText, Qt::darkRed);
    cornerLabel->setPalette(palette);
    cornerLabel->hide();
}

void PageControl::SetCornerText(const QString& text, const QString& toolTip) {
    cornerLabel->setText(text);
    cornerLabel->setToolTip(toolTip);
    cornerLabel->setVisible(!text.isEmpty());
    PlaceCornerLabel();
}

void PageControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceCornerLabel();
}

// From the last tab's end to the row's end, so that a long text is cut rather than drawn
// over the tabs.
void PageControl::PlaceCornerLabel() {
    const int left = tabBar->count() > 0 ? tabBar->tabRect(tabBar->count() - 1).right() + 8 : 0;
    cornerLabel->setGeometry(left, 0, std::max(0, width() - left - 4), tabBar->height());
    cornerLabel->raise();
}

void PageControl::SelectTab(int tab) {
    if (tab >= 0)
        SetActivePage(static_cast<Page>(tabBar->tabData(tab).toInt()));
}

void PageControl::AddPage(Page page, QWidget* widget, const QString& caption) {
    const int i = Index(page);
    pages[i] = widget;
    captions[i] = caption;
    stack->addWidget(widget);
    if (stack->count() == 1) {
        active = page;
        stack->setCurrentWidget(widget);
    }
    tabVisible[i] = true;
    RebuildTabs();
}

void PageControl::SetTabVisible(Page page, bool visible) {
    if (tabVisible[Index(page)] == visible)
        return;
    tabVisible[Index(page)] = visible;
    RebuildTabs();
}

void PageControl::SetActivePage(Page page) {
    if (page == active)
        return;
    const Page from = active;
    active = page;
    stack->setCurrentWidget(pages[Index(page)]);
    SyncTabSelection();
    emit pageChanged(from, page);
}

// The bar's own signals stay quiet while the rules rebuild it or follow the page in front.
void PageControl::RebuildTabs() {
    const QSignalBlocker quiet(tabBar);
    while (tabBar->count() > 0)
        tabBar->removeTab(tabBar->count() - 1);
    for (int i = 0; i < kPageCount; ++i) {
        if (pages[i] && tabVisible[i]) {
            const int tab = tabBar->addTab(captions[i]);
            tabBar->setTabData(tab, i);
        }
    }
    SyncTabSelection();
    PlaceCornerLabel();
}

void PageControl::SyncTabSelection() {
    const QSignalBlocker quiet(tabBar);
    for (int tab = 0; tab < tabBar->count(); ++tab) {
        if (tabBar->tabData(tab).toInt() == Index(active)) {
            tabBar->setCurrentIndex(tab);
            tabBar->SetNoneSelected(false);
            return;
        }
    }
    tabBar->SetNoneSelected(true);
}

} // namespace console
