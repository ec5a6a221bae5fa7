// The site book's lines as the window writes them: at identification, once a change is
// confirmed by the detector, at a calibration's end and when a walk test stops.
#include "ConsoleFixture.h"

#include "catalogue/DetectorCatalogue.h"
#include "console/PageControl.h"
#include "console/PageTabBar.h"
#include "console/SettingsBand.h"
#include "console/StatusPanel.h"
#include "records/SiteBook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>
#include <ostream>

namespace console {
namespace {

class SiteBookLines : public ConsoleFixture {
protected:
    // Each line of the book as column name → field; the book has no quoted fields here.
    std::vector<std::map<QString, QString>> Lines() const {
        QFile file(directory.filePath(records::kSiteBookFileName));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(file.readAll());
        QStringList rows = text.split("\r\n");
        EXPECT_EQ(rows.takeLast(), "") << "every line ends in CR LF";
        const QString separator = Decimal(".") == "," ? ";" : ",";
        const QStringList header = rows.takeFirst().split(separator);
        std::vector<std::map<QString, QString>> lines;
        for (const QString& row : rows) {
            const QStringList fields = row.split(separator);
            EXPECT_EQ(fields.size(), header.size()) << row.toStdString();
            std::map<QString, QString> line;
            for (int i = 0; i < std::min(fields.size(), header.size()); ++i)
                line[header[i]] = fields[i];
            lines.push_back(line);
        }
        return lines;
    }
    std::vector<QString> Events() const {
        std::vector<QString> events;
        for (const auto& line : Lines())
            events.push_back(line.at("Event"));
        return events;
    }
};

TEST_F(SiteBookLines, IdentificationIsBookedOnceTheModelIsKnown) {
    SendCycle(Detector());
    EXPECT_TRUE(Events().empty()) << "the model is shown from the next full cycle on";
    Drain();
    Drain();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    const auto& line = lines[0];
    EXPECT_EQ(line.at("Event"), "Identified");
    EXPECT_EQ(line.at("Port"), "COM3");
    EXPECT_EQ(line.at("Model"), window->gbParameters->lModel->text());
    EXPECT_EQ(line.at("Position"), "C07");
    EXPECT_EQ(line.at("Zone length"), "150");
    EXPECT_EQ(line.at("Setup method"), "Auto");
    EXPECT_EQ(line.at("Supply"), window->gbParameters->lPower->text().section(' ', 0, 0));
    EXPECT_EQ(line.at("Walk test folder"), "");
}

TEST_F(SiteBookLines, AChangeIsBookedWhenTheDetectorConfirmsItNotWhenItIsSent) {
    SendCycle(Detector());
    Drain();
    Choose(window->gbRange->cbNewMaxSpeed, 2);
    QTest::keyClick(window.get(), Qt::Key_F5);
    Drain();
    EXPECT_EQ(Events(), std::vector<QString>{"Identified"}) << "not confirmed yet";
    auto d = Detector();
    d.w5.vel_max = 2;
    SendCycle(d);
    Drain();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].at("Event"), "Settings confirmed");
    EXPECT_EQ(lines[1].at("Vmax"), QString::number(catalogue::MaxSpeedOfCode(2)));
}

// The detector takes the new Vmax but never the new position (a unit that refuses it): what it
// took is booked as it takes it, and at the end the position asked for is booked as not
// confirmed, beside the Vmax it did take.
TEST_F(SiteBookLines, EachSettingIsBookedAsTheDetectorConfirmsItAndTheRestAsAskedAtTheEnd) {
    SendCycle(Detector());
    Drain();
    Choose(window->gbRange->cbNewMaxSpeed, 2);
    Choose(window->gbRange->cbNewPosNumber2, 5);
    QTest::keyClick(window.get(), Qt::Key_F5);
    auto d = Detector();
    d.w5.vel_max = 2;
    SendCycle(d);
    Drain();
    ASSERT_EQ(Events(), (std::vector<QString>{"Identified", "Settings confirmed"}));
    const QString vmax = QString::number(catalogue::MaxSpeedOfCode(2));
    EXPECT_EQ(Lines()[1].at("Vmax"), vmax);
    EXPECT_EQ(Lines()[1].at("Position"), "C07") << "not taken yet";
    Drain();
    EXPECT_EQ(Events().size(), 2u) << "booked once";

    window->close();
    const auto lines = Lines();
    ASSERT_EQ(Events(),
              (std::vector<QString>{"Identified", "Settings confirmed", "Settings not confirmed"}));
    EXPECT_EQ(lines[2].at("Position"), "C05");
    EXPECT_EQ(lines[2].at("Vmax"), vmax);
}

