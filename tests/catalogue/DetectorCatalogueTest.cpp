// The detector vocabulary: names, colours, setup-method lists and positions, identity texts.
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/PageLists.h"

#include <gtest/gtest.h>

using namespace catalogue;

using Texts = std::vector<std::string>;

TEST(DetectorCatalogue, ModelNamesAndZoneLengthsByBandAndDevice) {
    EXPECT_EQ(ModelName(1, 3), "Orvel 24 (50m)");
    EXPECT_EQ(ZoneLengthCount(3), 5);
    EXPECT_EQ(ModelName(0, 0), "Tarvik 10");
    EXPECT_EQ(ModelName(1, 1), "Halvexa-PC 24");
    EXPECT_EQ(ModelName(0, 2), "Orvel/M 10");
    EXPECT_EQ(ModelName(0, 5), "Orvel 10");
    EXPECT_EQ(ModelName(1, 7), "Orvel 24 (300m)");
    const int counts[] = {30, 10, 30, 5, 10, 30, 20, 30};
    for (int dev = 0; dev < 8; ++dev) {
        EXPECT_EQ(ZoneLengthCount(dev), counts[dev]) << dev;
    }
}

TEST(DetectorCatalogue, OutputKindAndAddressing) {
    EXPECT_EQ(OutputKindName(2, 0), "OFDM");
    EXPECT_TRUE(IsAddressed(2, 0));
    EXPECT_EQ(OutputKindName(2, 2), "OFDM");
    const char* kinds[] = {"Relay", "OFDM", "Radio", "type3"};
    for (int out = 0; out < 4; ++out) {
        EXPECT_EQ(OutputKindName(5, out), kinds[out]);
        EXPECT_EQ(IsAddressed(5, out), out == 1);
    }
    EXPECT_TRUE(UnitIdEditable(0));
    EXPECT_TRUE(UnitIdEditable(1));
    EXPECT_FALSE(UnitIdEditable(2));
    EXPECT_FALSE(UnitIdEditable(7));
}

TEST(DetectorCatalogue, StateNamesAndLabelColours) {
    const char* names[] = {"Normal",          "Alarm",  "Calibration",   "Malfunction",
                           "Settings Change", "state5", "Disconnection", "Pause"};
    for (int state = 0; state < 8; ++state) {
        EXPECT_EQ(StateName(state), names[state]);
    }
    const Colour white{{255, 255, 255}};
    const Colour black{{0, 0, 0}};
    const Colour yellow{{255, 255, 0}};
    EXPECT_EQ(StateColour(0), (StateColourPair{{{0, 128, 0}}, white}));
    EXPECT_EQ(StateColour(1), (StateColourPair{{{255, 0, 0}}, white}));
    EXPECT_EQ(StateColour(2), (StateColourPair{{{0, 255, 0}}, black}));
    EXPECT_EQ(StateColour(3), (StateColourPair{yellow, black}));
    EXPECT_EQ(StateColour(4), (StateColourPair{{{0, 0, 255}}, white}));
    EXPECT_EQ(StateColour(6), (StateColourPair{yellow, black}));
    EXPECT_EQ(StateColour(7), (StateColourPair{yellow, black}));
    EXPECT_EQ(StateColour(5).background.system, SystemColour::ButtonFace);
    EXPECT_EQ(StateColour(5).text.system, SystemColour::WindowText);
    EXPECT_EQ(StateColour(0).background.system, SystemColour::None);
}

TEST(DetectorCatalogue, RegulationNames) {
    EXPECT_EQ(RegulationName(0, 1), "Manual");
    EXPECT_EQ(RegulationName(1, 0), "Special 1");
    EXPECT_EQ(RegulationName(1, 1), "Special 2");
    EXPECT_EQ(RegulationName(2, 1), "Auto");
    EXPECT_EQ(RegulationName(3, 0), "Auto.3");
}

TEST(DetectorCatalogue, MethodListsDependOnCapabilityAndSpecialMode) {
    EXPECT_EQ(SettingsMethodList(1),
              (Texts{"Auto", "Manual", "Special 1-PL,LL,HL", "Special 2-HL"}));
    EXPECT_EQ(SettingsMethodList(0), (Texts{"Auto", "Manual", "Special 1-PL,LL,HL"}));
    EXPECT_EQ(SetupMethodList(false), (Texts{"Auto", "Manual"}));
    EXPECT_EQ(SetupMethodList(true), (Texts{"Auto", "Manual", "Special"}));
}

