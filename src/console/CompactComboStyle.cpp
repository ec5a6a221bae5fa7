// The arrow keeps 12 pixels at the right; the text gets the rest.
#include "console/CompactComboStyle.h"

#include <QPainter>
#include <QStyleOptionComboBox>

namespace console {

namespace {
constexpr int kArrowWidth = 12;
}

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
    painter->save();
    painter->setClipRect(field);
    drawItemText(painter, field.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 combo->palette, combo->state & State_Enabled, combo->currentText,
                 QPalette::ButtonText);
    painter->restore();
}

} // namespace console