// The detector takes one Apply's settings over two cycles: one line, with both.
TEST_F(SiteBookLines, AChangeConfirmedOverTwoCyclesIsOneLine) {
    SendCycle(Detector());
    Drain();
    Choose(window->gbRange->cbNewMaxSpeed, 2);
    Choose(window->gbRange->cbNewPosNumber2, 5);
    QTest::keyClick(window.get(), Qt::Key_F5);
    auto d = Detector();
    d.w5.vel_max = 2;
    SendCycle(d);
    d.w0.number = 5;
    SendCycle(d);
    Drain();
    ASSERT_EQ(Events(), (std::vector<QString>{"Identified", "Settings confirmed"}));
    EXPECT_EQ(Lines()[1].at("Position"), "C05");
    EXPECT_EQ(Lines()[1].at("Vmax"), QString::number(catalogue::MaxSpeedOfCode(2)));
}

// F5 right after identification, while the page's own command is still going out, changes
// nothing: nothing is booked for it.
TEST_F(SiteBookLines, AnApplyThatArmedNothingBooksNothing) {
    SendCycle(Detector());
    QTest::keyClick(window.get(), Qt::Key_F5);
    Drain();
    Drain();
    window->close();
    EXPECT_EQ(Events(), std::vector<QString>{"Identified"});
}

TEST_F(SiteBookLines, ACalibrationsEndAndAWalkTestAreBooked) {
    auto d = Detector();
    SendCycle(d);
    Drain();
    d.w2.state = catalogue::StateCalibration;
    SendCycle(d);
    d.w2.state = catalogue::StateNormal;
    SendCycle(d);
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::keyClick(window.get(), Qt::Key_F6);
    ASSERT_TRUE(window->chbSaveTrvRange->isChecked());
    // Alarm words after the oscillogram's rate limit has let the next update through.
    d.w2.state = catalogue::StateAlarm;
    clock.AdvanceSeconds(1.1);
    SendCycle(d);
    d.w2.state = catalogue::StateNormal;
    clock.AdvanceSeconds(1.1);
    SendCycle(d);
    QTest::keyClick(window.get(), Qt::Key_F6);
    const auto lines = Lines();
    ASSERT_EQ(Events(), (std::vector<QString>{"Identified", "Calibration ended", "Walk test"}));
    const QStringList folders = QDir(directory.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    EXPECT_EQ(lines[2].at("Walk test folder"), folders[0]);
    EXPECT_EQ(lines[2].at("Alarms"), "1");
    EXPECT_EQ(lines[2].at("Calibrations"), "0");
}

// The cable fails during the walk test and the window is closed: the walk test is still booked,
// for the detector that was recorded, or the page would call it never walk-tested.
TEST_F(SiteBookLines, AWalkTestEndingAfterTheDetectorIsLostIsBookedForIt) {
    SendCycle(Detector());
    Drain();
    QTest::keyClick(window.get(), Qt::Key_F6);
    ASSERT_TRUE(window->chbSaveTrvRange->isChecked());
    clock.AdvanceSeconds(2.6);
    Tick();
    clock.AdvanceSeconds(3.6);
    Tick();
    ASSERT_EQ(window->gbParameters->lState->text(), "Disconnection");
    window->close();
    const auto lines = Lines();
    ASSERT_EQ(Events(), (std::vector<QString>{"Identified", "Walk test"}));
    EXPECT_EQ(lines[1].at("Position"), "C07");
    EXPECT_EQ(lines[1].at("Unit ID"), lines[0].at("Unit ID"));
    EXPECT_EQ(lines[1].at("Model"), lines[0].at("Model"));
    EXPECT_EQ(lines[1].at("Disconnections"), "1");
    EXPECT_FALSE(lines[1].at("Walk test folder").isEmpty());
}

// Something holds the book's place (here a folder; on site a spreadsheet that has it open): the
// window shows what waits, and the line goes in once the book can be written.
TEST_F(SiteBookLines, ALineTheBookRefusesWaitsInSightAndIsWrittenLater) {
    ASSERT_TRUE(QDir(directory.path()).mkdir(records::kSiteBookFileName));
    SendCycle(Detector());
    Drain();
    Drain();
    const QLabel* waiting = window->pcMain->CornerLabel();
    EXPECT_TRUE(waiting->isVisible());
    EXPECT_EQ(waiting->text(), "Not yet written: 1 site book line");
    EXPECT_TRUE(waiting->toolTip().contains(records::kSiteBookFileName))
        << waiting->toolTip().toStdString();
    const QRect lastTab = window->pcMain->TabBar()->tabRect(window->pcMain->TabBar()->count() - 1);
    EXPECT_GT(waiting->geometry().left(), lastTab.right()) << "the tabs stay readable";

    ASSERT_TRUE(QDir(directory.path()).rmdir(records::kSiteBookFileName));
    window->WriteWaitingRecords();
    EXPECT_EQ(Events(), std::vector<QString>{"Identified"});
    EXPECT_FALSE(waiting->isVisible());
}

// Still refused when the installer closes the window: asked, "Close anyway" puts the line
// beside the book, where the book's page finds it.
TEST_F(SiteBookLines, ALineStillWaitingAtCloseGoesBesideTheBook) {
    ASSERT_TRUE(QDir(directory.path()).mkdir(records::kSiteBookFileName));
    SendCycle(Detector());
    Drain();
    Drain();
    QString asked;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = box->informativeText();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == "Close anyway")
                button->click();
    });
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(asked.contains("1 site book line(s) wait")) << asked.toStdString();
    EXPECT_TRUE(asked.contains(records::kSiteBookWaitingFileName)) << asked.toStdString();
    QFile aside(directory.filePath(records::kSiteBookWaitingFileName));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(aside.readAll()).contains("Identified"));
}

