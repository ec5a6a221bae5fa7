// A combo-box look with a narrow arrow, so that the Settings band's small boxes still show
// their values whole; a value wider than its box is drawn shortened with an ellipsis.
#pragma once

#include <QProxyStyle>

class QComboBox;

namespace console {

class CompactComboStyle : public QProxyStyle {
    Q_OBJECT
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;
    // The value is drawn in the narrowed field, whatever field the base style would use.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    // Whether text is drawn whole in box, which has this style.
    bool ShowsWhole(const QComboBox* box, const QString& text) const;
};

} // namespace console
