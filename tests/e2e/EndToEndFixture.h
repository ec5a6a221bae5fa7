// The mirelund binary against detector-sim on a pseudo-terminal, in a temporary folder with
// a traffic log switched on: the fixture of the end-to-end tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>

namespace e2e {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Polls until the condition holds or the limit passes; the program runs in real time here.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > milliseconds)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// Until a started program has a whole line of output to read, or the limit passes.
inline bool WaitForLine(QProcess& process, int milliseconds) {
    return WaitFor(
        [&process] {
            process.waitForReadyRead(50);
            return process.canReadLine();
        },
        milliseconds);
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
        AdjustEnvironment(env);
        if (HasFatalFailure() || IsSkipped())
            return;
        sim.setProcessEnvironment(env);
        sim.setProgram(DETECTOR_SIM_EXE);
        // At the slowest rate every frame arrives in a cycle of its own, so the command armed
        // by the identifying frame leaves before a later frame can confirm it unsent.
        sim.setArguments(
            QStringList({"--rate", "14", "--command-log", root.filePath("commands.log")}) +
            SimulatorOptions());
        sim.start();
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(WaitForLine(sim, 5000));
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
        for (QProcess* process : {&tool, &sim})
            EndProcess(*process);
    }
    // Asks a process still running to end, and makes it.
    static void EndProcess(QProcess& process) {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
        process.waitForFinished(3000);
    }

    // Further options of the simulated detector.
    virtual QStringList SimulatorOptions() const { return {}; }
    // Changes to the environment both programs start with.
    virtual void AdjustEnvironment(QProcessEnvironment&) {}
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

} // namespace e2e
