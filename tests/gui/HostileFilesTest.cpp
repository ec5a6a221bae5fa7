// The window started beside files another program or a person left in a bad state: a traffic
// log held by a running copy, and a settings file with values no detector could produce.
#include "ConsoleFixture.h"

#include "console/StatusPanel.h"
#include "link/TrafficLog.h"

#include <QFile>
#include <QLabel>

namespace console {
namespace {

void WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class LogHeldByAnotherCopy : public ConsoleFixture {
protected:
    void BeforeStart() override {
        WriteFile("Mirelund.log", "");
        ASSERT_TRUE(runningCopy.EnableIfPresent());
        runningCopy.WriteLogLine("the running copy's line");
    }
    detlink::TrafficLog runningCopy{clock, "Mirelund.log"};
};

TEST_F(LogHeldByAnotherCopy, RunsWithoutALogAndSaysSoInTheFirstNote) {
    EXPECT_EQ(window->memoNote->text(), "Select detector connection port ...");
    EXPECT_TRUE(window->memoNote->toolTip().contains("in use by another copy"))
        << window->memoNote->toolTip().toStdString();
    SendCycle(Detector());
    QFile log("Mirelund.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), QByteArray("14:07:33.120  the running copy's line\n"));
}

class AbsurdSettings : public ConsoleFixture {
protected:
    void BeforeStart() override {
        WriteFile("Mirelund.ini", "[Koef]\r\nKdc=1e308\r\n[PP]\r\nPP7=1e308\r\n");
    }
};

// The status panel still shows a supply line, and the automatic fit keeps the chart's axis
// ordered with the threshold at its top.
TEST_F(AbsurdSettings, GiveASupplyLineAndAnAxisThatHoldsTheThreshold) {
    SendCycle(Detector());
    ASSERT_EQ(window->ActivePage(), Page::Range);
    EXPECT_EQ(window->gbParameters->lPower->text(), Decimal("1000.0  V"));
    const chart::Axis& axis = window->chRangeModel.leftAxis;
    EXPECT_GT(axis.maximum, 102200);
    EXPECT_LT(axis.minimum, 0);
}

} // namespace
} // namespace console
