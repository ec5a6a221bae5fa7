// A walk test recorded by the real program on a real (virtual) display: the installer presses
// F6, the simulated detector sees three intrusions, falls silent and comes back, F6 again; the
// dated folder holds the window's pictures in order and the summary with its counts.
#include "EndToEndFixture.h"

#include <QImage>
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
    void PressF6() {
        // Only a mapped window takes the focus, and the toolkit makes the window active (so its
        // shortcuts work) when the focus event arrives.
        keys.start(xdotool, {"search", "--sync", "--onlyvisible", "--name", "Microwave intrusion",
                             "windowfocus", "--sync", "%1", "sleep", "0.3", "key", "F6"});
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

} // namespace
