// The merge edits the combo box without its handlers running: only the operator's pick is
// a port change.
#include "console/ComPortList.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace console {

int ComPortList::Count() const {
    return box->count();
}

std::string ComPortList::Text(int index) const {
    return box->itemText(index).toStdString();
}

void ComPortList::Insert(int index, const std::string& text) {
    const QSignalBlocker blocker(box);
    box->insertItem(index, QString::fromStdString(text));
}

void ComPortList::Remove(int index) {
    const QSignalBlocker blocker(box);
    box->removeItem(index);
}

int ComPortList::Selected() const {
    return box->currentIndex();
}

void ComPortList::Select(int index) {
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
}

} // namespace console