TEST(DetectorCatalogue, MethodPositionsAndTheirInverse) {
    struct Case {
        int reg, ctrl, position;
    };
    const Case cases[] = {{0, 0, 1}, {0, 1, 1}, {1, 0, 2}, {1, 1, 3},
                          {2, 0, 0}, {2, 1, 0}, {3, 0, 0}, {3, 1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(MethodPosition(c.reg, c.ctrl), c.position) << c.reg << "/" << c.ctrl;
    }
    // "Special 2" is only in the list of a cs-1 detector.
    EXPECT_EQ(SettingsMethodPosition(1, 1, 1), 3);
    EXPECT_EQ(SettingsMethodPosition(0, 1, 1), std::nullopt);
    EXPECT_EQ(SettingsMethodPosition(0, 1, 0), 2);
    EXPECT_EQ(SettingsMethodPosition(0, 3, 0), 0);

    EXPECT_EQ(MethodOfPosition(0), (Method{2, 0}));
    EXPECT_EQ(MethodOfPosition(1), (Method{0, 0}));
    EXPECT_EQ(MethodOfPosition(2), (Method{1, 0}));
    EXPECT_EQ(MethodOfPosition(3), (Method{1, 1}));
    EXPECT_EQ(MethodOfPosition(-1), std::nullopt);
    EXPECT_EQ(MethodOfPosition(4), std::nullopt);
    for (int position = 0; position < 4; ++position) {
        const Method m = *MethodOfPosition(position);
        EXPECT_EQ(MethodPosition(m.reg, m.ctrl_pp_mp), position);
    }

    EXPECT_EQ(SetupMethodPosition(2), 0);
    EXPECT_EQ(SetupMethodPosition(3), 0);
    EXPECT_EQ(SetupMethodPosition(0), 1);
    EXPECT_EQ(SetupMethodPosition(1), 2);
}

TEST(DetectorCatalogue, CapabilityBitSetsTheSensitivityRange) {
    EXPECT_EQ(SensitivityStepCount(1), 32);
    EXPECT_EQ(MinSensitivity(1), 38);
    EXPECT_EQ(SensitivityStepCount(0), 19);
    EXPECT_EQ(MinSensitivity(0), 64);
}

TEST(DetectorCatalogue, IdentityTexts) {
    EXPECT_EQ(UnitIdText(0), "1");
    EXPECT_EQ(UnitIdText(3), "4");
    EXPECT_EQ(PositionText(0, 0), "A00");
    EXPECT_EQ(PositionText(1, 7), "B07");
    EXPECT_EQ(PositionText(13, 99), "N99");
    EXPECT_EQ(PositionText(15, 42), "P42");
    EXPECT_EQ(VersionText(1, 3), "1.3");
    EXPECT_EQ(VersionText(0, 7), "0.7");
}

TEST(DetectorCatalogue, ArgumentsKeepOnlyTheFieldsBits) {
    // Out-of-range values index no table past its end.
    EXPECT_EQ(ModelName(3, 11), ModelName(1, 3));
    EXPECT_EQ(StateName(-1), "Pause");
    EXPECT_EQ(OutputKindName(0, 5), "OFDM");
    EXPECT_EQ(RegulationName(5, 3), "Special 2");
    EXPECT_EQ(ZoneLengthCount(-5), ZoneLengthCount(3));
    EXPECT_EQ(PositionText(16, 128), "A00");
}

TEST(PageLists, SettingsPageItemLists) {
    const auto address = AddressList();
    ASSERT_EQ(address.size(), 12u);
    EXPECT_EQ(address.front(), "1");
    EXPECT_EQ(address.back(), "12");
    EXPECT_FALSE(IsValidAddress(0));
    EXPECT_TRUE(IsValidAddress(1));
    EXPECT_TRUE(IsValidAddress(12));
    EXPECT_FALSE(IsValidAddress(13));

    EXPECT_EQ(UnitIdList(), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(MinSpeedList(','), (Texts{"0,1", "0,2", "0,3", "0,4"}));
    EXPECT_EQ(MinSpeedList('.'), (Texts{"0.1", "0.2", "0.3", "0.4"}));
    EXPECT_EQ(MaxSpeedList(), (Texts{"4", "6", "8", "10"}));
    EXPECT_EQ(SymbolList(),
              (Texts{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N"}));
    EXPECT_EQ(DigitList(), (Texts{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}
