// The drop-down announcement before the list opens.
#include "console/PortComboBox.h"

namespace console {

void PortComboBox::showPopup() {
    emit dropDown();
    QComboBox::showPopup();
}

} // namespace console
