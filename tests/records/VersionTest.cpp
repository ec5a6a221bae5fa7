// Version, captions, file names and the traffic log's start-up line.
#include "records/Version.h"
#include "records/ShortDate.h"
#include "records/TrafficLogStartUp.h"

#include "catalogue/DateTime.h"
#include "link/TrafficLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const double kMarch5th = catalogue::EncodeDateTime({2015, 3, 5, 14, 7, 33, 120});

TEST(Version, ComesFromTheBuildAndEndsTheCaption) {
    EXPECT_EQ(records::GetVersionString(), "1.54.0.0");
    EXPECT_EQ(records::BaseCaption(),
              "Microwave intrusion - detector programming software 1.54.0.0");
}

TEST(Version, FilesLieInTheCurrentDirectory) {
    EXPECT_EQ(records::TrafficLogFileName(), "Mirelund.log");
    EXPECT_EQ(records::TrafficLogFileName(), detlink::kTrafficLogFileName);
#ifdef _WIN32
    EXPECT_EQ(records::SettingsFilePath(), ".\\Mirelund.ini");
#else
    EXPECT_EQ(records::SettingsFilePath(), "./Mirelund.ini");
#endif
}

TEST(ShortDate, FollowsTheLocalesPattern) {
    const double newYear = catalogue::EncodeDateTime({2009, 1, 2, 23, 59, 59, 999});
    const struct {
        const char* pattern;
        double when;
        const char* text;
    } cases[] = {
        {"dd.MM.yyyy", kMarch5th, "05.03.2015"}, {"M/d/yy", kMarch5th, "3/5/15"},
        {"yyyy-MM-dd", newYear, "2009-01-02"},   {"d MMM yyyy", newYear, "2 01 2009"},
        {"dd'x'MM''yy", kMarch5th, "05x03'15"},  {"", kMarch5th, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(records::FormatShortDate(c.when, c.pattern), c.text) << c.pattern;
    }
    EXPECT_EQ(records::FormatShortDate(kMarch5th), "2015-03-05");
}

TEST(TrafficLogStartUp, FirstLineOnlyWhenTheSwitchTurnsLoggingOn) {
    for (const bool present : {false, true}) {
        std::vector<std::string> lines;
        const bool on = records::OpenTrafficLog([present] { return present; },
                                                [&lines](const std::string& text) {
                                                    lines.push_back(text);
                                                    return true;
                                                },
                                                kMarch5th, "dd.MM.yyyy");
        EXPECT_EQ(on, present);
        EXPECT_EQ(lines, present ? std::vector<std::string>{"05.03.2015 Mirelund v1.54.0.0"}
                                 : std::vector<std::string>{});
    }
}

} // namespace
