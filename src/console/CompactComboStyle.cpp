// The arrow keeps 12 pixels at the right; the text gets the rest, shortened if it needs more.
#include "console/CompactComboStyle.h"

#include <QComboBox>
#include <QPainter>
#include <QStyleOptionComboBox>

namespace console {

namespace {
constexpr int kArrowWidth = 12;

// Where the value's text goes inside the field.
QRect TextRect(const QRect& field) {
    return field.adjusted(1, 0, 0, 0);
}
} // namespace

QRect CompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl subControl, const QWidget* widget) const {
    if (control == CC_ComboBox) {
        const QRect r = option->rect;
        if (subControl == SC_ComboBoxArrow)
            return {r.right() - kArrowWidth, r.top() + 1, kArrowWidth, r.height() - 2};
        if (subControl == SC_ComboBoxEditField)
            return {r.left() + 2, r.top() + 1, r.width() - kArrowWidth - 3, r.height() - 2};
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

void CompactComboStyle::drawControl(ControlElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (element != CE_ComboBoxLabel || !combo) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect field = subControlRect(CC_ComboBox, combo, SC_ComboBoxEditField, widget);
    const QRect text = TextRect(field);
    painter->save();
    painter->setClipRect(field);
    drawItemText(painter, text, Qt::AlignLeft | Qt::AlignVCenter, combo->palette,
                 combo->state & State_Enabled,
                 combo->fontMetrics.elidedText(combo->currentText, Qt::ElideRight, text.width()),
                 QPalette::ButtonText);
    painter->restore();
}

bool CompactComboStyle::ShowsWhole(const QComboBox* box, const QString& text) const {
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect field = subControlRect(CC_ComboBox, &option, SC_ComboBoxEditField, box);
    return box->fontMetrics().horizontalAdvance(text) <= TextRect(field).width();
}

} // namespace console
