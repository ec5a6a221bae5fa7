// What the link asks of the window: views to refresh, page and note changes, settings
// and error reports. The window implements it; tests use a recording fake.
#pragma once

#include "link/PortList.h"

#include <string>

namespace detlink {

enum class PortNote { SelectPort, CannotOpen };

class LinkObserver {
public:
    virtual ~LinkObserver() = default;
    // Views of the status panel; each reads the link's Status after it was updated.
    virtual void ShowPosition() = 0;
    virtual void PlaceSetupMarkers() = 0;
    virtual void ShowSetup() = 0;
    virtual void ShowSpeed() = 0;
    virtual void ShowSignalLevel() = 0;
    virtual void ShowIdentity() = 0;
    virtual void ShowSupply() = 0;
    virtual void IdentifyDetector() = 0;
    // The view steps of a status reset; the link has already reset its records and slot 0.
    virtual void ResetStatus() = 0;
    virtual void OnSignalWord() = 0;
    virtual void OnStateWord() = 0;
    // The state label shows "Pause" on the colours of state 7.
    virtual void ShowPauseState() = 0;
    virtual bool IsCalibrationPageActive() const = 0;
    virtual void ShowCalibrationPage() = 0;
    // Note panel: "Select detector connection port ..." or "Cannot open selected COM port !!!".
    virtual void ShowPortNote(PortNote note) = 0;
    // The cbComPort combo box.
    virtual PortListView& PortList() = 0;
    // Writes ComPort of section Connection in the settings file.
    virtual void StoreComPort(int port) = 0;
    // An error raised inside a link cycle; an empty message for errors of unknown type.
    // Shown without waiting for the operator: the next cycle must come on time.
    virtual void ReportError(const std::string& message) = 0;
};

} // namespace detlink
