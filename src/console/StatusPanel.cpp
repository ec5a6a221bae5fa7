// Layout of the status panel: one caption and one centred value per line, 16 pixels apart.
#include "console/StatusPanel.h"

#include "console/PortComboBox.h"

#include <QEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace console {

namespace {

constexpr int kCaptionX = 3;
constexpr int kCaptionWidth = 68;
constexpr int kValueX = 71;
constexpr int kValueWidth = 76;
constexpr int kLineHeight = 15;

QLabel* Caption(QWidget* parent, const char* text, int y) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(kCaptionX, y, kCaptionWidth, kLineHeight);
    return label;
}

QLabel* Value(QWidget* parent, int y) {
    auto* label = new QLabel(QStringLiteral("---"), parent);
    label->setGeometry(kValueX, y, kValueWidth, kLineHeight);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

StatusPanel::StatusPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Parameters"), parent) {
    Caption(this, "Detector:", 16);
    lModel = Value(this, 16);
    Caption(this, "Version:", 32);
    lVersion = Value(this, 32);
    Caption(this, "Output type:", 48);
    lOutput = Value(this, 48);
    Caption(this, "Unit ID:", 64);
    lUnitId = Value(this, 64);
    lPositionCaption = Caption(this, "Position:", 80);
    lPosition = Value(this, 80);
    lAddressCaption = Caption(this, "Address:", 96);
    lAddress = Value(this, 96);
    Caption(this, "Mode:", 112);
    lState = Value(this, 112);
    lState->setAutoFillBackground(true);
    Caption(this, "Zone length:", 128);
    lDist = Value(this, 128);
    Caption(this, "Setup method:", 144);
    lRegul = Value(this, 144);
    Caption(this, "Sensitivity:", 160);
    lSens = Value(this, 160);
    Caption(this, "Speed:", 176);
    lSpeed = Value(this, 176);
    Caption(this, "Signal level:", 192);
    lAver = Value(this, 192);
    Caption(this, "Power:", 208);
    lPower = Value(this, 208);
    lConnection = Caption(this, "Connection <F4>", 228);
    lConnection->setGeometry(kCaptionX, 228, 141, kLineHeight);
    lConnection->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    cbComPort = new PortComboBox(this);
    cbComPort->setGeometry(8, 244, 133, 21);
    SetPositionVisible(false);
    SetAddressVisible(false);
}

void StatusPanel::SetPositionVisible(bool visible) {
    lPositionCaption->setVisible(visible);
    lPosition->setVisible(visible);
}

void StatusPanel::SetAddressVisible(bool visible) {
    lAddressCaption->setVisible(visible);
    lAddress->setVisible(visible);
}

void StatusPanel::SetState(const QString& text, const QColor& background,
                           const QColor& foreground) {
    lState->setText(text);
    QPalette palette = lState->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, foreground);
    lState->setPalette(palette);
}

// The values behind which the frame shows change many times a second, and the style draws
// the frame from a scaled picture each time: drawn once, it is copied from then on. The title
// is drawn by the style itself, so its text keeps the screen's antialiasing.
void StatusPanel::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (frameCache.isNull() || frameCache.size() != size() * ratio) {
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        titleRect =
            style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
        frameCache = QPixmap(size() * ratio);
        frameCache.setDevicePixelRatio(ratio);
        frameCache.fill(Qt::transparent);
        QStylePainter painter(&frameCache, this);
        painter.drawComplexControl(QStyle::CC_GroupBox, option);
    }
    const QRect dirty = event->rect();
    if (dirty.intersects(titleRect)) {
        QGroupBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(dirty, frameCache,
                       QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}

void StatusPanel::changeEvent(QEvent* event) {
    frameCache = QPixmap();
    QGroupBox::changeEvent(event);
}

} // namespace console
