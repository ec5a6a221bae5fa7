// Setup page layout: the tuning group, the signal line, the chart and the alarm group.
#include "console/SetupPage.h"

#include "catalogue/DetectorCatalogue.h"
#include "catalogue/ValueScales.h"

#include <string>

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>

namespace console {

namespace {

constexpr int kChartTop = 120;
constexpr int kChartHeight = 145;
constexpr int kZoneItems = 30;
constexpr int kZoneRowsOpen = 24;

QLabel* Label(QWidget* parent, const QString& text, QPoint at, int width = 0,
              Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    if (width > 0)
        label->setFixedWidth(width);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

void SetupMethodBox::showPopup() {
    if (!onDropDown || onDropDown())
        QComboBox::showPopup();
}

void SetupMethodBox::keyPressEvent(QKeyEvent* event) {
    if (keysLocked && keysLocked()) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void SetupMethodBox::wheelEvent(QWheelEvent* event) {
    if (keysLocked && keysLocked()) {
        event->accept();
        return;
    }
    QComboBox::wheelEvent(event);
}

ArrowSpinBox::ArrowSpinBox(QWidget* parent)
    : QSpinBox(parent) {
    lineEdit()->setReadOnly(true);
}

SetupPage::SetupPage(QWidget* parent)
    : QWidget(parent) {
    auto* group = new QWidget(this);
    group->setGeometry(10, 6, 555, 93);
    Label(group, QStringLiteral("Setup method:"), {18, 18}, 93, Qt::AlignRight);
    cbRegulSense = new SetupMethodBox(group);
    cbRegulSense->setGeometry(112, 14, 113, cbRegulSense->sizeHint().height());
    for (const std::string& item : catalogue::SetupMethodList(false))
        cbRegulSense->addItem(QString::fromStdString(item));
    Label(group, QStringLiteral("Zone length:"), {26, 42}, 85, Qt::AlignRight);
    cbDistSense = new QComboBox(group);
    cbDistSense->setGeometry(112, 38, 49, cbDistSense->sizeHint().height());
    for (int item = 0; item < kZoneItems; ++item)
        cbDistSense->addItem(
            QString::number(catalogue::ZoneLengthOfIndex(item + catalogue::kFirstZoneIndex)));
    cbDistSense->setMaxVisibleItems(kZoneRowsOpen);
    cbDistSense->setCurrentIndex(kZoneItems - 1);
    Label(group, QStringLiteral("m"), {164, 41});
    Label(group, QStringLiteral("Sensitivity:"), {11, 66}, 100, Qt::AlignRight);
    speSense = new ArrowSpinBox(group);
    speSense->setGeometry(112, 62, 41, 22);
    speSense->setRange(38, 100);
    speSense->setSingleStep(2);
    speSense->setValue(50);
    Label(group, QStringLiteral("%"), {155, 66});
    btnApplySense = new QPushButton(QStringLiteral("Apply <F5>"), group);
    btnApplySense->setGeometry(264, 40, 97, 23);
    btnCancelSense = new QPushButton(QStringLiteral("Cancel <Esc>"), group);
    btnCancelSense->setGeometry(416, 38, 97, 25);

    Label(this, QStringLiteral("Signal:"), {16, 104}, 64, Qt::AlignRight);
    lSenseSignal = Label(this, QStringLiteral("0"), {88, 104}, 40, Qt::AlignHCenter);
    Label(this, QStringLiteral("mV"), {131, 104});

    alarmGroup = new QGroupBox(this);
    alarmGroup->setGeometry(91, 252, 390, 45);
    chbSaveTrvSense = new QCheckBox(QStringLiteral("Save alarms <F6>"), alarmGroup);
    chbSaveTrvSense->setGeometry(8, 16, 161, 17);
    lTrvSense = Label(alarmGroup, QStringLiteral("Alarms:"), {192, 18});
    lTrvSense->setEnabled(false);
    lTrvNumberSense = Label(alarmGroup, QStringLiteral("0"), {240, 18});
    QFont bold = lTrvNumberSense->font();
    bold.setBold(true);
    lTrvNumberSense->setFont(bold);
    lTrvNumberSense->setEnabled(false);
    btnClearTrvSense = new QPushButton(QStringLiteral("Reset <F8>"), alarmGroup);
    btnClearTrvSense->setGeometry(280, 12, 97, 25);
    btnClearTrvSense->setEnabled(false);
}

void SetupPage::PlaceChart(QWidget* widget) {
    chart = widget;
    chart->setParent(this);
    chart->setGeometry(0, kChartTop, width(), kChartHeight);
    // The alarm group sits over the chart's foot.
    alarmGroup->raise();
}

void SetupPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (chart)
        chart->setGeometry(0, kChartTop, width(), kChartHeight);
}

} // namespace console
