// The scenario's event log: each event written once, in order of start, when its time comes.
#include "EventLog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Contents(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        text += static_cast<char>(c);
    }
    return text;
}

sim::Scenario Parse(std::initializer_list<const char*> lines) {
    sim::Scenario scenario;
    std::string error;
    for (const char* line : lines) {
        scenario.Add(*sim::ParseEvent(line, error));
    }
    return scenario;
}

TEST(EventLog, WritesEachEventOnceAsItStartsInOrderOfStart) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    // Listed out of order, as a script may be; the two at 5 keep their listed order.
    sim::EventLog log(Parse({"5 silence 8", "2 walk 1.5", "5 noise 3", "9 dis 2 3"}), file);
    log.Advance(1.99);
    EXPECT_EQ(Contents(file), "");
    log.Advance(2.0);
    log.Advance(3.0);
    EXPECT_EQ(Contents(file), "2.000 walk 1.5 1000\n");
    // A late tick writes everything that has started meanwhile, stamped with its own time.
    log.Advance(9.5);
    const std::string all = Contents(file);
    EXPECT_EQ(all, "2.000 walk 1.5 1000\n"
                   "9.500 silence 8 -1\n"
                   "9.500 noise 3 -1\n"
                   "9.500 dis 2 3\n");
    log.Advance(100);
    EXPECT_EQ(Contents(file), all);
    std::fclose(file);
}

} // namespace
