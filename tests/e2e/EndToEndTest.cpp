// The mirelund binary, offscreen, against detector-sim on a pseudo-terminal: identification,
// the remembered port, the calibration-off command on the wire, supervision lines when the
// detector falls silent, and the shut-down that a logout, Ctrl+C or a closed terminal runs.
#include "EndToEndFixture.h"

namespace {

using e2e::EndToEnd;
using e2e::ReadAll;
using e2e::WaitFor;

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
