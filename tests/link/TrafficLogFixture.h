// The traffic log's tests share one fixture: a log path of its own and a fake clock.
#pragma once

#include "link/TrafficLog.h"
#include "support/FakeClock.h"
#include "support/TempPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

class TrafficLogTest : public ::testing::Test {
protected:
    std::filesystem::path path = testing_support::UniqueTempPath("trafficlog", ".log");
    testing_support::FakeClock clock;
    ~TrafficLogTest() override {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    std::string Contents() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};
