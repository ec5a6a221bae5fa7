// The Calibration page's controls: signal and maximum labels, the reset button, the chart.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace console {

class CalibrationPage : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationPage(QWidget* parent = nullptr);

    QLabel* lSignal;
    QLabel* lTuneUpMax;
    QPushButton* btnTuneUpClear;
};

} // namespace console
