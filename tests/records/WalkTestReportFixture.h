// A recording folder as AlarmRecording leaves it, in a temporary working directory, and the
// page's pictures read back, for the walk-test report's tests.
#pragma once

#include "records/PngWriter.h"
#include "records/WalkTestReport.h"

#include "TempDirFixture.h"

#include <cstdint>
#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace records_test {

inline constexpr const char* kFolder = "2015-03-05 14'07'33";
inline const std::vector<std::string> kPictures = {
    "2015-03-05 14'07'33.120 Start Recording.png",
    "2015-03-05 14'07'41.005 Alarm 1.png",
    "2015-03-05 14'07'44.370 Normal.png",
    "2015-03-05 14'08'02.999 Stop Recording.png",
};
inline constexpr const char* kSummaryName = "2015-03-05 14'08'03.001 Contents.txt";
inline constexpr const char* kCounts = "Alarms: 1\r\nPre Alarms PL: 0\r\nPre Alarms LL: 0\r\n"
                                       "Settings Changes: 0\r\nCalibrations: 0\r\nPauses: 0\r\n"
                                       "Disconnections: 0\r\nMalfunctions: 0\r\n";

inline std::string Png(int width, int height, std::uint8_t shade) {
    records::Image image{
        width, height, 3,
        std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3, shade)};
    return *records::EncodePng(image.View());
}

// The page's pictures in order: the alt text and the data URI's base64.
inline std::vector<std::pair<std::string, std::string>> Images(const std::string& page) {
    std::vector<std::pair<std::string, std::string>> images;
    const std::regex img("<img src=\"data:image/png;base64,([A-Za-z0-9+/=]*)\" alt=\"([^\"]*)\"");
    for (std::sregex_iterator it(page.begin(), page.end(), img), end; it != end; ++it) {
        images.emplace_back((*it)[2], (*it)[1]);
    }
    return images;
}

class WalkTestReportFixture : public TempDirFixture {
protected:
    // The pictures, then the summary listing them, its counts and any further lines.
    void MakeRecording(const std::filesystem::path& folder, const std::vector<std::string>& names,
                       const std::string& afterCounts = "") {
        std::filesystem::create_directory(folder);
        std::string summary;
        std::uint8_t shade = 0;
        for (const std::string& name : names) {
            WriteAll(folder / name, Png(8, 4, shade += 40));
            summary += name + "\r\n";
        }
        WriteAll(folder / kSummaryName, summary + kCounts + afterCounts);
    }
    std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
        std::map<std::string, std::string> files;
        for (const std::string& name : Listing(folder)) {
            files[name] = ReadAll(folder / name);
        }
        return files;
    }
};

} // namespace records_test
