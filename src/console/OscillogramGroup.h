// The "Oscillogram" group of the left column: scale buttons, play buttons and the auto-fit switch.
#pragma once

#include <QGroupBox>

class QButtonGroup;
class QCheckBox;
class QToolButton;

namespace console {

class OscillogramGroup : public QGroupBox {
public:
    explicit OscillogramGroup(QWidget* parent = nullptr);

    QToolButton* sbBottomAxisSlow;
    QToolButton* sbBottomAxisFast;
    QToolButton* sbLeftAxisUp;
    QToolButton* sbLeftAxisDown;
    QToolButton* sbOscPlay;
    QToolButton* sbOscAlarm;
    QToolButton* sbOscPause;
    // One play button is always down; the ids are the values of oscillogram::PlayMode.
    QButtonGroup* playButtons;
    QCheckBox* chbAutoYScale;
};

} // namespace console
