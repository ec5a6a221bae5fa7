// A link observer that shows nothing, for benchmarks and fuzzing: it keeps a port list, counts
// the errors the link reports, and throws from its next view when asked, as a failing view would.
// Also the vector-backed port list every test of the link uses.
#pragma once

#include "link/LinkObserver.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

class VectorPortList final : public detlink::PortListView {
public:
    std::vector<std::string> items;
    int selected = -1;
    int Count() const override { return static_cast<int>(items.size()); }
    std::string Text(int i) const override { return items.at(static_cast<std::size_t>(i)); }
    void Insert(int i, const std::string& t) override { items.insert(items.begin() + i, t); }
    void Remove(int i) override {
        items.erase(items.begin() + i);
        if (selected >= Count()) {
            selected = -1;
        }
    }
    int Selected() const override { return selected; }
    void Select(int i) override { selected = i; }
};

class QuietLinkObserver final : public detlink::LinkObserver {
public:
    bool throwInView = false;
    int errors = 0;
    VectorPortList list;

    void ShowPosition() override { View(); }
    void PlaceSetupMarkers() override { View(); }
    void ShowSetup() override { View(); }
    void ShowSpeed() override { View(); }
    void ShowSignalLevel() override { View(); }
    void ShowIdentity() override { View(); }
    void ShowSupply() override { View(); }
    void IdentifyDetector() override { View(); }
    void ResetStatus() override {}
    void OnSignalWord() override { View(); }
    void OnStateWord() override { View(); }
    void ShowPauseState() override {}
    bool IsCalibrationPageActive() const override { return false; }
    void ShowCalibrationPage() override {}
    void ShowPortNote(detlink::PortNote) override {}
    detlink::PortListView& PortList() override { return list; }
    void StoreComPort(int) override {}
    void ReportError(const std::string&) override { ++errors; }

private:
    void View() {
        if (throwInView) {
            throwInView = false;
            throw std::runtime_error("view fault");
        }
    }
};

} // namespace testing_support
