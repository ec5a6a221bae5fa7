// A fresh name in the system's temporary folder, unique among test processes running at once
// on any platform (no process id, which Windows builds do not have under that name).
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace testing_support {

inline std::filesystem::path UniqueTempPath(const std::string& stem,
                                            const std::string& suffix = "") {
    static std::mt19937_64 generator{std::random_device{}()};
    return std::filesystem::temp_directory_path() /
           (stem + "-" + std::to_string(generator()) + suffix);
}

// Removes the file or empty folder at the path when it goes out of scope, whatever is left.
struct RemovedAtEnd {
    const std::filesystem::path& path;
    ~RemovedAtEnd() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

} // namespace testing_support
