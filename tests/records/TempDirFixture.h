// A fresh temporary folder as the current directory for each test, removed afterwards.
#pragma once

#include "support/TempPath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace records_test {

class TempDirFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        folder = testing_support::UniqueTempPath("records");
        ASSERT_TRUE(std::filesystem::create_directory(folder));
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    static std::string ReadAll(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Names in the current directory, sorted.
    static std::vector<std::string> Listing(const std::filesystem::path& where = ".") {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(where)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path previous;
    std::filesystem::path folder;
};

} // namespace records_test
