// Tab painting that leaves every tab unselected while a tab-less page is in front; no wheel.
#include "console/PageTabBar.h"

#include <QStyleOptionTab>
#include <QStylePainter>
#include <QWheelEvent>

namespace console {

PageTabBar::PageTabBar(QWidget* parent)
    : QTabBar(parent) {
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
}

void PageTabBar::SetNoneSelected(bool none) {
    if (bNoneSelected == none)
        return;
    bNoneSelected = none;
    update();
}

void PageTabBar::paintEvent(QPaintEvent* event) {
    if (!bNoneSelected) {
        QTabBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.state &= ~QStyle::State_Selected;
        option.position = QStyleOptionTab::Middle;
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
}

// A wheel turned over the tabs by accident would change pages, and entering the Calibration
// page sends the detector a command.
void PageTabBar::wheelEvent(QWheelEvent* event) {
    event->accept();
}

} // namespace console
