// A walk test recorded from the real window: the pictures every source of events takes,
// in order, and the summary's counts; and the resynchronisation request that one picture
// answers for good.
#include "ConsoleFixture.h"
#include "ModalWatch.h"

#include "catalogue/DetectorCatalogue.h"
#include "console/ErrorNotice.h"
#include "console/PageControl.h"
#include "console/SettingsBand.h"
#include "records/SiteBook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace console {
namespace {

class Recording : public ConsoleFixture {
protected:
    // Identified, on the Settings page, with "Save <F6>" checked.
    void StartWalkTest() {
        SendCycle(Detector());
        Drain();
        ASSERT_EQ(window->ActivePage(), Page::Range);
        QTest::keyClick(window.get(), Qt::Key_F6);
        ASSERT_TRUE(window->chbSaveTrvRange->isChecked());
    }
    // Words after the oscillogram's rate limit has let the next update through.
    void SendLater(const std::vector<detlink::TelemetryWord>& words) {
        clock.AdvanceSeconds(1.1);
        Send(words);
    }
    static detlink::TelemetryWord StateWord(int state) {
        detlink::DetectorStatus d = Detector();
        d.w2.state = static_cast<std::uint16_t>(state & 7);
        return d.Word(2);
    }
    static detlink::TelemetryWord SignalWord(bool pp = false) {
        detlink::DetectorStatus d = Detector();
        d.w1.pp = pp;
        return d.Word(1);
    }
    QString Folder() const {
        const QStringList folders =
            QDir(directory.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return folders.isEmpty() ? QString() : QDir(directory.path()).filePath(folders.front());
    }
    // A plain file takes the recording folder's place, as a disk that refuses every file:
    // the folder itself waits aside until Unblock puts it back.
    void BlockFolder() {
        blocked = Folder();
        ASSERT_TRUE(QDir().rename(blocked, blocked + " aside"));
        QFile file(blocked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void Unblock() {
        ASSERT_TRUE(QFile::remove(blocked));
        ASSERT_TRUE(QDir().rename(blocked + " aside", blocked));
    }
    // The summary's lines, picture names reduced to their labels.
    std::vector<std::string> Summary() const {
        const QStringList files = QDir(Folder()).entryList({"* Contents.txt"}, QDir::Files);
        if (files.size() != 1)
            return {"summaries: " + std::to_string(files.size())};
        QFile file(QDir(Folder()).filePath(files.front()));
        file.open(QIODevice::ReadOnly);
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        std::vector<std::string> labels;
        for (const QString& line : lines)
            labels.push_back(
                line.endsWith(QStringLiteral(".png"))
                    ? line.mid(24).chopped(4).toStdString() // time and ".png"
                : line.startsWith(QStringLiteral("Missing: "))
                    ? "Missing: " +
                          line.mid(9 + 24).section(QStringLiteral(".png: "), 0, 0).toStdString()
                    : line.toStdString());
        return labels;
    }

    QString blocked;
};

TEST_F(Recording, EveryEventOfAWalkTestInOrderWithTheEightCounts) {
    StartWalkTest();

    clock.AdvanceSeconds(2.6);
    Tick(); // pause
    clock.AdvanceSeconds(3.6);
    Tick(); // lost
    clock.AdvanceSeconds(0.1);
    SendCycle(Detector()); // found again
    Drain();               // its first state word answers the resynchronisation request

    Send({StateWord(catalogue::StateCalibration)});
    ASSERT_EQ(window->ActivePage(), Page::TuneUp);
    Send({StateWord(catalogue::StateNormal)});
    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_EQ(window->ActivePage(), Page::Range);

    Choose(window->gbRange->cbNewMaxSpeed, 3);
    QTest::keyClick(window.get(), Qt::Key_F5);

    for (int alarm = 0; alarm < 3; ++alarm) {
        SendLater({StateWord(catalogue::StateAlarm)});
        SendLater({StateWord(catalogue::StateNormal), SignalWord()});
    }
    EXPECT_EQ(window->lTrvNumberRange->text(), "3");
    SendLater({StateWord(catalogue::StateMalfunction), SignalWord()});
    SendLater({StateWord(catalogue::StateNormal), SignalWord()});
    SendLater({SignalWord(true)});
    SendLater({SignalWord()});

    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ(window->lTrvNumberRange->text(), "0");
    EXPECT_EQ(Summary(), std::vector<std::string>({"Start Recording",
                                                   "Pause",
                                                   "Disconnection",
                                                   "Calibration",
                                                   "Calibration",
                                                   "Settings Change",
                                                   "Alarm 1",
                                                   "Normal",
                                                   "Alarm 2",
                                                   "Normal",
                                                   "Alarm 3",
                                                   "Normal",
                                                   "Malfunction",
                                                   "Pre Alarm PL 1",
                                                   "Stop Recording",
                                                   "Alarms: 3",
                                                   "Pre Alarms PL: 1",
                                                   "Pre Alarms LL: 0",
                                                   "Settings Changes: 1",
                                                   "Calibrations: 2",
                                                   "Pauses: 1",
                                                   "Disconnections: 1",
                                                   "Malfunctions: 1"}));
}

// The detector comes back from a pause in Alarm: the alarm's picture answers the request
// for a picture of the state that follows, and no "Calibration" picture comes after it.
TEST_F(Recording, AnAlarmPictureAnswersTheResynchronisationForGood) {
    StartWalkTest();
    clock.AdvanceSeconds(2.6);
    Tick(); // pause
    Send({StateWord(catalogue::StateAlarm)});
    Send({StateWord(catalogue::StateAlarm)});
    SendLater({StateWord(catalogue::StateAlarm), SignalWord()});
    QTest::keyClick(window.get(), Qt::Key_F6);
    const std::vector<std::string> summary = Summary();
    EXPECT_EQ(std::vector<std::string>(summary.begin(), summary.begin() + 4),
              std::vector<std::string>({"Start Recording", "Pause", "Alarm 1", "Stop Recording"}));
    EXPECT_EQ(summary.at(4), "Alarms: 1");
    EXPECT_EQ(summary.at(8), "Calibrations: 0");
}

// A pause that never became a loss: the signal word that ends it reaches the oscillogram while
// the state still reads Pause, and the request waits for the detector's own state.
TEST_F(Recording, AShortPauseGetsItsPictureWhenTheLinkResumes) {
    StartWalkTest();
    for (int pause = 0; pause < 2; ++pause) {
        clock.AdvanceSeconds(2.6);
        Tick();
        Send({SignalWord(), StateWord(catalogue::StateNormal)});
        SendLater({SignalWord()});
    }
    QTest::keyClick(window.get(), Qt::Key_F6);
    const std::vector<std::string> summary = Summary();
    EXPECT_EQ(std::vector<std::string>(summary.begin(), summary.begin() + 6),
              std::vector<std::string>({"Start Recording", "Pause", "Calibration", "Pause",
                                        "Calibration", "Stop Recording"}));
    EXPECT_EQ(summary.at(10), "Calibrations: 2");
    EXPECT_EQ(summary.at(11), "Pauses: 2");
}

// The disk refuses the pictures mid-walk: nothing waits for the installer, every alarm is
// counted, and the summary names each picture that is not there.
TEST_F(Recording, ARefusedPictureStopsNeitherTheLinkNorTheCount) {
    ModalWatch modal;
    StartWalkTest();
    SendLater({StateWord(catalogue::StateAlarm)});
    SendLater({StateWord(catalogue::StateNormal), SignalWord()});
    BlockFolder();
    for (int alarm = 0; alarm < 2; ++alarm) {
        SendLater({StateWord(catalogue::StateAlarm)});
        SendLater({StateWord(catalogue::StateNormal), SignalWord()});
    }
    EXPECT_EQ(window->lTrvNumberRange->text(), "3");
    ASSERT_NE(window->errorNotice, nullptr);
    EXPECT_TRUE(window->errorNotice->isVisible());
    // One line for the run of refused pictures.
    ASSERT_EQ(window->errorNotice->Shown().size(), 1);
    EXPECT_TRUE(window->errorNotice->Shown().front().contains("Alarm 2.png"))
        << window->errorNotice->text().toStdString();
    // The keys stay with the window.
    EXPECT_EQ(QApplication::activeWindow(), window.get());
    Unblock();
    SendLater({StateWord(catalogue::StateAlarm)});
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ(modal.iSeen, 0);
    EXPECT_EQ(Summary(), std::vector<std::string>({"Start Recording",
                                                   "Alarm 1",
                                                   "Normal",
                                                   "Alarm 2",
                                                   "Normal",
                                                   "Alarm 3",
                                                   "Normal",
                                                   "Alarm 4",
                                                   "Stop Recording",
                                                   "Missing: Alarm 2",
                                                   "Missing: Normal",
                                                   "Missing: Alarm 3",
                                                   "Missing: Normal",
                                                   "Alarms: 4",
                                                   "Pre Alarms PL: 0",
                                                   "Pre Alarms LL: 0",
                                                   "Settings Changes: 0",
                                                   "Calibrations: 0",
                                                   "Pauses: 0",
                                                   "Disconnections: 0",
                                                   "Malfunctions: 0"}));
}

// The installer closes the window while the disk refuses the summary: the window stays open and
// says what is not written, with a way to retry; once the way is clear, Retry writes it and
// the walk test is booked.
TEST_F(Recording, APersonClosingOnARefusedSummaryIsAskedToRetryOrCloseAnyway) {
    StartWalkTest();
    BlockFolder();
    QString asked;
    bool openWhileAsked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = box->informativeText();
        openWhileAsked = window->isVisible();
        Unblock();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == "Retry")
                button->click();
    });
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(openWhileAsked);
    EXPECT_TRUE(asked.contains("summary of the walk test")) << asked.toStdString();
    EXPECT_FALSE(window->isVisible());
    const std::vector<std::string> summary = Summary();
    ASSERT_GE(summary.size(), 8u);
    EXPECT_EQ(summary.front(), "Start Recording");
    EXPECT_EQ(summary.back(), "Malfunctions: 0");
}

// A signal or the session's end closes the window on the same full disk: nobody is asked, the
// reason goes to stderr, and the site book says the walk test's summary is missing.
TEST_F(Recording, AnUnattendedCloseOnARefusedSummarySaysSoOnStderrAndInTheBook) {
    ModalWatch modal;
    StartWalkTest();
    BlockFolder();
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ(window->pcMain->CornerLabel()->text(), "Not yet written: 1 summary");
    // Booked when it is booked: the book stays in time order.
    clock.AdvanceSeconds(60);
    testing::internal::CaptureStderr();
    window->CloseUnattended();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(modal.iSeen, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_NE(said.find("summary of the walk test"), std::string::npos) << said;
    QFile book(QDir(directory.path()).filePath(records::kSiteBookFileName));
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(book.readAll()).split("\r\n");
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[lines.size() - 2].startsWith("2015-03-05 14:08:"))
        << lines[lines.size() - 2].toStdString();
    EXPECT_TRUE(lines[lines.size() - 2].contains("Walk test (summary missing)"))
        << lines[lines.size() - 2].toStdString();
}

} // namespace
} // namespace console
