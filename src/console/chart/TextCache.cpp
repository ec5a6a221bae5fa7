// The laid-out tick texts of a chart.
#include "console/chart/TextCache.h"

#include <QPainter>

namespace console {
namespace {

// Axes rescale and scroll; past this many texts the old ones are unlikely to come back.
constexpr qsizetype kMaxTexts = 256;

} // namespace

void TextCache::Draw(QPainter& p, const QRect& box, Qt::Alignment align, const QString& text) {
    auto found = texts_.find(text);
    if (found == texts_.end()) {
        if (texts_.size() >= kMaxTexts)
            texts_.clear();
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), p.font());
        found = texts_.insert(text, laid);
    }
    const QSizeF size = found->size();
    qreal x = box.x();
    if (align & Qt::AlignRight)
        x += box.width() - size.width();
    else if (align & Qt::AlignHCenter)
        x += (box.width() - size.width()) / 2;
    qreal y = box.y();
    if (align & Qt::AlignBottom)
        y += box.height() - size.height();
    else if (align & Qt::AlignVCenter)
        y += (box.height() - size.height()) / 2;
    p.drawStaticText(QPointF(x, y), *found);
}

} // namespace console
