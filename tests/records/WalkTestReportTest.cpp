// The walk-test report: a recording folder's page beside it, complete or marked where files are
// missing, safe against what file names and summaries hold, and the folder left untouched.
#include "records/WalkTestReport.h"
#include "records/PngWriter.h"
#include "records/ReportHtml.h"

#include "TempDirFixture.h"

#include <map>
#include <regex>

namespace {

using records::ReportOutcome;
namespace fs = std::filesystem;

constexpr const char* kFolder = "2015-03-05 14'07'33";
const std::vector<std::string> kPictures = {
    "2015-03-05 14'07'33.120 Start Recording.png",
    "2015-03-05 14'07'41.005 Alarm 1.png",
    "2015-03-05 14'07'44.370 Normal.png",
    "2015-03-05 14'08'02.999 Stop Recording.png",
};
constexpr const char* kSummaryName = "2015-03-05 14'08'03.001 Contents.txt";
constexpr const char* kCounts = "Alarms: 1\r\nPre Alarms PL: 0\r\nPre Alarms LL: 0\r\n"
                                "Settings Changes: 0\r\nCalibrations: 0\r\nPauses: 0\r\n"
                                "Disconnections: 0\r\nMalfunctions: 0\r\n";

std::string Png(int width, int height, std::uint8_t shade) {
    records::Image image{
        width, height, 3,
        std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3, shade)};
    return *records::EncodePng(image.View());
}

class WalkTestReport : public records_test::TempDirFixture {
protected:
    // A recording as AlarmRecording leaves it: the pictures, then the summary listing them.
    void MakeRecording(const fs::path& folder, const std::vector<std::string>& names) {
        fs::create_directory(folder);
        std::string summary;
        std::uint8_t shade = 0;
        for (const std::string& name : names) {
            WriteAll(folder / name, Png(8, 4, shade += 40));
            summary += name + "\r\n";
        }
        WriteAll(folder / kSummaryName, summary + kCounts);
    }
    std::map<std::string, std::string> Snapshot(const fs::path& folder) {
        std::map<std::string, std::string> files;
        for (const std::string& name : Listing(folder)) {
            files[name] = ReadAll(folder / name);
        }
        return files;
    }
};

// The page's pictures in order: the alt text and the decoded-back data URI.
std::vector<std::pair<std::string, std::string>> Images(const std::string& page) {
    std::vector<std::pair<std::string, std::string>> images;
    const std::regex img("<img src=\"data:image/png;base64,([A-Za-z0-9+/=]*)\" alt=\"([^\"]*)\"");
    for (std::sregex_iterator it(page.begin(), page.end(), img), end; it != end; ++it) {
        images.emplace_back((*it)[2], (*it)[1]);
    }
    return images;
}

TEST_F(WalkTestReport, HoldsEveryPictureInOrderAndTheCountsAndLeavesTheFolderAlone) {
    MakeRecording(kFolder, kPictures);
    const auto before = Snapshot(kFolder);

    const ReportOutcome outcome = records::WriteWalkTestReport(std::string(kFolder) + "/");
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Complete) << outcome.sMessage;
    EXPECT_EQ(fs::path(outcome.sPath), fs::absolute(std::string(kFolder) + ".html"));
    EXPECT_EQ(Snapshot(kFolder), before);
    EXPECT_EQ(Listing(), (std::vector<std::string>{kFolder, std::string(kFolder) + ".html"}));

    const std::string page = ReadAll(outcome.sPath);
    EXPECT_NE(page.find("Walk test of 2015-03-05, started 14:07:33"), std::string::npos);
    const auto images = Images(page);
    ASSERT_EQ(images.size(), kPictures.size());
    const std::vector<std::string> labels = {"Start Recording", "Alarm 1", "Normal",
                                             "Stop Recording"};
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i].first, labels[i]);
        EXPECT_EQ(images[i].second, records::Base64(ReadAll(fs::path(kFolder) / kPictures[i])));
    }
    EXPECT_NE(page.find("14:07:41.005</span><span class=\"what\">Alarm 1"), std::string::npos);
    EXPECT_NE(page.find("width=\"8\" height=\"4\""), std::string::npos);
    EXPECT_NE(page.find("<th>Alarms</th><td>1</td>"), std::string::npos);
    EXPECT_NE(page.find("<th>Malfunctions</th><td>0</td>"), std::string::npos);
    EXPECT_EQ(page.find("Missing"), std::string::npos);
    // Nothing for the browser to fetch: no script, no link, no other source than the data.
    EXPECT_EQ(std::regex_search(page, std::regex("<script|<link|src=\"(?!data:)|https?:")), false);
}

