// A site's traffic log played back on the desk: the program's log of a walk test with a pause,
// replayed by the simulated detector into a second run of the program, gives that run the same
// frames, the same pause and the same threshold excursions of the oscillogram.
#include "EndToEndFixture.h"

namespace {

using e2e::EndToEnd;
using e2e::ReadAll;
using e2e::WaitFor;
using e2e::WaitForLine;

// What the installer and the desk compare: the link's supervision lines and the oscillogram's
// excursions beyond a threshold (a run of lines with pp, mp or bp set counts once, as the
// analysis samples at its own pace).
QStringList Events(const QByteArray& log) {
    QStringList events;
    const QRegularExpression flags(" pp=(\\d) .* mp=(\\d) .* bp=(\\d) ");
    for (const QByteArray& line : log.split('\n')) {
        const QString text = QString::fromLatin1(line.mid(14));
        QString event;
        if (text.startsWith("Pause!!! "))
            event = "Pause";
        else if (text.startsWith("Lost!!! "))
            event = "Lost";
        else if (text.startsWith("In % : ")) {
            const QRegularExpressionMatch match = flags.match(text);
            const bool beyond =
                match.captured(1) == "1" || match.captured(2) == "1" || match.captured(3) == "1";
            event = beyond ? "beyond a threshold" : "within the thresholds";
        }
        if (!event.isEmpty() && (events.isEmpty() || events.back() != event))
            events << event;
    }
    return events;
}

QStringList InpLines(const QByteArray& log) {
    QStringList lines;
    for (const QByteArray& line : log.split('\n'))
        if (line.mid(14).startsWith("Inp:"))
            lines << QString::fromLatin1(line.mid(14));
    return lines;
}

class Replay : public EndToEnd {
protected:
    QStringList SimulatorOptions() const override {
        return {"--rate",  "200",        "--event", "4 walk 1.5",
                "--event", "8 walk 1.5", "--event", "11 silence 4"};
    }
    void TearDown() override {
        for (QProcess* process : {&replayTool, &replaySim})
            EndProcess(*process);
        EndToEnd::TearDown();
    }
    static void Stop(QProcess& process) {
        process.terminate();
        ASSERT_TRUE(process.waitForFinished(15000));
    }

    QProcess replaySim;
    QProcess replayTool;
};

TEST_F(Replay, TheDeskSeesWhatTheSiteSaw) {
    // The site: two walks, then four seconds of silence; the link pauses and comes back.
    ASSERT_TRUE(WaitFor([&] { return TrafficLog().contains("Pause!!! "); }, 25000));
    const int pause = TrafficLog().indexOf("Pause!!! ");
    ASSERT_TRUE(WaitFor([&] { return TrafficLog().indexOf("In % : ", pause) > 0; }, 8000));
    QThread::msleep(1000);
    Stop(tool);
    Stop(sim);
    const QString siteLog = root.filePath("site.log");
    ASSERT_TRUE(QFile::copy(Work("Mirelund.log"), siteLog));
    const QByteArray site = ReadAll(siteLog);
    ASSERT_EQ(Events(site).count("beyond a threshold"), 2) << Events(site).join(", ").toStdString();

    // The desk: a fresh folder and port directory, the log played into a second run.
    ASSERT_TRUE(QDir(root.path()).mkpath("desk/ports"));
    QFile deskLog(root.filePath("desk/Mirelund.log"));
    ASSERT_TRUE(deskLog.open(QIODevice::WriteOnly));
    deskLog.close();
    QProcessEnvironment env = tool.processEnvironment();
    env.insert("MIRELUND_PORTS", root.filePath("desk/ports"));
    replaySim.setProcessEnvironment(env);
    replaySim.start(DETECTOR_SIM_EXE,
                    {"--replay", siteLog, "--command-log", root.filePath("desk/commands.log")});
    ASSERT_TRUE(replaySim.waitForStarted(5000));
    ASSERT_TRUE(WaitForLine(replaySim, 5000));
    replayTool.setProcessEnvironment(env);
    replayTool.setWorkingDirectory(root.filePath("desk"));
    replayTool.start(MIRELUND_EXE, {});
    ASSERT_TRUE(replayTool.waitForStarted(5000));
    // The replay ends by itself once the program has read the last recorded byte.
    ASSERT_TRUE(replaySim.waitForFinished(60000));
    EXPECT_EQ(replaySim.exitCode(), 0) << replaySim.readAllStandardError().toStdString();
    Stop(replayTool);

    const QByteArray desk = ReadAll(root.filePath("desk/Mirelund.log"));
    EXPECT_EQ(Events(desk), Events(site)) << "desk: " << Events(desk).join(", ").toStdString()
                                          << "\nsite: " << Events(site).join(", ").toStdString();
    const QStringList deskFrames = InpLines(desk), siteFrames = InpLines(site);
    EXPECT_EQ(deskFrames.size(), siteFrames.size());
    for (int i = 0; i < std::min(deskFrames.size(), siteFrames.size()); ++i) {
        ASSERT_EQ(deskFrames[i].toStdString(), siteFrames[i].toStdString()) << "frame " << i;
    }
}

} // namespace
