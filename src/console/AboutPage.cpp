// The About picture is painted here rather than loaded, so the tool ships no image files.
#include "console/AboutPage.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace console {

namespace {

constexpr int kPictureWidth = 463;
constexpr int kPictureHeight = 167;

// Two detector posts on a perimeter with the beam's lobe between them.
QPixmap DrawPicture() {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF ground(0, 128, kPictureWidth, 39);
    painter.fillRect(ground, QColor(96, 140, 72));

    QPainterPath lobe;
    lobe.moveTo(58, 74);
    lobe.cubicTo(160, 8, 300, 8, 405, 74);
    lobe.cubicTo(300, 140, 160, 140, 58, 74);
    QLinearGradient beam(58, 0, 405, 0);
    beam.setColorAt(0, QColor(255, 200, 40, 200));
    beam.setColorAt(0.5, QColor(255, 120, 30, 90));
    beam.setColorAt(1, QColor(255, 200, 40, 200));
    painter.setPen(QPen(QColor(200, 90, 20), 1.5));
    painter.setBrush(beam);
    painter.drawPath(lobe);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 70, 78));
    for (const int x : {44, 405}) {
        painter.drawRect(x + 6, 78, 4, 52);
        painter.drawRoundedRect(QRectF(x, 60, 16, 26), 3, 3);
    }

    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(20, 40, 110));
    painter.drawText(QRectF(0, 50, kPictureWidth, 48), Qt::AlignCenter, QStringLiteral("Mirelund"));
    font.setPixelSize(13);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(ground, Qt::AlignCenter, QStringLiteral("perimeter detector service"));
    return pixmap;
}

} // namespace

AboutPage::AboutPage(QWidget* parent)
    : QWidget(parent)
    , imgLogo(new QLabel(this))
    , memoContacts(new QLabel(this)) {
    imgLogo->setGeometry(89, 10, kPictureWidth, kPictureHeight);
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(DrawPicture());

    QFont font = memoContacts->font();
    font.setPixelSize(16);
    memoContacts->setFont(font);
    memoContacts->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    memoContacts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    memoContacts->setText(QStringLiteral("www.mirelund.example\n"
                                         "E-mail: service@mirelund.example\n"
                                         "Tel.: +00 (000) 000-00-00"));
}

void AboutPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    memoContacts->setGeometry(0, 190, width(), height() - 190);
}

} // namespace console
