// Texts a chart draws again and again (tick values), laid out once: shaping a text costs far
// more than drawing it, and a chart at line rate repaints many times a second.
#pragma once

#include <QHash>
#include <QRect>
#include <QStaticText>
#include <QString>

class QPainter;

namespace console {

class TextCache {
public:
    // Draws text aligned in box as QPainter::drawText would, in the painter's font.
    void Draw(QPainter& p, const QRect& box, Qt::Alignment align, const QString& text);

private:
    QHash<QString, QStaticText> texts_;
};

} // namespace console
