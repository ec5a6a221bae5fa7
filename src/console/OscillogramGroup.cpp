// The oscillogram group's controls in their fixed places.
#include "console/OscillogramGroup.h"

#include "oscillogram/OscillogramControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace console {

namespace {
constexpr int kScaleButton = 17;

QLabel* Caption(const QString& text, QWidget* parent, int x, int y, int width) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 13);
    return label;
}

// A scale button at the left column's button place, with its shortcut beside it.
QToolButton* ScaleButton(const QString& glyph, const QString& shortcut, QWidget* parent, int y) {
    auto* button = new QToolButton(parent);
    button->setText(glyph);
    button->setGeometry(42, y, kScaleButton, kScaleButton);
    button->setFocusPolicy(Qt::NoFocus);
    Caption(shortcut, parent, 62, y + 2, 48);
    return button;
}

QToolButton* PlayButton(QStyle::StandardPixmap glyph, const QString& hint, QWidget* box, int y) {
    auto* button = new QToolButton(box);
    button->setIcon(box->style()->standardIcon(glyph));
    button->setToolTip(hint);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(2, y, 24, 20);
    return button;
}
} // namespace

OscillogramGroup::OscillogramGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Oscillogram"), parent) {
    Caption(QStringLiteral("max X:"), this, 6, 16, 36);
    sbBottomAxisSlow = ScaleButton(QStringLiteral("+"), QStringLiteral("<Ctrl-Q>"), this, 14);
    sbBottomAxisFast = ScaleButton(QStringLiteral("\u2212"), QStringLiteral("<Ctrl-W>"), this, 32);
    Caption(QStringLiteral("max Y:"), this, 6, 55, 36);
    sbLeftAxisUp = ScaleButton(QStringLiteral("+"), QStringLiteral("<Ctrl-A>"), this, 53);
    sbLeftAxisDown = ScaleButton(QStringLiteral("\u2212"), QStringLiteral("<Ctrl-S>"), this, 71);

    Caption(QStringLiteral("<F7>"), this, 112, 12, 32)->setAlignment(Qt::AlignCenter);
    auto* box = new QFrame(this);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setGeometry(113, 26, 30, 64);
    sbOscPlay = PlayButton(QStyle::SP_MediaPlay, QStringLiteral("Show"), box, 2);
    sbOscAlarm =
        PlayButton(QStyle::SP_MediaSkipForward, QStringLiteral("Show until alarm"), box, 22);
    sbOscPause = PlayButton(QStyle::SP_MediaPause, QStringLiteral("Pause"), box, 42);
    playButtons = new QButtonGroup(this);
    playButtons->setExclusive(true);
    playButtons->addButton(sbOscPlay, static_cast<int>(oscillogram::PlayMode::Show));
    playButtons->addButton(sbOscAlarm, static_cast<int>(oscillogram::PlayMode::ShowUntilAlarm));
    playButtons->addButton(sbOscPause, static_cast<int>(oscillogram::PlayMode::Pause));
    sbOscPlay->setChecked(true);

    chbAutoYScale = new QCheckBox(QStringLiteral("Autoscaling Y<Ctrl-Z>"), this);
    chbAutoYScale->setGeometry(6, 95, 138, 17);
    chbAutoYScale->setChecked(true);
}

} // namespace console
