// The book and the waiting lines set aside beside it read as one history: merged by their times,
// the book's line first on equal times, each file's damaged lines named by that file.
#include "records/SiteBookMerge.h"
#include "records/SiteBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace records_test {
namespace {

// "<time> <event>" for each line, and each damaged line's text, in the order handed over.
class Recorded final : public records::SiteBookLines {
public:
    void Line(std::vector<std::string> fields) override {
        order.push_back(fields[0].substr(11) + " " + fields[1]);
    }
    void Damaged(std::string text) override { order.push_back(std::move(text)); }
    std::vector<std::string> order;
};

// A book of "<time> <event>" lines, "!" standing for a line too short to read.
std::string Book(const std::vector<std::string>& lines) {
    std::string text = records::CsvRecord(records::SiteBookColumns(), ',');
    for (const std::string& line : lines) {
        if (line == "!") {
            text += "too,few\r\n";
            continue;
        }
        records::SiteBookEntry e;
        e.sDateTime = "2026-12-10 " + line.substr(0, line.find(' '));
        e.sEvent = line.substr(line.find(' ') + 1);
        text += records::SiteBookLine(e, ',');
    }
    return text;
}

records::CsvSource SourceOf(const std::string& text) {
    return [text, at = std::size_t{0}](std::string& bytes) mutable {
        const std::size_t piece = std::min<std::size_t>(7, text.size() - at);
        bytes.append(text, at, piece);
        at += piece;
        return piece > 0;
    };
}

struct MergeCase {
    const char* name;
    std::string book;
    std::string waiting;
    std::vector<std::string> order;
    std::uint64_t fromWaiting;
};

void PrintTo(const MergeCase& c, std::ostream* out) {
    *out << c.name;
}

class SiteBookMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(SiteBookMerge, HandsOverOneHistory) {
    records::SiteBookReader book(SourceOf(GetParam().book));
    records::SiteBookReader waiting(SourceOf(GetParam().waiting),
                                    records::kSiteBookWaitingFileName);
    Recorded recorded;
    EXPECT_EQ(records::MergeSiteBooks(book, waiting, recorded), GetParam().fromWaiting);
    EXPECT_EQ(recorded.order, GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    Books, SiteBookMerge,
    testing::Values(
        // A run whose lines waited, then a later run that found the book free.
        MergeCase{"WaitingLinesBeforeALaterRun",
                  Book({"08:00:00 Identified", "10:00:00 Identified", "10:05:00 Walk test"}),
                  Book({"09:00:00 Settings confirmed", "09:30:00 Walk test"}),
                  {"08:00:00 Identified", "09:00:00 Settings confirmed", "09:30:00 Walk test",
                   "10:00:00 Identified", "10:05:00 Walk test"},
                  2},
        MergeCase{"BookFirstOnEqualTimes",
                  Book({"09:00:00 Identified", "09:00:00 Settings confirmed"}),
                  Book({"09:00:00 Walk test"}),
                  {"09:00:00 Identified", "09:00:00 Settings confirmed", "09:00:00 Walk test"},
                  1},
        MergeCase{"NoWaitingFile",
                  Book({"09:00:00 Identified", "09:10:00 Walk test"}),
                  "",
                  {"09:00:00 Identified", "09:10:00 Walk test"},
                  0},
        MergeCase{"NoBook", "", Book({"09:00:00 Identified"}), {"09:00:00 Identified"}, 1},
        MergeCase{"DamagedLinesNamedByTheirFile",
                  Book({"!", "09:00:00 Identified", "11:00:00 Walk test"}),
                  Book({"10:00:00 Settings confirmed", "!"}),
                  {"Line 2: 2 fields instead of 27", "09:00:00 Identified",
                   "10:00:00 Settings confirmed",
                   "Site book (waiting).csv, line 3: 2 fields instead of 27", "11:00:00 Walk test"},
                  1}),
    [](const testing::TestParamInfo<MergeCase>& info) { return info.param.name; });

} // namespace
} // namespace records_test
