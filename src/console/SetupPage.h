// The Setup page's controls: method, zone and sensitivity with Apply and Cancel, the signal
// line, the chart and the alarm counter group, at their fixed places.
#pragma once

#include <QComboBox>
#include <QSpinBox>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace console {

// The setup method box: its list opens only when onDropDown allows it, and while keysLocked
// holds it takes no key or wheel, so it can only change through the list.
class SetupMethodBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override;

    std::function<bool()> onDropDown;
    std::function<bool()> keysLocked;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

// A spin box changed by its arrows only: its text cannot be typed.
class ArrowSpinBox : public QSpinBox {
public:
    explicit ArrowSpinBox(QWidget* parent = nullptr);
};

class SetupPage : public QWidget {
    Q_OBJECT
public:
    explicit SetupPage(QWidget* parent = nullptr);
    // Places the chart below the signal line, following the page's width; returns it.
    template <typename Chart> Chart* SetChart(Chart* chart) {
        PlaceChart(chart);
        return chart;
    }

    SetupMethodBox* cbRegulSense;
    QComboBox* cbDistSense;
    ArrowSpinBox* speSense;
    QPushButton* btnApplySense;
    QPushButton* btnCancelSense;
    QLabel* lSenseSignal;
    QCheckBox* chbSaveTrvSense;
    QLabel* lTrvSense;
    QLabel* lTrvNumberSense;
    QPushButton* btnClearTrvSense;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceChart(QWidget* chart);

    QWidget* chart = nullptr;
    QWidget* alarmGroup;
};

} // namespace console
