// The site book's lines into detectors' sections: one connection of one detector is one
// section whatever the installer changes, and separate connections join only as the same
// detector (model, unit ID and a real position). A connection without a position is let go
// once it is closed, and the sections still reach the page in the order of their first lines.
#include "records/SiteBookSections.h"
#include "records/SiteBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace records_test {
namespace {

using records::kEventCalibrationEnded;
using records::kEventIdentified;
using records::kEventSettingsConfirmed;
using records::kEventWalkTest;

constexpr const char* kNone = records::kNoPositionText;

struct BookLine {
    const char* event;
    const char* port;
    const char* model;
    const char* unit;
    const char* position;
};

// "<model> <unit ID> <position> <events>", the section's latest values.
std::string Summary(const records::SiteBookSection& s) {
    const records::PackedLine& latest = s.Latest();
    return std::string(latest[records::cModel]) + " " + std::string(latest[records::cUnitId]) +
           " " + std::string(latest[records::cPosition]) + " " + std::to_string(s.iEvents);
}

// What the sink is handed, in turn.
class Settled final : public records::SiteBookSectionSink {
public:
    void Finished(const records::SiteBookSection& section) override {
        order.push_back(Summary(section) + " finished");
    }
    void Kept() override { order.push_back({}); }
    std::vector<std::string> order;
};

struct Grouped {
    // Each section in page order: its summary, then "finished" when it was let go while the
    // book was read, "kept" when it was held to the end.
    std::vector<std::string> sections;
    std::size_t iMostHeld = 0; // sections held at once
};

Grouped Group(const std::vector<BookLine>& lines) {
    Settled settled;
    records::SiteBookSections sections(settled);
    Grouped grouped;
    int second = 0;
    for (const BookLine& l : lines) {
        std::vector<std::string> fields(records::SiteBookColumns().size());
        fields[records::cDateTime] = "2026-12-10 10:00:" + std::to_string(10 + second++);
        fields[records::cEvent] = l.event;
        fields[records::cPort] = l.port;
        fields[records::cModel] = l.model;
        fields[records::cUnitId] = l.unit;
        fields[records::cPosition] = l.position;
        sections.Line(fields);
        grouped.iMostHeld = std::max(grouped.iMostHeld, sections.Contents().detectors.size());
    }
    sections.End();
    auto kept = sections.Contents().detectors.begin();
    for (std::string& section : settled.order)
        if (section.empty())
            section = Summary((kept++)->second) + " kept";
    EXPECT_EQ(kept, sections.Contents().detectors.end()) << "each kept section has its place";
    grouped.sections = std::move(settled.order);
    return grouped;
}

struct GroupingCase {
    const char* name;
    std::vector<BookLine> lines;
    std::vector<std::string> sections;
};

void PrintTo(const GroupingCase& c, std::ostream* out) {
    *out << c.name;
}

class SiteBookGrouping : public testing::TestWithParam<GroupingCase> {};

TEST_P(SiteBookGrouping, OneSectionForEachDetectorsConnections) {
    EXPECT_EQ(Group(GetParam().lines).sections, GetParam().sections);
}

INSTANTIATE_TEST_SUITE_P(
    Books, SiteBookGrouping,
    testing::Values(GroupingCase{"PositionGivenWhileConnected",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC10", "1", "A01"}},
                                 {"PC10 1 A01 3 kept"}},
                    GroupingCase{"UnitIdAndPositionChangedWhileConnected",
                                 {{kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "2", "B07"}},
                                 {"PC10 2 B07 2 kept"}},
                    GroupingCase{"TwoDetectorsWithTheSameUnitIdAndNoPosition",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventWalkTest, "COM3", "PC10", "1", kNone},
                                  {kEventIdentified, "COM3", "PC10", "1", kNone}},
                                 {"PC10 1 --- 2 finished", "PC10 1 --- 1 kept"}},
                    GroupingCase{"ConnectedAgainAsItWasLeft",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"},
                                  {kEventIdentified, "COM4", "PC10", "1", "B02"},
                                  {kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC10", "1", "A01"}},
                                 {"PC10 1 A01 4 kept", "PC10 1 B02 1 kept"}},
                    GroupingCase{"SamePositionOfAnotherModel",
                                 {{kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventIdentified, "COM3", "PC20", "1", "A01"}},
                                 {"PC10 1 A01 1 kept", "PC20 1 A01 1 kept"}},
                    // The "Identified" line was lost: the first line of a port opens its
                    // connection, and a line of another model on the port is another detector.
                    GroupingCase{"WithoutAnIdentifiedLine",
                                 {{kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC10", "1", "A01"},
                                  {kEventCalibrationEnded, "COM3", "PC20", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC20", "1", "A01"}},
                                 {"PC10 1 A01 2 kept", "PC20 1 A01 2 kept"}},
                    GroupingCase{"AnotherModelClosesAConnectionWithoutPosition",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventCalibrationEnded, "COM3", "PC20", "1", kNone}},
                                 {"PC10 1 --- 1 finished", "PC20 1 --- 1 kept"}},
                    GroupingCase{"TwoPortsInTurn",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventIdentified, "COM4", "PC10", "1", kNone},
                                  {kEventWalkTest, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM4", "PC10", "2", "B02"}},
                                 {"PC10 1 --- 2 kept", "PC10 2 B02 2 kept"}},
                    // Unit 2 is finished first, and waits for unit 1 to take its place after it.
                    GroupingCase{"FinishedInTheOrderOfTheirFirstLines",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventIdentified, "COM4", "PC10", "2", kNone},
                                  {kEventIdentified, "COM4", "PC10", "3", kNone},
                                  {kEventIdentified, "COM3", "PC10", "4", kNone}},
                                 {"PC10 1 --- 1 finished", "PC10 2 --- 1 finished",
                                  "PC10 3 --- 1 kept", "PC10 4 --- 1 kept"}},
                    // Its place was settled while it had a position: it stays to the end.
                    GroupingCase{"PositionTakenAwayBeforeTheConnectionClosed",
                                 {{kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "1", kNone},
                                  {kEventIdentified, "COM3", "PC10", "2", kNone}},
                                 {"PC10 1 --- 2 kept", "PC10 2 --- 1 kept"}},
                    // A replacement given the first detector's position is another detector: the
                    // new connection was found as "---", and what it becomes later joins nothing.
                    GroupingCase{"AReplacementGivenTheSamePosition",
                                 {{kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"}},
                                 {"PC10 1 A01 1 kept", "PC10 1 A01 2 kept"}}),
    [](const testing::TestParamInfo<GroupingCase>& info) { return info.param.name; });

// A book of detectors without positions, one port connected from the start to the end: the
// sections held stay few however long the book, and the page's order is kept.
TEST(SiteBookSectionsHeld, StayFewForABookWithoutPositions) {
    const std::size_t connections = 3 * records::kFinishedHeldBack;
    std::vector<std::string> units(connections + 1);
    std::vector<BookLine> lines = {{kEventIdentified, "COM1", "PC10", "0", kNone}};
    std::vector<std::string> expected = {"PC10 0 --- 1 kept"};
    for (std::size_t i = 1; i <= connections; ++i) {
        units[i] = std::to_string(i);
        lines.push_back({kEventIdentified, "COM2", "PC10", units[i].c_str(), kNone});
        lines.push_back({kEventWalkTest, "COM2", "PC10", units[i].c_str(), kNone});
        expected.push_back("PC10 " + units[i] + " --- 2 " +
                           (i < connections ? "finished" : "kept"));
    }
    const Grouped grouped = Group(lines);
    EXPECT_EQ(grouped.sections, expected);
    EXPECT_LE(grouped.iMostHeld, records::kFinishedHeldBack + 3);
}

} // namespace
} // namespace records_test
