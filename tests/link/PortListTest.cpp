// Port names: parsing, enumeration into the table, and the merge into the drop-down list.
#include "LinkTestSupport.h"

using namespace linktest;

TEST(PortList, ParsePortNumberTakesTextAfterCom) {
    EXPECT_EQ(detlink::ParsePortNumber("COM3"), 3);
    EXPECT_EQ(detlink::ParsePortNumber("COM255"), 255);
    EXPECT_EQ(detlink::ParsePortNumber("COM"), 0);
    EXPECT_EQ(detlink::ParsePortNumber("COMx"), 0);
    EXPECT_EQ(detlink::ParsePortNumber(""), 0);
}

TEST(PortList, EnumerationKeepsComNamesInAnyCaseAndSkipsOthers) {
    detlink::PortTable table;
    detlink::EnumeratePorts({"COM1:", "LPT1:", "FILE:", "COM10:", "com3", "COM255", "COMx:"},
                            table);
    ASSERT_EQ(table.iPortCount, 5);
    const int expected[] = {1, 10, 3, 255, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.Rows[i].Number, expected[i]);
        EXPECT_EQ(table.Rows[i].Present, 1);
    }
}

TEST(PortList, EnumerationStopsAt255Rows) {
    std::vector<std::string> names(300, "COM1:");
    detlink::PortTable table;
    detlink::EnumeratePorts(names, table);
    EXPECT_EQ(table.iPortCount, 255);
}

namespace {

struct MergeCase {
    const char* name;
    std::vector<std::string> before;
    int beforeSelected;
    std::vector<std::string> ports;
    int iComPort;
    std::vector<std::string> after;
    int selected;
};

class PortMerge : public ::testing::TestWithParam<MergeCase> {};

} // namespace

TEST_P(PortMerge, MergesAndSelects) {
    const MergeCase& c = GetParam();
    VectorPortList list;
    list.items = c.before;
    list.selected = c.beforeSelected;
    detlink::PortTable table;
    detlink::EnumeratePorts(c.ports, table);
    detlink::MergePortList(table, c.iComPort, list);
    EXPECT_EQ(list.items, c.after);
    EXPECT_EQ(list.selected, c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortMerge,
    ::testing::Values(
        MergeCase{"NoPorts", {}, -1, {}, 2, {}, -1},
        MergeCase{
            "SavedPresent", {}, -1, {"COM1:", "COM2:", "COM4:"}, 2, {"COM1", "COM2", "COM4"}, 1},
        MergeCase{"SavedMissing", {}, -1, {"COM1:", "COM4:"}, 2, {"COM1", "COM4"}, 1},
        MergeCase{"Com2Vanishes",
                  {"COM1", "COM2", "COM3"},
                  2,
                  {"COM1:", "COM3:"},
                  3,
                  {"COM1", "COM3"},
                  1},
        MergeCase{"NewPortInserted",
                  {"COM1", "COM3"},
                  0,
                  {"COM1:", "COM2:", "COM3:"},
                  1,
                  {"COM1", "COM2", "COM3"},
                  0},
        MergeCase{"Com10AndLowerCase", {}, -1, {"com3", "COM10:"}, 10, {"COM3", "COM10"}, 1},
        MergeCase{
            "EntriesAboveMergeEndRemoved", {"COM1", "COM5", "COM9"}, 2, {"COM1:"}, 9, {"COM1"}, 0},
        MergeCase{"AllGone", {"COM1", "COM2"}, 0, {}, 1, {}, -1}),
    [](const auto& info) { return std::string(info.param.name); });

class PortRefresh : public LinkFixture {};

TEST_F(PortRefresh, NoPortsLeavesZeroAndShowsCannotOpen) {
    portNames = {};
    link.iComPort = 4;
    link.RefreshPortList();
    EXPECT_EQ(link.iComPort, 0);
    EXPECT_FALSE(link.bComPortOpen);
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"NoteSelect", "NoteCannotOpen"}));
}

TEST_F(PortRefresh, MissingSavedPortFallsBackToLastEntryAndOpensIt) {
    port.ports = {1, 7};
    portNames = {"COM1:", "COM7:"};
    link.iComPort = 3;
    link.RefreshPortList();
    EXPECT_EQ(link.iComPort, 7);
    EXPECT_TRUE(link.bComPortOpen);
    EXPECT_EQ(port.lastOpened, 7);
}

TEST_F(PortRefresh, PickingAPortResetsAndReopensIt) {
    port.ports = {1, 2};
    portNames = {"COM1:", "COM2:"};
    link.RefreshPortList();
    link.eDeviceState = detlink::EDevWork;
    observer.list.selected = 0;
    link.cbComPortChange();
    EXPECT_EQ(link.eDeviceState, detlink::EDevNone);
    EXPECT_EQ(link.iComPort, 1);
    EXPECT_EQ(port.lastOpened, 1);
    EXPECT_EQ(link.Status.w2.state, 6);
}
