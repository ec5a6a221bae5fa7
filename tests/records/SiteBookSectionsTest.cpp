// The site book's lines into detectors' sections: one connection of one detector is one
// section whatever the installer changes, and separate connections join only as the same
// detector (model, unit ID and a real position).
#include "records/SiteBookSections.h"
#include "records/SiteBook.h"

#include <gtest/gtest.h>

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

struct GroupingCase {
    const char* name;
    std::vector<BookLine> lines;
    // Each section in page order: "<model> <unit ID> <position> <events>", the section's latest
    // values.
    std::vector<std::string> sections;
};

void PrintTo(const GroupingCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<std::string> Sections(const std::vector<BookLine>& lines) {
    records::SiteBookSections sections;
    int minute = 0;
    for (const BookLine& l : lines) {
        std::vector<std::string> fields(records::SiteBookColumns().size());
        fields[records::cDateTime] = "2026-12-10 10:" + std::to_string(10 + minute++) + ":00";
        fields[records::cEvent] = l.event;
        fields[records::cPort] = l.port;
        fields[records::cModel] = l.model;
        fields[records::cUnitId] = l.unit;
        fields[records::cPosition] = l.position;
        sections.Line(fields);
    }
    std::vector<std::string> found;
    for (const records::SiteBookSection& s : sections.Contents().detectors) {
        const records::PackedLine& latest = s.Latest();
        found.push_back(std::string(latest[records::cModel]) + " " +
                        std::string(latest[records::cUnitId]) + " " +
                        std::string(latest[records::cPosition]) + " " + std::to_string(s.iEvents));
    }
    return found;
}

class SiteBookGrouping : public testing::TestWithParam<GroupingCase> {};

TEST_P(SiteBookGrouping, OneSectionForEachDetectorsConnections) {
    EXPECT_EQ(Sections(GetParam().lines), GetParam().sections);
}

INSTANTIATE_TEST_SUITE_P(
    Books, SiteBookGrouping,
    testing::Values(GroupingCase{"PositionGivenWhileConnected",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC10", "1", "A01"}},
                                 {"PC10 1 A01 3"}},
                    GroupingCase{"UnitIdAndPositionChangedWhileConnected",
                                 {{kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "2", "B07"}},
                                 {"PC10 2 B07 2"}},
                    GroupingCase{"TwoDetectorsWithTheSameUnitIdAndNoPosition",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventWalkTest, "COM3", "PC10", "1", kNone},
                                  {kEventIdentified, "COM3", "PC10", "1", kNone}},
                                 {"PC10 1 --- 2", "PC10 1 --- 1"}},
                    GroupingCase{"ConnectedAgainAsItWasLeft",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"},
                                  {kEventIdentified, "COM4", "PC10", "1", "B02"},
                                  {kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC10", "1", "A01"}},
                                 {"PC10 1 A01 4", "PC10 1 B02 1"}},
                    GroupingCase{"SamePositionOfAnotherModel",
                                 {{kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventIdentified, "COM3", "PC20", "1", "A01"}},
                                 {"PC10 1 A01 1", "PC20 1 A01 1"}},
                    // The "Identified" line was lost: the first line of a port opens its
                    // connection, and a line of another model on the port is another detector.
                    GroupingCase{"WithoutAnIdentifiedLine",
                                 {{kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC10", "1", "A01"},
                                  {kEventCalibrationEnded, "COM3", "PC20", "1", "A01"},
                                  {kEventWalkTest, "COM3", "PC20", "1", "A01"}},
                                 {"PC10 1 A01 2", "PC20 1 A01 2"}},
                    GroupingCase{"TwoPortsInTurn",
                                 {{kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventIdentified, "COM4", "PC10", "1", kNone},
                                  {kEventWalkTest, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM4", "PC10", "2", "B02"}},
                                 {"PC10 1 --- 2", "PC10 2 B02 2"}},
                    // A replacement given the first detector's position is another detector: the
                    // new connection was found as "---", and what it becomes later joins nothing.
                    GroupingCase{"AReplacementGivenTheSamePosition",
                                 {{kEventIdentified, "COM3", "PC10", "1", "A01"},
                                  {kEventIdentified, "COM3", "PC10", "1", kNone},
                                  {kEventSettingsConfirmed, "COM3", "PC10", "1", "A01"}},
                                 {"PC10 1 A01 1", "PC10 1 A01 2"}}),
    [](const testing::TestParamInfo<GroupingCase>& info) { return info.param.name; });

} // namespace
} // namespace records_test
