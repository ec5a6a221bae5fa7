// The alarm group's controls and its frame with the caption on the top line.
#include "console/AlarmsGroup.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace console {

namespace {
constexpr int kWidth = 87;
constexpr int kHeight = 58;
constexpr int kCaptionLeft = 8;
// The group sits three pixels above its page's top edge; the caption's line starts three lower,
// and its letters no higher than the page's second row, so that they are seen whole whatever
// the font (Windows' Tahoma draws its tall letters at the very top of its line).
constexpr int kCaptionTop = 3;
constexpr int kCaptionInkTop = 4;
// Blank space either side of the caption and the number, where the line stops.
constexpr int kGap = 2;
constexpr int kRadius = 2;
// How much of the text's colour a greyed number keeps: the toolkit's own grey is barely
// seen on the button face.
constexpr double kGreyedShare = 0.7;

QColor Mix(const QColor& text, const QColor& ground, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(a * share + b * (1 - share));
    };
    return QColor(channel(text.red(), ground.red()), channel(text.green(), ground.green()),
                  channel(text.blue(), ground.blue()));
}
} // namespace

AlarmsGroup::AlarmsGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Alarms  "), parent) {
    setFixedSize(kWidth, kHeight);
    // The number follows the caption (its two blanks part them) and may grow to the frame's
    // right corner.
    lTrvNumberRange = new QLabel(QStringLiteral("0"), this);
    const QRect caption = CaptionRect();
    lTrvNumberRange->setGeometry(caption.right() + 1, caption.top(),
                                 kWidth - caption.right() - 1 - kCaptionLeft, caption.height());
    lTrvNumberRange->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lTrvNumberRange->setEnabled(false);
    QPalette greyed = lTrvNumberRange->palette();
    greyed.setColor(QPalette::Disabled, QPalette::WindowText,
                    Mix(greyed.color(QPalette::Active, QPalette::WindowText),
                        greyed.color(QPalette::Window), kGreyedShare));
    lTrvNumberRange->setPalette(greyed);

    // Drawn right to left: the check box's square at the right of its caption.
    chbSaveTrvRange = new QCheckBox(QStringLiteral("Save <F6>"), this);
    chbSaveTrvRange->setLayoutDirection(Qt::RightToLeft);
    chbSaveTrvRange->setGeometry(6, 12, 75, 17);
    btnClearTrvRange = new QPushButton(QStringLiteral("Reset <F8>"), this);
    btnClearTrvRange->setGeometry(4, 28, 78, 25);
    btnClearTrvRange->setEnabled(false);
}

QRect AlarmsGroup::CaptionRect() const {
    const QFontMetrics metrics(font());
    const int top = std::max(
        kCaptionTop, kCaptionInkTop - metrics.tightBoundingRect(title()).top() - metrics.ascent());
    return {kCaptionLeft, top, metrics.horizontalAdvance(title()), metrics.height()};
}

void AlarmsGroup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect caption = CaptionRect();
    const int gapRight = lTrvNumberRange->x() +
                         lTrvNumberRange->fontMetrics().horizontalAdvance(lTrvNumberRange->text());
    QRegion around(rect());
    around -= QRect(QPoint(caption.left() - kGap, caption.top()),
                    QPoint(gapRight + kGap, caption.bottom()));
    painter.setClipRegion(around);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Mid));
    const QRectF frame(rect().adjusted(0, caption.center().y(), -1, -1));
    painter.drawRoundedRect(frame.translated(0.5, 0.5), kRadius, kRadius);
    painter.setClipping(false);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, title());
}

} // namespace console
