// Tells the model's listeners of each new revision.
#include "chart/ChartModel.h"

namespace chart {

void ChartModel::Touch() {
    ++revision_;
    // By index: a listener may subscribe another one while it is told.
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        if (const auto listener = listeners_[i].lock())
            (*listener)();
}

std::shared_ptr<const ChartModel::TouchListener> ChartModel::OnTouch(TouchListener listener) const {
    std::erase_if(listeners_, [](const auto& weak) { return weak.expired(); });
    auto handle = std::make_shared<const TouchListener>(std::move(listener));
    listeners_.push_back(handle);
    return handle;
}

} // namespace chart
