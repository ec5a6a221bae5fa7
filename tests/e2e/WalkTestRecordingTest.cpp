// A walk test recorded by the real program on a real (virtual) display: the installer presses
// F6, the simulated detector sees three intrusions, falls silent and comes back, F6 again; the
// dated folder holds the window's pictures in order and the summary with its counts.
#include "EndToEndFixture.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace {

using e2e::EndToEnd;
using e2e::ReadAll;
using e2e::WaitFor;
using e2e::WaitForLine;

// The window's client area at its initial size.
constexpr int kClientWidth = 804;
constexpr int kClientHeight = 417;

class WalkTest : public EndToEnd {
protected:
    // Keys reach the window only on a display: a private Xvfb, driven by xdotool.
    void AdjustEnvironment(QProcessEnvironment& env) override {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        xdotool = QStandardPaths::findExecutable("xdotool");
        if (xvfb.isEmpty() || xdotool.isEmpty())
            GTEST_SKIP() << "needs Xvfb and xdotool (scripts/install-deps installs both)";
        display.setProgram(xvfb);
        display.setArguments(
            {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        display.start();
        ASSERT_TRUE(display.waitForStarted(5000));
        ASSERT_TRUE(WaitForLine(display, 10000));
        const QString number = QString::fromLatin1(display.readLine()).trimmed();
        env.insert("DISPLAY", ":" + number);
        env.insert("QT_QPA_PLATFORM", "xcb");
        keys.setProcessEnvironment(env);
    }
    void TearDown() override {
        EndToEnd::TearDown();
        display.terminate();
        display.waitForFinished(3000);
    }
    QStringList SimulatorOptions() const override {
        return {"--rate",     "200",     "--event",     "5 walk 1.5", "--event",
                "9 walk 1.5", "--event", "13 walk 1.5", "--event",    "17 silence 8"};
    }
    // As the installer would: the window gets the keyboard, then the key.
    void PressF6() { Press("F6"); }
    void Press(const QString& key) {
        // Only a mapped window takes the focus, and the toolkit makes the window active (so its
        // shortcuts work) when the focus event arrives.
        keys.start(xdotool, {"search", "--sync", "--onlyvisible", "--name", "Microwave intrusion",
                             "windowfocus", "--sync", "%1", "sleep", "0.3", "key", key});
        ASSERT_TRUE(keys.waitForFinished(10000));
        ASSERT_EQ(keys.exitCode(), 0) << keys.readAllStandardError().toStdString();
    }
    QDir Recording() const {
        const QStringList folders =
            QDir(Work("")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        return QDir(folders.isEmpty() ? QString() : Work(folders.front()));
    }
    // File names in the order taken (their names start with the time).
    QStringList Files() const { return Recording().entryList(QDir::Files, QDir::Name); }
    bool Holds(const QString& ending) const {
        const QStringList files = Files();
        return std::any_of(files.begin(), files.end(),
                           [&](const QString& name) { return name.endsWith(ending); });
    }

    // The recording's report, made without a display: every picture of the summary shown from
    // its own file, every count present, the folder untouched.
    void CheckReport(const QList<QByteArray>& summary) {
        const QStringList before = Files();
        QProcess report;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        report.setProcessEnvironment(env);
        report.start(MIRELUND_EXE, {"--report", Recording().path()});
        ASSERT_TRUE(report.waitForFinished(15000));
        EXPECT_EQ(report.exitCode(), 0) << report.readAllStandardError().toStdString();
        EXPECT_EQ(Files(), before);
        const QString page = QString::fromUtf8(ReadAll(Recording().path() + ".html"));
        ASSERT_FALSE(page.isEmpty());

        const QRegularExpression img("<li><span class=\"when\">([^<]*)</span><span "
                                     "class=\"what\">([^<]*)</span><img "
                                     "src=\"data:image/png;base64,([A-Za-z0-9+/=]*)\"");
        QStringList shown;
        for (auto it = img.globalMatch(page); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            // The picture's own name: its date, its time with apostrophes, its label.
            QString time = match.captured(1);
            const QString name = Recording().dirName().left(10) + " " + time.replace(':', '\'') +
                                 " " + match.captured(2) + ".png";
            EXPECT_TRUE(Recording().exists(name)) << name.toStdString();
            EXPECT_EQ(QByteArray::fromBase64(match.captured(3).toLatin1()),
                      ReadAll(Recording().filePath(name)))
                << name.toStdString();
            shown << name;
        }
        QStringList listed;
        for (const QByteArray& line : summary) {
            const QString entry = QString::fromUtf8(line.trimmed());
            if (entry.endsWith(".png")) {
                listed << entry;
            } else if (!entry.isEmpty()) {
                const int colon = entry.lastIndexOf(": ");
                EXPECT_TRUE(page.contains("<th>" + entry.left(colon) + "</th><td>" +
                                          entry.mid(colon + 2) + "</td>"))
                    << entry.toStdString();
            }
        }
        EXPECT_EQ(shown, listed);
    }

    QProcess display;
    QProcess keys;
    QString xdotool;
};

TEST_F(WalkTest, PicturesInOrderAndTheSummaryOfTheWholeRun) {
    ASSERT_TRUE(WaitFor([&] { return Identified(); }, 15000));
    PressF6();
    ASSERT_TRUE(WaitFor([&] { return Holds(" Start Recording.png"); }, 5000));
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d'\\d\\d'\\d\\d$")
                    .match(Recording().dirName())
                    .hasMatch())
        << Recording().dirName().toStdString();

    ASSERT_TRUE(WaitFor([&] { return Holds(" Disconnection.png"); }, 40000))
        << Files().join('\n').toStdString();
    // The keys work again once the detector is back: its first state word after the new
    // identification is pictured as "Calibration".
    ASSERT_TRUE(WaitFor([&] { return Holds(" Calibration.png"); }, 15000))
        << Files().join('\n').toStdString();
    PressF6();
    ASSERT_TRUE(WaitFor([&] { return Holds(" Contents.txt"); }, 5000));

    // Labels in the order taken, times left off.
    QStringList labels;
    for (const QString& name : Files())
        if (name.endsWith(".png"))
            labels << name.mid(24).chopped(4);
    const auto at = [&](const QString& label) { return labels.indexOf(label); };
    EXPECT_EQ(labels.front(), "Start Recording");
    EXPECT_EQ(labels.back(), "Stop Recording");
    EXPECT_LT(at("Alarm 1"), at("Alarm 2"));
    EXPECT_LT(at("Alarm 2"), at("Alarm 3"));
    EXPECT_LT(at("Alarm 3"), at("Pause"));
    EXPECT_LT(at("Pause"), at("Disconnection"));
    EXPECT_LT(at("Disconnection"), at("Calibration"));
    EXPECT_EQ(labels.count("Pause"), 1) << labels.join(", ").toStdString();

    for (const QString& name : Files()) {
        if (!name.endsWith(".png"))
            continue;
        const QImage picture(Recording().filePath(name));
        EXPECT_EQ(picture.size(), QSize(kClientWidth, kClientHeight)) << name.toStdString();
    }

    const QString summaryName = Files().filter(" Contents.txt").front();
    const QList<QByteArray> summary = ReadAll(Recording().filePath(summaryName)).split('\n');
    const auto line = [&](const QByteArray& start) {
        for (const QByteArray& l : summary)
            if (l.startsWith(start))
                return l.trimmed();
        return QByteArray("missing: " + start);
    };
    EXPECT_EQ(line("Alarms: "), "Alarms: 3");
    EXPECT_EQ(line("Pauses: "), "Pauses: 1");
    EXPECT_EQ(line("Disconnections: "), "Disconnections: 1");
    EXPECT_EQ(line("Calibrations: "), "Calibrations: 1");
    EXPECT_EQ(line("Malfunctions: "), "Malfunctions: 0");
    EXPECT_TRUE(summary.front().endsWith("Start Recording.png\r"));

    CheckReport(summary);
    // The page tells the link's "Calibration" from an installer's.
    EXPECT_TRUE(ReadAll(Recording().path() + ".html")
                    .contains("re-synchronisation after the disconnection, not a calibration"));
}

// Two detectors commissioned one after the other: the site book gets a line for each
// identification, for the change the second confirms and for its walk test, in columns a
// spreadsheet (Python's csv module here) reads by name; its page lists both detectors.
class SiteBookRun : public WalkTest {
protected:
    QStringList SimulatorOptions() const override {
        return {"--letter", "0", "--symbol", "0", "--number", "1", "--dist", "10"};
    }
    // The second detector on the same port, at another place and zone length.
    void SwapDetector() {
        EndProcess(sim);
        sim.setArguments({"--rate", "200", "--port", QString::number(comNumber), "--letter", "2",
                          "--symbol", "1", "--number", "2", "--dist", "6", "--event", "15 walk 1.5",
                          "--event", "25 walk 1.5", "--event", "35 walk 1.5"});
        sim.start();
        ASSERT_TRUE(sim.waitForStarted(5000));
    }
    QList<QMap<QString, QString>> Book() const {
        QProcess python;
        python.start("python3", {"-c",
                                 "import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "    print(json.dumps(list(csv.DictReader(f))))\n",
                                 Work("Site book.csv")});
        if (!python.waitForFinished(10000) || python.exitCode() != 0)
            return {};
        QList<QMap<QString, QString>> rows;
        const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
        for (const QJsonValue& row : array) {
            QMap<QString, QString> fields;
            const QJsonObject object = row.toObject();
            for (auto it = object.begin(); it != object.end(); ++it)
                fields[it.key()] = it.value().toString();
            rows << fields;
        }
        return rows;
    }
    QStringList Events() const {
        QStringList events;
        for (const auto& row : Book())
            events << row.value("Event");
        return events;
    }
};

TEST_F(SiteBookRun, TwoDetectorsAChangeAndAWalkTestInTheBookAndOnItsPage) {
    ASSERT_TRUE(WaitFor([&] { return Events().contains("Identified"); }, 20000));
    SwapDetector();
    ASSERT_TRUE(WaitFor([&] { return Events().count("Identified") == 2; }, 40000))
        << Events().join(", ").toStdString();
    // Vmax one step down from its list, then Apply by its key, as the installer would.
    keys.start(xdotool, {"search",
                         "--sync",
                         "--onlyvisible",
                         "--name",
                         "Microwave intrusion",
                         "windowfocus",
                         "--sync",
                         "%1",
                         "mousemove",
                         "--window",
                         "%1",
                         "458",
                         "65",
                         "click",
                         "1",
                         "sleep",
                         "0.5",
                         "key",
                         "Up",
                         "key",
                         "Return",
                         "sleep",
                         "0.3",
                         "key",
                         "F5"});
    ASSERT_TRUE(keys.waitForFinished(10000));
    ASSERT_TRUE(WaitFor([&] { return Events().contains("Settings confirmed"); }, 15000))
        << Events().join(", ").toStdString();
    PressF6();
    ASSERT_TRUE(WaitFor([&] { return Holds(" Alarm 1.png"); }, 30000));
    PressF6();
    ASSERT_TRUE(WaitFor([&] { return Events().contains("Walk test"); }, 5000));

    const auto rows = Book();
    ASSERT_EQ(Events(),
              (QStringList{"Identified", "Identified", "Settings confirmed", "Walk test"}));
    EXPECT_EQ(rows[0].value("Unit ID"), "1");
    EXPECT_EQ(rows[0].value("Position"), "A01");
    EXPECT_EQ(rows[1].value("Unit ID"), "3");
    EXPECT_EQ(rows[1].value("Position"), "B02");
    EXPECT_NE(rows[0].value("Zone length"), rows[1].value("Zone length"));
    EXPECT_NE(rows[1].value("Vmax"), rows[2].value("Vmax")) << "the change confirmed";
    EXPECT_EQ(rows[2].value("Position"), "B02");
    EXPECT_EQ(rows[3].value("Walk test folder"), Recording().dirName());
    EXPECT_EQ(rows[3].value("Alarms"), "1");

    QProcess page;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    page.setProcessEnvironment(env);
    page.setWorkingDirectory(Work(""));
    page.start(MIRELUND_EXE, {"--site-book"});
    ASSERT_TRUE(page.waitForFinished(15000));
    EXPECT_EQ(page.exitCode(), 0) << page.readAllStandardError().toStdString();
    const QString html = QString::fromUtf8(ReadAll(Work("Site book.html")));
    EXPECT_TRUE(html.contains("<h2>Unit 1, position A01</h2>"));
    EXPECT_TRUE(html.contains("<h2>Unit 3, position B02</h2>"));
    // The folder's name as the page writes it: its apostrophes as character references.
    const QString folder = Recording().dirName().replace("'", "&#39;");
    EXPECT_TRUE(html.contains("<a href=\"" + folder + "/\">")) << folder.toStdString();
    EXPECT_TRUE(html.contains("Unit 1, position A01: never walk-tested"));
}

} // namespace
