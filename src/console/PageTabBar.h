// A tab bar that can show none of its tabs as selected, for a page whose own tab is hidden,
// and that ignores the mouse wheel.
#pragma once

#include <QTabBar>

namespace console {

class PageTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit PageTabBar(QWidget* parent = nullptr);
    void SetNoneSelected(bool none);
    bool NoneSelected() const { return bNoneSelected; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool bNoneSelected = false;
};

} // namespace console
