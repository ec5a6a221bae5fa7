// The COM port combo box as the link's port-list merge sees it.
#pragma once

#include "link/PortList.h"

class QComboBox;

namespace console {

class ComPortList final : public detlink::PortListView {
public:
    explicit ComPortList(QComboBox* box)
        : box(box) {}

    int Count() const override;
    std::string Text(int index) const override;
    void Insert(int index, const std::string& text) override;
    void Remove(int index) override;
    int Selected() const override;
    void Select(int index) override;

private:
    QComboBox* box;
};

} // namespace console
