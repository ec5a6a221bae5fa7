// The walk-test report: a recording folder's page beside it, complete or marked where files are
// missing, safe against what file names and summaries hold, and the folder left untouched.
#include "records/WalkTestReport.h"
#include "records/ReportHtml.h"

#include "WalkTestReportFixture.h"

#include <regex>

namespace {

using records::ReportOutcome;
using records_test::Images;
using records_test::kCounts;
using records_test::kFolder;
using records_test::kPictures;
using records_test::kSummaryName;
using records_test::Png;
namespace fs = std::filesystem;

class WalkTestReport : public records_test::WalkTestReportFixture {};

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

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(WalkTestReport, APictureListedManyTimesIsPutInThePageOnceAndReferredTo) {
    MakeRecording(kFolder, {kPictures[1], kPictures[2]});
    fs::remove(fs::path(kFolder) / kPictures[2]);
    std::string summary;
    for (int i = 0; i < 500; ++i) {
        summary += kPictures[1] + "\r\n" + kPictures[2] + "\r\n";
    }
    WriteAll(fs::path(kFolder) / kSummaryName, summary + kCounts);

    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete) << outcome.sMessage;
    EXPECT_EQ(Occurrences(outcome.sMessage, "missing from the folder"), 1u) << outcome.sMessage;
    const std::string page = ReadAll(outcome.sPath);
    ASSERT_EQ(Images(page).size(), 1u);
    std::smatch anchor;
    ASSERT_TRUE(std::regex_search(page, anchor, std::regex("<li id=\"([^\"]+)\">")));
    EXPECT_EQ(Occurrences(page, "<a href=\"#" + anchor.str(1) + "\">"), 499u);
    // Every listing keeps its place in the timeline, the missing one with its reason.
    EXPECT_EQ(Occurrences(page, "<span class=\"when\">"), 1000u);
    EXPECT_EQ(Occurrences(page, "<div class=\"absent\">"), 500u);
    EXPECT_LT(page.size(), 300'000u);
}

TEST_F(WalkTestReport, APictureOverTheSizeLimitIsListedWithItsSizeAndNotEmbedded) {
    MakeRecording(kFolder, kPictures);
    // Sparse where the file system allows: a PNG's first bytes, then 25 MB of nothing.
    fs::resize_file(fs::path(kFolder) / kPictures[1], 25u << 20);
    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete) << outcome.sMessage;
    EXPECT_NE(outcome.sMessage.find("\"" + kPictures[1] + "\" listed in \"" + kSummaryName +
                                    "\" is too large to put in the page (26214400 bytes"),
              std::string::npos)
        << outcome.sMessage;
    const std::string page = ReadAll(outcome.sPath);
    EXPECT_EQ(Images(page).size(), 3u);
    EXPECT_NE(page.find("Alarm 1</span><div class=\"absent\">"), std::string::npos);
    EXPECT_LT(page.size(), 100'000u);
}

TEST_F(WalkTestReport, APictureTheRecordingCouldNotSaveIsShownWithTheRecordingsError) {
    const std::string error = "Cannot create file \"" + std::string(kFolder) + "/" + kPictures[2] +
                              "\": No space left on device";
    MakeRecording(kFolder, kPictures, "Missing: " + kPictures[2] + ": " + error + "\r\n");
    fs::remove(fs::path(kFolder) / kPictures[2]);
    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Incomplete) << outcome.sMessage;
    EXPECT_NE(outcome.sMessage.find("\"" + kPictures[2] + "\" listed in \"" + kSummaryName +
                                    "\" was not saved: " + error + "."),
              std::string::npos)
        << outcome.sMessage;
    // Neither a count nor a picture of its own, nor a second sentence.
    EXPECT_EQ(outcome.sMessage.find("Missing: "), std::string::npos) << outcome.sMessage;
    EXPECT_EQ(outcome.sMessage.find("missing from the folder"), std::string::npos);
    EXPECT_EQ(outcome.sMessage.find("has no line"), std::string::npos);
    const std::string page = ReadAll(outcome.sPath);
    EXPECT_EQ(page.find("Missing: "), std::string::npos);
    EXPECT_NE(page.find("<th>Alarms</th><td>1</td>"), std::string::npos);
    EXPECT_NE(page.find("Normal</span><div class=\"absent\">Picture \"" +
                        records::HtmlEscape(kPictures[2]) +
                        "\" not saved: " + records::HtmlEscape(error) + ".</div>"),
              std::string::npos);
    EXPECT_EQ(Images(page).size(), 3u);
}

// The timeline's entries in order: each picture's label and the note beside it, if any.
std::vector<std::pair<std::string, std::string>> Entries(const std::string& page) {
    std::vector<std::pair<std::string, std::string>> entries;
    const std::regex entry(
        "<span class=\"what\">([^<]*)</span>(?:<img [^>]*>)?(?:<div class=\"note\">([^<]*)<)?");
    for (std::sregex_iterator it(page.begin(), page.end(), entry), end; it != end; ++it) {
        entries.emplace_back((*it)[1], (*it)[2]);
    }
    return entries;
}

TEST_F(WalkTestReport, ACalibrationAfterAPauseOrDisconnectionIsSaidToBeTheLinksResync) {
    const std::vector<std::string> pictures = {
        "2015-03-05 14'07'33.120 Start Recording.png", "2015-03-05 14'07'35.000 Calibration.png",
        "2015-03-05 14'07'50.000 Pause.png",           "2015-03-05 14'07'50.400 Calibration.png",
        "2015-03-05 14'07'55.000 Pause.png",           "2015-03-05 14'07'58.500 Disconnection.png",
        "2015-03-05 14'08'01.000 Calibration.png",     "2015-03-05 14'08'02.000 Calibration.png",
        "2015-03-05 14'08'02.999 Stop Recording.png",
    };
    MakeRecording(kFolder, pictures);
    std::string summary;
    for (const std::string& name : pictures) {
        summary += name + "\r\n";
    }
    std::string counts = kCounts;
    counts.replace(counts.find("Calibrations: 0"), 15, "Calibrations: 4");
    WriteAll(fs::path(kFolder) / kSummaryName, summary + counts);

    const ReportOutcome outcome = records::WriteWalkTestReport(kFolder);
    ASSERT_EQ(outcome.kind, ReportOutcome::Kind::Complete) << outcome.sMessage;
    const std::string page = ReadAll(outcome.sPath);
    const std::string afterPause =
        "The link's re-synchronisation after the pause, not a calibration.";
    const std::string afterLoss =
        "The link's re-synchronisation after the disconnection, not a calibration.";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Start Recording", ""},     {"Calibration", ""}, {"Pause", ""},
        {"Calibration", afterPause}, {"Pause", ""},       {"Disconnection", ""},
        {"Calibration", afterLoss},  {"Calibration", ""}, {"Stop Recording", ""},
    };
    EXPECT_EQ(Entries(page), expected);
    // The pictures keep their names and the summary its counts.
    EXPECT_EQ(Images(page).size(), pictures.size());
    EXPECT_NE(page.find("<th>Calibrations</th><td>4</td>"), std::string::npos);
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
