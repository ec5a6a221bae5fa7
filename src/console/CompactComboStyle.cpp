// The arrow keeps 12 pixels at the right; the text gets the rest.
#include "console/CompactComboStyle.h"

#include <QStyleOptionComplex>

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

} // namespace console
