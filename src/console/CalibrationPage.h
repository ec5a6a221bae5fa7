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
    // Places the chart below the top row, following the page's width; returns it.
    template <typename Chart> Chart* SetChart(Chart* chart) {
        PlaceChart(chart);
        return chart;
    }

    QLabel* lSignal;
    QLabel* lTuneUpMax;
    QPushButton* btnTuneUpClear;

private:
    void PlaceChart(QWidget* chart);
};

} // namespace console