// A calibration's end is booked once per calibration the installer made, by the rule the
// Calibration page goes by: a lost beam, the guide's way out with F3 and a detector whose state
// words jump about each give one line.
struct CalibrationCase {
    const char* name;
    std::vector<int> states; // -1: the installer presses F3
};

void PrintTo(const CalibrationCase& c, std::ostream* os) {
    *os << c.name;
}

class CalibrationEnd : public SiteBookLines, public testing::WithParamInterface<CalibrationCase> {};

TEST_P(CalibrationEnd, IsBookedOnce) {
    auto d = Detector();
    SendCycle(d);
    Drain();
    QTest::keyClick(window.get(), Qt::Key_F2);
    for (const int state : GetParam().states) {
        if (state < 0) {
            QTest::keyClick(window.get(), Qt::Key_F3);
            continue;
        }
        d.w2.state = static_cast<std::uint16_t>(state);
        SendCycle(d);
    }
    const std::vector<QString> events = Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "Calibration ended"), 1);
}

using catalogue::StateAlarm, catalogue::StateCalibration, catalogue::StateNormal,
    catalogue::StateSettingsChange, catalogue::StatePause;
INSTANTIATE_TEST_SUITE_P(
    Sequences, CalibrationEnd,
    testing::Values(CalibrationCase{"Ends", {StateCalibration, StateNormal}},
                    CalibrationCase{"BeamLost",
                                    {StateCalibration, StateAlarm, StateCalibration, StateAlarm,
                                     StateCalibration, StateNormal}},
                    CalibrationCase{
                        "LeftWithF3",
                        {StateCalibration, -1, StateSettingsChange, StateNormal, StateAlarm}},
                    CalibrationCase{"WordsJumpAbout",
                                    {StateCalibration, StateNormal, StateCalibration, StateAlarm,
                                     StatePause, StateNormal, StateCalibration, StateNormal}}),
    [](const testing::TestParamInfo<CalibrationCase>& info) { return info.param.name; });

class SiteBookTurnedOff : public SiteBookLines {
protected:
    void BeforeStart() override {
        QFile ini(directory.filePath("Mirelund.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[SiteBook]\r\nKeep=0\r\n");
    }
};

TEST_F(SiteBookTurnedOff, WritesNothing) {
    SendCycle(Detector());
    Drain();
    Drain();
    EXPECT_FALSE(QFile::exists(directory.filePath(records::kSiteBookFileName)));
}

} // namespace
} // namespace console
