// The COM port drop-down: announces that its list is about to open, so the list can be
// rebuilt from the system's ports first.
#pragma once

#include <QComboBox>

namespace console {

class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void dropDown();
};

} // namespace console
