// The detector's fixed vocabulary: model, output kind, state, setup-method and identity texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// Every function takes the status fields as they come and keeps only the field's bits
// (band 1, dev 3, out 2, state 3, reg 2, ctrl_pp_mp 1, cs 1, prog 3, letter 2, symbol 4,
// number 7), so any int gives the answer the detector's field would.

// Indexed by band * 8 + dev; band 0 is the 10 band, 1 the 24 band.
extern const std::array<std::string_view, 16> ModelNames;
extern const std::array<std::string_view, 4> OutputKindNames;
// The detector's states as the kind-2 word reports them; the link writes Disconnection (6)
// at a status reset and Pause (7) when telemetry stops.
enum DetectorState : int {
    StateNormal = 0,
    StateAlarm = 1,
    StateCalibration = 2,
    StateMalfunction = 3,
    StateSettingsChange = 4,
    State5 = 5,
    StateDisconnection = 6,
    StatePause = 7
};
extern const std::array<std::string_view, 8> StateNames;
// Indexed by [reg][ctrl_pp_mp]; ctrl_pp_mp tells only reg 1's two special methods apart.
extern const std::array<std::array<std::string_view, 2>, 4> RegulationNames;

std::string ModelName(int band, int dev);
// Zone lengths the Settings page offers: 10 m steps from 10 m, this many entries (5 ... 30).
int ZoneLengthCount(int dev);
// The zone index (dist) of the first zone-length entry, "10".
inline constexpr int kFirstZoneIndex = 2;
// Device code 2 always shows "OFDM", whatever out says.
std::string OutputKindName(int dev, int out);
bool IsAddressed(int dev, int out);
// Device codes 0 and 1 let the operator change the Unit ID.
bool UnitIdEditable(int dev);

// The state label's colours. State 5 uses two of the system's colours, which only the
// console can resolve; rgb then holds the usual Windows value as a stand-in.
enum class SystemColour { None, ButtonFace, WindowText };
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};
struct Colour {
    Rgb rgb;
    SystemColour system = SystemColour::None;
    bool operator==(const Colour&) const = default;
};
struct StateColourPair {
    Colour background;
    Colour text;
    bool operator==(const StateColourPair&) const = default;
};
extern const std::array<StateColourPair, 8> StateColours;

std::string StateName(int state);
StateColourPair StateColour(int state);

std::string RegulationName(int reg, int ctrl_pp_mp);

// The setup methods as reg codes them.
enum Regulation : int { RegManual = 0, RegSpecial = 1, RegAuto = 2, RegAuto3 = 3 };
// The Settings page's method list positions.
enum SettingsMethodItem : int {
    MethodAuto = 0,
    MethodManual = 1,
    MethodSpecial1 = 2,
    MethodSpecial2 = 3
};

// A setup method as the status codes hold it.
struct Method {
    int reg = 0;
    int ctrl_pp_mp = 0;
    bool operator==(const Method&) const = default;
};
std::vector<std::string> SettingsMethodList(int cs);
std::vector<std::string> SetupMethodList(bool inSpecial);
// Settings-page list position of the method: reg 0 -> 1, reg 1 -> 2 + ctrl_pp_mp, reg 2, 3 -> 0.
int MethodPosition(int reg, int ctrl_pp_mp);
// The same position when the list for cs actually holds it; none for "Special 2" with cs 0.
std::optional<int> SettingsMethodPosition(int cs, int reg, int ctrl_pp_mp);
// Position -> status codes (0 -> reg 2, 1 -> reg 0, 2 -> reg 1/0, 3 -> reg 1/1); none outside 0
// ... 3.
std::optional<Method> MethodOfPosition(int position);
// Setup-page position: "Auto" 0 (reg 2, 3), "Manual" 1 (reg 0), "Special" 2 (reg 1).
int SetupMethodPosition(int reg);

// Sensitivity steps 0 ... 31 (100 % down to 38 %); a detector with cs 0 uses 0 ... 18.
inline constexpr int kSensitivitySteps = 32;
inline constexpr int kShortSensitivitySteps = 19;
int SensitivityStepCount(int cs);
int MinSensitivity(int cs);

// "1" ... "4".
std::string UnitIdText(int letter);
// The symbol's letter then the number in two digits ("B07"); symbol 15 reads "P".
std::string PositionText(int symbol, int number);
// cs "." prog, e.g. "1.3"; a fixed point, not the locale's separator.
std::string VersionText(int cs, int prog);

// number 127: the detector has not reported a position.
inline constexpr int kNoPosition = 127;
// The symbol a status reset gives the unreported position ("P").
inline constexpr int kNoPositionSymbol = 15;

} // namespace catalogue
