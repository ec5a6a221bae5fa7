// The mirelund binary, offscreen, against detector-sim on a pseudo-terminal: identification,
// the remembered port, the calibration-off command on the wire, supervision lines when the
// detector falls silent, and the shut-down that a logout, Ctrl+C or a closed terminal runs.
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Polls until the condition holds or the limit passes; the program runs in real time here.
bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > milliseconds)
            return false;
        QThread::msleep(20);
    }
    return true;
}

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("ports"));
        ASSERT_TRUE(QDir(root.path()).mkpath("work"));
        QFile log(Work("Mirelund.log"));
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        log.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MIRELUND_PORTS", root.filePath("ports"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        sim.setProcessEnvironment(env);
        sim.setProgram(DETECTOR_SIM_EXE);
        // At the slowest rate every frame arrives in a cycle of its own, so the command armed
        // by the identifying frame leaves before a later frame can confirm it unsent.
        sim.setArguments(
            QStringList({"--rate", "14", "--command-log", root.filePath("commands.log")}) +
            SimulatorOptions());
        sim.start();
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(WaitFor(
            [this] {
                sim.waitForReadyRead(50);
                return sim.canReadLine();
            },
            5000));
        firstLine = QString::fromLocal8Bit(sim.readLine()).trimmed();
        const QRegularExpressionMatch com =
            QRegularExpression("COM(\\d+)", QRegularExpression::CaseInsensitiveOption)
                .match(firstLine);
        ASSERT_TRUE(com.hasMatch()) << firstLine.toStdString();
        comNumber = com.captured(1).toInt();

        tool.setProcessEnvironment(env);
        tool.setWorkingDirectory(root.filePath("work"));
        tool.setProgram(MIRELUND_EXE);
        tool.start();
        ASSERT_TRUE(tool.waitForStarted(5000));
    }

    void TearDown() override {
        if (sim.state() != QProcess::NotRunning)
            ::kill(static_cast<pid_t>(sim.processId()), SIGCONT);
        for (QProcess* process : {&tool, &sim}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(3000))
                process->kill();
            process->waitForFinished(3000);
        }
    }

    // Further options of the simulated detector.
    virtual QStringList SimulatorOptions() const { return {}; }
    QString Work(const QString& name) const { return root.filePath("work/" + name); }
    bool Identified() const {
        return ReadAll(Work("Mirelund.ini")).contains("ComPort=" + QByteArray::number(comNumber));
    }
    // The simulator logs each accepted command as its bytes, then its decoded fields.
    bool CommandLogHolds(const QByteArray& wire) const {
        const QByteArray command = wire.size() == 4 ? wire.left(2) : wire;
        const QByteArray prefix = command.toHex(' ').toUpper() + ' ';
        const QList<QByteArray> lines = ReadAll(root.filePath("commands.log")).split('\n');
        return std::any_of(lines.begin(), lines.end(), [&](const QByteArray& line) {
            return line.startsWith(prefix) && line.contains("o_state:0");
        });
    }
    QByteArray TrafficLog() const { return ReadAll(Work("Mirelund.log")); }

    QTemporaryDir root;
    QProcess sim;
    QProcess tool;
    QString firstLine;
    int comNumber = 0;
};

TEST_F(EndToEnd, IdentifiesCalibratesOffAndSupervisesTheLink) {
    ASSERT_TRUE(WaitFor([&] { return Identified(); }, 15000))
        << "settings file: " << ReadAll(Work("Mirelund.ini")).toStdString();

    // Entering the Settings page at identification sends calibration off (o_state 0).
    const QRegularExpression out("Out:\\[([0-9A-F ]+)\\] send:(\\d) bytes o_code:0 .*o_state:0");
    QRegularExpressionMatch sent;
    ASSERT_TRUE(WaitFor(
        [&] {
            sent = out.match(QString::fromLatin1(TrafficLog()));
            return sent.hasMatch();
        },
        10000))
        << TrafficLog().toStdString();
    const QByteArray wire = QByteArray::fromHex(sent.captured(1).toLatin1().replace(' ', ""));
    ASSERT_TRUE(wire.size() == 3 || wire.size() == 4);
    EXPECT_EQ(static_cast<quint8>(wire[0]) >> 5, 0);       // command code 0
    EXPECT_EQ((static_cast<quint8>(wire[1]) >> 5) & 3, 0); // o_state 0
    if (wire.size() == 3)
        EXPECT_EQ(static_cast<quint8>(wire[2]),
                  0x80 + ((static_cast<quint8>(wire[0]) + static_cast<quint8>(wire[1])) % 128));
    else
        EXPECT_EQ(wire.mid(2), wire.left(2));
    ASSERT_TRUE(WaitFor([&] { return CommandLogHolds(wire); }, 5000))
        << ReadAll(root.filePath("commands.log")).toStdString();

    ASSERT_EQ(::kill(static_cast<pid_t>(sim.processId()), SIGSTOP), 0);
    EXPECT_TRUE(WaitFor([&] { return TrafficLog().contains("Pause!!! "); }, 6000));
    EXPECT_TRUE(WaitFor([&] { return TrafficLog().contains("Lost!!! "); }, 8000));
}

// A detector in the middle of its alignment when the session ends: the signal closes the
// window, whose shut-down takes the detector out of calibration before the tool exits.
class Termination : public EndToEnd, public testing::WithParamInterface<int> {
protected:
    QStringList SimulatorOptions() const override { return {"--calibrating"}; }
};

TEST_P(Termination, TakesTheDetectorOutOfCalibrationAndExitsNormally) {
    ASSERT_TRUE(WaitFor([&] { return Identified(); }, 15000))
        << "settings file: " << ReadAll(Work("Mirelund.ini")).toStdString();
    // Identified in Calibration, the tool stays there and sends nothing.
    QThread::msleep(500);
    ASSERT_TRUE(ReadAll(root.filePath("commands.log")).isEmpty())
        << ReadAll(root.filePath("commands.log")).toStdString();

    ASSERT_EQ(::kill(static_cast<pid_t>(tool.processId()), GetParam()), 0);
    ASSERT_TRUE(tool.waitForFinished(15000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0);
    const QList<QByteArray> commands = ReadAll(root.filePath("commands.log")).trimmed().split('\n');
    EXPECT_TRUE(commands.back().contains("o_code:0") && commands.back().contains("o_state:0"))
        << ReadAll(root.filePath("commands.log")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, Termination, testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM  ? "SIGTERM"
                                                : info.param == SIGINT ? "SIGINT"
                                                                       : "SIGHUP");
                         });

} // namespace
