// Alarm recording against a fake window: folder and file names, summary, log entries, failures.
#include "records/AlarmRecording.h"

#include "SystemReasons.h"
#include "TempDirFixture.h"
#include "support/FakeClock.h"

using records::AlarmRecording;
using records::Image;
using testing_support::FakeClock;

namespace {

class FakeWindow final : public records::RecordingHost {
public:
    Image RenderWindow() override { return picture; }
    bool WriteLogLine(const std::string& text) override {
        log.push_back(text);
        return true;
    }
    void ReportError(const std::string& text) override { errors.push_back(text); }
    void ResetAlarmLatches() override { ++latchResets; }

    Image picture{4, 3, 3, std::vector<std::uint8_t>(36, 0x5A)};
    std::vector<std::string> log;
    std::vector<std::string> errors;
    int latchResets = 0;
};

class AlarmRecordingTest : public records_test::TempDirFixture {
protected:
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t at = 0;
        while (at < text.size()) {
            const size_t end = text.find("\r\n", at);
            if (end == std::string::npos) {
                lines.push_back("unterminated: " + text.substr(at));
                break;
            }
            lines.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }

    FakeClock clock; // 5 March 2015, 14:07:33.120
    FakeWindow window;
    AlarmRecording recording{clock, window};
};

const std::string kFolder = "2015-03-05 14'07'33";
const std::string kStartPicture = "2015-03-05 14'07'33.120 Start Recording.png";

// A file's path in the recording folder as the system writes it.
std::string InFolder(const std::string& name) {
    return (std::filesystem::path(kFolder) / name).string();
}

TEST_F(AlarmRecordingTest, StartMakesTheDatedFolderWithItsFirstPicture) {
    recording.Events.iAlarmCount = 5;
    recording.Events.iPauseCount = 2;
    recording.Events.bAlarmResync = true;
    recording.StartRecording();

    EXPECT_TRUE(recording.bRecording());
    EXPECT_EQ(recording.sRecordFolder, kFolder);
    EXPECT_EQ(Listing(kFolder), std::vector<std::string>{kStartPicture});
    EXPECT_EQ(ReadAll(kFolder + "/" + kStartPicture).substr(0, 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(recording.slRecordContents, std::vector<std::string>{kStartPicture});
    EXPECT_EQ(window.log, std::vector<std::string>{InFolder(kStartPicture)});
    EXPECT_EQ(recording.Events.iAlarmCount + recording.Events.iPauseCount, 0);
    EXPECT_FALSE(recording.Events.bAlarmResync);
    EXPECT_EQ(window.latchResets, 1);
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(AlarmRecordingTest, StopWritesTheSummaryWithTheEightCountersLast) {
    recording.StartRecording();
    clock.AdvanceSeconds(1.5);
    recording.Events.Raise(detlink::RecordingEvent::Alarm);
    recording.Events.iPreAlarmPLCount = 2;
    recording.Events.iPreAlarmLLCount = 3;
    recording.Events.iSettingsChangeCount = 4;
    recording.Events.iCalibrationCount = 5;
    recording.Events.iPauseCount = 6;
    recording.Events.iDisconnectionCount = 7;
    recording.Events.iMalfunctionCount = 8;
    clock.AdvanceSeconds(1.0);
    EXPECT_TRUE(recording.StopRecording());
    EXPECT_FALSE(recording.bRecording());

    const std::string summaryName = "2015-03-05 14'07'35.620 Contents.txt";
    const std::vector<std::string> pictures = {kStartPicture, "2015-03-05 14'07'34.620 Alarm 1.png",
                                               "2015-03-05 14'07'35.620 Stop Recording.png"};
    std::vector<std::string> files = pictures;
    files.push_back(summaryName);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(Listing(kFolder), files);

    std::vector<std::string> expected = pictures;
    for (const char* line :
         {"Alarms: 1", "Pre Alarms PL: 2", "Pre Alarms LL: 3", "Settings Changes: 4",
          "Calibrations: 5", "Pauses: 6", "Disconnections: 7", "Malfunctions: 8"}) {
        expected.push_back(line);
    }
    const std::string summary = ReadAll(kFolder + "/" + summaryName);
    EXPECT_EQ(Lines(summary), expected);
    EXPECT_EQ(recording.slRecordContents, expected);
    EXPECT_EQ(window.log.back(), InFolder(summaryName) + "\n" + summary);
    EXPECT_EQ(window.log.size(), 4u);
}

// A disk that refuses some pictures mid-recording: the summary still lists every picture
// taken, says which files are not there and why, and keeps the eight counts as its last lines.
TEST_F(AlarmRecordingTest, TheSummaryNamesEachPictureThatCouldNotBeSavedBeforeItsCounts) {
    recording.StartRecording();
    std::filesystem::rename(kFolder, "aside");
    WriteAll(kFolder, "in the way");
    clock.AdvanceSeconds(1);
    recording.Events.Raise(detlink::RecordingEvent::Alarm);
    clock.AdvanceSeconds(1);
    recording.Events.Raise(detlink::RecordingEvent::Alarm);
    std::filesystem::remove(kFolder);
    std::filesystem::rename("aside", kFolder);
    clock.AdvanceSeconds(1);
    recording.Events.Raise(detlink::RecordingEvent::Pause);
    EXPECT_TRUE(recording.StopRecording());

    const std::string alarm1 = "2015-03-05 14'07'34.120 Alarm 1.png";
    const std::string alarm2 = "2015-03-05 14'07'35.120 Alarm 2.png";
    const auto error = [](const std::string& name) {
        return "Cannot create file \"" + InFolder(name) + "\": " + records_test::FileInPathReason();
    };
    const auto missing = [&](const std::string& name) {
        return "Missing: " + name + ": " + error(name);
    };
    const std::vector<std::string> expected = {kStartPicture,
                                               alarm1,
                                               alarm2,
                                               "2015-03-05 14'07'36.120 Pause.png",
                                               "2015-03-05 14'07'36.120 Stop Recording.png",
                                               missing(alarm1),
                                               missing(alarm2),
                                               "Alarms: 2",
                                               "Pre Alarms PL: 0",
                                               "Pre Alarms LL: 0",
                                               "Settings Changes: 0",
                                               "Calibrations: 0",
                                               "Pauses: 1",
                                               "Disconnections: 0",
                                               "Malfunctions: 0"};
    EXPECT_EQ(recording.slRecordContents, expected);
    EXPECT_EQ(Lines(ReadAll(kFolder + "/2015-03-05 14'07'36.120 Contents.txt")), expected);
    // One report for the run of two failures.
    EXPECT_EQ(window.errors, std::vector<std::string>{error(alarm1)});
}

TEST_F(AlarmRecordingTest, RecordingsOfTheSameSecondShareAFolder) {
    recording.StartRecording();
    clock.AdvanceSeconds(0.3);
    recording.StopRecording();
    clock.AdvanceSeconds(0.3);
    recording.StartRecording();
    EXPECT_EQ(recording.sRecordFolder, kFolder);
    EXPECT_EQ(Listing(kFolder).size(), 4u);
    EXPECT_EQ(Listing(), std::vector<std::string>{kFolder});
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(AlarmRecordingTest, OutsideARecordingNothingIsWritten) {
    EXPECT_FALSE(recording.SavePicture("Pause"));
    recording.Events.Raise(detlink::RecordingEvent::Pause);
    EXPECT_FALSE(recording.StopRecording());
    EXPECT_TRUE(Listing().empty());
    EXPECT_TRUE(window.log.empty());
}

// A folder that cannot be made is the one thing the operator reads of that recording: the
// pictures and the summary that cannot go into it would only repeat it under a wrong cause.
TEST_F(AlarmRecordingTest, FolderThatCannotBeMadeIsReportedOnceWithItsNameAndReason) {
    // A plain file in the folder's place: the folder cannot be made, even for root.
    WriteAll(kFolder, "in the way");
    recording.StartRecording();
    EXPECT_TRUE(recording.bRecording());
    EXPECT_FALSE(recording.SavePicture("Pause"));
    EXPECT_FALSE(recording.StopRecording());

    EXPECT_EQ(window.errors, std::vector<std::string>{"Cannot create recording folder \"" +
                                                      kFolder + "\": File exists"});
    // Three names, eight counts and a line for each of the three pictures not saved.
    EXPECT_EQ(recording.slRecordContents.size(), 3u + 8u + 3u);
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(ReadAll(kFolder), "in the way");
}

// Each kind of file reports the first failure of its run: failed pictures must not hide a
// summary that was never written.
TEST_F(AlarmRecordingTest, FailuresAreReportedOncePerRunAndKindKeptInTheListAndNotLogged) {
    const Image drawn = window.picture;
    window.picture = Image{};
    recording.StartRecording();
    EXPECT_FALSE(recording.SavePicture("Pause"));
    // A plain file in the folder's place: the summary cannot be written, even for root.
    std::filesystem::remove_all(kFolder);
    WriteAll(kFolder, "in the way");
    EXPECT_FALSE(recording.StopRecording());

    ASSERT_EQ(window.errors.size(), 2u);
    EXPECT_NE(window.errors[0].find(kStartPicture), std::string::npos) << window.errors[0];
    EXPECT_NE(window.errors[1].find("Contents.txt"), std::string::npos) << window.errors[1];
    EXPECT_NE(window.errors[1].find(records_test::FileInPathReason()), std::string::npos)
        << window.errors[1];
    EXPECT_EQ(recording.slRecordContents.size(), 3u + 8u + 3u);
    EXPECT_EQ(recording.slRecordContents[1], "2015-03-05 14'07'33.120 Pause.png");
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(Listing(), std::vector<std::string>{kFolder});

    // The tool carries on: once the way is clear the next recording works, and a new
    // failure would be reported again.
    std::filesystem::remove(kFolder);
    clock.AdvanceSeconds(1);
    window.picture = drawn;
    recording.StartRecording();
    EXPECT_TRUE(recording.SavePicture("Normal"));
    window.picture = Image{};
    EXPECT_FALSE(recording.SavePicture("Malfunction"));
    EXPECT_EQ(window.errors.size(), 3u);
}

// A summary the disk refuses is kept with its text and written when it can be, whole, and
// logged then: the recording's record is late, not lost.
TEST_F(AlarmRecordingTest, ASummaryTheDiskRefusedWaitsAndIsWrittenOnceItCanBe) {
    recording.StartRecording();
    std::filesystem::remove_all(kFolder);
    WriteAll(kFolder, "in the way");
    EXPECT_FALSE(recording.StopRecording());
    ASSERT_EQ(recording.WaitingSummaries().size(), 1u);
    EXPECT_EQ(recording.WaitingSummaries()[0].sFolder, kFolder);
    EXPECT_TRUE(recording.WriteWaitingSummaries().empty()) << "the way is still blocked";
    EXPECT_EQ(recording.WaitingSummaries().size(), 1u);
    EXPECT_FALSE(recording.WaitingSummaries()[0].sError.empty());

    std::filesystem::remove(kFolder);
    std::filesystem::create_directory(kFolder);
    EXPECT_EQ(recording.WriteWaitingSummaries(), std::vector<std::string>{kFolder});
    EXPECT_TRUE(recording.WaitingSummaries().empty());
    std::string expected;
    for (const std::string& line : recording.slRecordContents)
        expected += line + "\r\n";
    EXPECT_EQ(ReadAll(InFolder("2015-03-05 14'07'33.120 Contents.txt")), expected);
    ASSERT_FALSE(window.log.empty());
    EXPECT_TRUE(window.log.back().ends_with(expected));
}

} // namespace