TEST_F(WalkTestReport, MissingPicturesAndSummaryAreSaidOnThePageAndToTheOperator) {
    MakeRecording(kFolder, kPictures);
    fs::remove(fs::path(kFolder) / kPictures[1]);
    WriteAll(fs::path(kFolder) / kPictures[2], "not a picture");
    ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete);
    EXPECT_NE(outcome.sMessage.find("\"" + kPictures[1] + "\" listed in \"" + kSummaryName +
                                    "\" is missing from the folder"),
              std::string::npos)
        << outcome.sMessage;
    EXPECT_NE(outcome.sMessage.find(kPictures[2] + "\" listed in \"" + std::string(kSummaryName) +
                                    "\" is not a PNG picture"),
              std::string::npos)
        << outcome.sMessage;
    std::string page = ReadAll(outcome.sPath);
    EXPECT_NE(page.find("Missing from the recording"), std::string::npos);
    EXPECT_EQ(Images(page).size(), 2u);
    EXPECT_NE(page.find("Alarm 1</span><div class=\"absent\">"), std::string::npos);

    // A recording that was never stopped: pictures only.
    fs::remove(fs::path(kFolder) / kSummaryName);
    outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete);
    EXPECT_NE(outcome.sMessage.find("The summary"), std::string::npos) << outcome.sMessage;
    page = ReadAll(outcome.sPath);
    EXPECT_NE(page.find("The counts are unknown"), std::string::npos);
    EXPECT_EQ(Images(page).size(), 2u);
}

TEST_F(WalkTestReport, TwoRecordingsOfOneSecondGetASectionEach) {
    MakeRecording(kFolder, {kPictures[0], kPictures[1]});
    const std::string second = "2015-03-05 14'08'09.000 Contents.txt";
    WriteAll(fs::path(kFolder) / kPictures[2], Png(8, 4, 1));
    WriteAll(fs::path(kFolder) / kPictures[3], Png(8, 4, 2));
    WriteAll(fs::path(kFolder) / second,
             kPictures[2] + "\r\n" + kPictures[3] + "\r\n" + std::string(kCounts));
    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Complete) << outcome.sMessage;
    const std::string page = ReadAll(outcome.sPath);
    const std::size_t first =
        page.find("Recording closed by \"" + records::HtmlEscape(kSummaryName));
    const std::size_t next = page.find("Recording closed by \"" + records::HtmlEscape(second));
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(next, std::string::npos);
    EXPECT_LT(first, page.find("alt=\"Alarm 1\""));
    EXPECT_LT(page.find("alt=\"Alarm 1\""), next);
    EXPECT_LT(next, page.find("alt=\"Normal\""));
    EXPECT_EQ(Images(page).size(), 4u);
}

TEST_F(WalkTestReport, WhatIsNotARecordingGetsNoPage) {
    fs::create_directory("holiday photos");
    WriteAll("holiday photos/beach.png", Png(2, 2, 9));
    WriteAll("notes.txt", "x");
    for (const std::string folder : {"holiday photos", "notes.txt", "absent", "."}) {
        const ReportOutcome outcome = records::WriteWalkTestReport(folder);
        EXPECT_EQ(outcome.kind, ReportOutcome::Kind::NotWritten) << folder;
        EXPECT_TRUE(outcome.sPath.empty());
        EXPECT_NE(outcome.sMessage.find("No report was written"), std::string::npos)
            << outcome.sMessage;
    }
    EXPECT_EQ(Listing(), (std::vector<std::string>{"holiday photos", "notes.txt"}));
}

TEST_F(WalkTestReport, TextFromFilesIsEscapedAndOnlyTheFoldersOwnPicturesAreShown) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names cannot hold <, > or \", and links need privileges";
#endif
    const std::string folder = "site <b>\"A\" & 'B'";
    fs::create_directory(folder);
    const std::string start = "2015-03-05 14'07'33.120 Start <script>alert(1).png";
    WriteAll(fs::path(folder) / start, Png(2, 2, 1));
    // A picture of the parent folder must not come in through the summary or a link.
    const std::string secret = Png(3, 3, 77);
    WriteAll("2015-03-05 14'07'40.000 Secret.png", secret);
    fs::create_symlink(fs::absolute("2015-03-05 14'07'40.000 Secret.png"),
                       fs::path(folder) / "2015-03-05 14'07'41.000 Link.png");
    WriteAll(fs::path(folder) / kSummaryName,
             start + "\r\n../2015-03-05 14'07'40.000 Secret.png\r\n" + kCounts);

    const ReportOutcome outcome = records::WriteWalkTestReport(folder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete) << outcome.sMessage;
    EXPECT_EQ(fs::path(outcome.sPath).filename(), folder + ".html");
    const std::string page = ReadAll(outcome.sPath);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("site &lt;b&gt;&quot;A&quot; &amp; &#39;B&#39;"), std::string::npos);
    EXPECT_NE(page.find("Start &lt;script&gt;alert(1)"), std::string::npos);
    EXPECT_NE(outcome.sMessage.find("is not a file name of this folder"), std::string::npos);
    EXPECT_EQ(page.find(records::Base64(secret)), std::string::npos);
    EXPECT_EQ(Images(page).size(), 1u);
}

TEST(ReportBase64, EncodesTheStandardVectors) {
    const std::vector<std::pair<std::string, std::string>> vectors = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {std::string("\xff\x00\x80", 3), "/wCA"}};
    for (const auto& [bytes, encoded] : vectors) {
        EXPECT_EQ(records::Base64(bytes), encoded) << encoded;
    }
}

} // namespace
