// The detector's fixed vocabulary: model, output kind, state, setup-method and identity texts.
#include "catalogue/DetectorCatalogue.h"

namespace catalogue {

const std::array<std::string_view, 16> ModelNames = {
    "Tarvik 10",       "Halvexa-PC 10", "Orvel/M 10",      "Orvel 10 (50m)",
    "Orvel 10 (100m)", "Orvel 10",      "Orvel 10 (200m)", "Orvel 10 (300m)",
    "Tarvik 24",       "Halvexa-PC 24", "Orvel/M 24",      "Orvel 24 (50m)",
    "Orvel 24 (100m)", "Orvel 24",      "Orvel 24 (200m)", "Orvel 24 (300m)",
};

const std::array<std::string_view, 4> OutputKindNames = {"Relay", "OFDM", "Radio", "type3"};

const std::array<std::string_view, 8> StateNames = {
    "Normal",          "Alarm",  "Calibration",   "Malfunction",
    "Settings Change", "state5", "Disconnection", "Pause",
};

const std::array<std::array<std::string_view, 2>, 4> RegulationNames = {{
    {"Manual", "Manual"},
    {"Special 1", "Special 2"},
    {"Auto", "Auto"},
    {"Auto.3", "Auto.3"},
}};

namespace {

constexpr Colour kGreen{{0, 128, 0}};
constexpr Colour kRed{{255, 0, 0}};
constexpr Colour kLime{{0, 255, 0}};
constexpr Colour kYellow{{255, 255, 0}};
constexpr Colour kBlue{{0, 0, 255}};
constexpr Colour kWhite{{255, 255, 255}};
constexpr Colour kBlack{{0, 0, 0}};
constexpr Colour kButtonFace{{240, 240, 240}, SystemColour::ButtonFace};
constexpr Colour kWindowText{{0, 0, 0}, SystemColour::WindowText};

constexpr std::array<int, 8> kZoneLengthCounts = {30, 10, 30, 5, 10, 30, 20, 30};

constexpr int kDevAlwaysOfdm = 2;
constexpr int kOutAddressed = 1;

} // namespace

const std::array<StateColourPair, 8> StateColours = {{
    {kGreen, kWhite},
    {kRed, kWhite},
    {kLime, kBlack},
    {kYellow, kBlack},
    {kBlue, kWhite},
    {kButtonFace, kWindowText},
    {kYellow, kBlack},
    {kYellow, kBlack},
}};

std::string ModelName(int band, int dev) {
    return std::string(ModelNames[(band & 1) * 8 + (dev & 7)]);
}

int ZoneLengthCount(int dev) {
    return kZoneLengthCounts[dev & 7];
}

std::string OutputKindName(int dev, int out) {
    return std::string(OutputKindNames[(dev & 7) == kDevAlwaysOfdm ? 1 : out & 3]);
}

bool IsAddressed(int dev, int out) {
    return (out & 3) == kOutAddressed || (dev & 7) == kDevAlwaysOfdm;
}

bool UnitIdEditable(int dev) {
    return (dev & 7) <= 1;
}

std::string StateName(int state) {
    return std::string(StateNames[state & 7]);
}

StateColourPair StateColour(int state) {
    return StateColours[state & 7];
}

std::string RegulationName(int reg, int ctrl_pp_mp) {
    return std::string(RegulationNames[reg & 3][ctrl_pp_mp & 1]);
}

std::vector<std::string> SettingsMethodList(int cs) {
    std::vector<std::string> items = {"Auto", "Manual", "Special 1-PL,LL,HL"};
    if ((cs & 1) == 1) {
        items.emplace_back("Special 2-HL");
    }
    return items;
}

std::vector<std::string> SetupMethodList(bool inSpecial) {
    std::vector<std::string> items = {"Auto", "Manual"};
    if (inSpecial) {
        items.emplace_back("Special");
    }
    return items;
}

int MethodPosition(int reg, int ctrl_pp_mp) {
    switch (reg & 3) {
    case RegManual:
        return MethodManual;
    case RegSpecial:
        return MethodSpecial1 + (ctrl_pp_mp & 1);
    default:
        return MethodAuto;
    }
}

std::optional<int> SettingsMethodPosition(int cs, int reg, int ctrl_pp_mp) {
    const int position = MethodPosition(reg, ctrl_pp_mp);
    if (position >= static_cast<int>(SettingsMethodList(cs).size())) {
        return std::nullopt;
    }
    return position;
}

std::optional<Method> MethodOfPosition(int position) {
    switch (position) {
    case MethodAuto:
        return Method{RegAuto, 0};
    case MethodManual:
        return Method{RegManual, 0};
    case MethodSpecial1:
        return Method{RegSpecial, 0};
    case MethodSpecial2:
        return Method{RegSpecial, 1};
    default:
        return std::nullopt;
    }
}

int SetupMethodPosition(int reg) {
    switch (reg & 3) {
    case 0:
        return 1;
    case 1:
        return 2;
    default:
        return 0;
    }
}

int SensitivityStepCount(int cs) {
    return (cs & 1) == 1 ? kSensitivitySteps : kShortSensitivitySteps;
}

int MinSensitivity(int cs) {
    return (cs & 1) == 1 ? 38 : 64;
}

std::string UnitIdText(int letter) {
    return std::to_string((letter & 3) + 1);
}

std::string PositionText(int symbol, int number) {
    const int n = number & 127;
    std::string text(1, static_cast<char>('A' + (symbol & 15)));
    if (n < 10) {
        text += '0';
    }
    return text + std::to_string(n);
}

std::string VersionText(int cs, int prog) {
    return std::to_string(cs & 1) + "." + std::to_string(prog & 7);
}

} // namespace catalogue
