// Calibration page layout: the labels and button of the top row at fixed places.
#include "console/CalibrationPage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {

namespace {

constexpr int kChartTop = 64;
constexpr int kChartHeight = 217;

QLabel* Label(QWidget* parent, const QString& text, QRect geometry, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

CalibrationPage::CalibrationPage(QWidget* parent)
    : QWidget(parent) {
    Label(this, QStringLiteral("Signal:"), {16, 32, 64, 13}, Qt::AlignRight);
    lSignal = Label(this, QStringLiteral("0"), {88, 32, 49, 13}, Qt::AlignHCenter);
    Label(this, QStringLiteral("mV"), {139, 32, 30, 13}, Qt::AlignLeft);
    Label(this, QStringLiteral("Maximum:"), {200, 32, 64, 13}, Qt::AlignRight);
    lTuneUpMax = Label(this, QStringLiteral("0"), {272, 32, 40, 13}, Qt::AlignHCenter);
    Label(this, QStringLiteral("mV"), {315, 32, 30, 13}, Qt::AlignLeft);
    btnTuneUpClear = new QPushButton(QStringLiteral("Reset maximum <F8>"), this);
    btnTuneUpClear->setGeometry(400, 24, 145, 25);
    btnTuneUpClear->setFocusPolicy(Qt::NoFocus);
}

void CalibrationPage::PlaceChart(QWidget* chart) {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, kChartTop, 2, 0);
    chart->setParent(this);
    chart->setFixedHeight(kChartHeight);
    rows->addWidget(chart);
    rows->addStretch(1);
}

} // namespace console
