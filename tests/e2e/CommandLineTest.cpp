// What a person meets before any window: help, version and a mistaken option answer on the
// right stream with the right exit code, and a start without a display ends with a sentence
// instead of the toolkit's abort. The environment is empty, so none of them may need a display.
#include "records/Version.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CommandLineCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    bool answersOnStdout; // else on stderr, with nothing on stdout
    const char* says;     // a piece of the answer
};

std::ostream& operator<<(std::ostream& out, const CommandLineCase& c) {
    return out << c.name;
}

const char* const kUsage = "Usage: mirelund [--simple]";

class CommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, AnswersOnItsStreamWithItsExitCodeAndEnds) {
    const CommandLineCase& c = GetParam();
    QProcess tool;
    const QProcessEnvironment empty;
    ASSERT_FALSE(empty.inheritsFromParent());
    tool.setProcessEnvironment(empty);
    tool.start(MIRELUND_EXE, c.arguments);
    ASSERT_TRUE(tool.waitForStarted(5000));
    if (!tool.waitForFinished(10000)) {
        tool.kill();
        tool.waitForFinished(3000);
        FAIL() << "still running after 10 s";
    }
    const QString out = QString::fromLocal8Bit(tool.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(tool.readAllStandardError());
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(tool.exitCode(), c.exitCode) << err.toStdString();
    const QString& answer = c.answersOnStdout ? out : err;
    EXPECT_TRUE(answer.contains(QString::fromLatin1(c.says))) << answer.toStdString();
    EXPECT_TRUE((c.answersOnStdout ? err : out).isEmpty()) << (out + err).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    testing::Values(
        CommandLineCase{"Help", {"--help"}, 0, true, kUsage},
        CommandLineCase{"Version", {"--version"}, 0, true, ""},
        CommandLineCase{"UnknownOption", {"--simpel"}, 2, false, kUsage},
        CommandLineCase{"QtOption", {"-platform", "offscreen"}, 2, false, "\"-platform\""},
        CommandLineCase{"StrayArgument", {"site-a"}, 2, false, kUsage},
        CommandLineCase{"ReportWithoutFolder", {"--report"}, 2, false, kUsage},
        CommandLineCase{"ReportWithAnotherOption", {"--report", "x", "--simple"}, 2, false, kUsage},
        CommandLineCase{
            "SiteBookWithAnotherOption", {"--site-book", "x", "--simple"}, 2, false, kUsage},
        CommandLineCase{"SiteBookWithoutBook",
                        {"--site-book", "/nonexistent"},
                        2,
                        false,
                        "Site book.csv\" cannot be read"},
        CommandLineCase{"NoDisplay", {}, 1, false, "no display"},
        CommandLineCase{"NoDisplaySimple", {"--simple"}, 1, false, "no display"}),
    [](const testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

TEST(CommandLineVersion, IsTheWindowsCaptionOnOneLine) {
    QProcess tool;
    tool.setProcessEnvironment(QProcessEnvironment());
    tool.start(MIRELUND_EXE, {"--version"});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.readAllStandardOutput().toStdString(), records::BaseCaption() + "\n");
}

TEST(CommandLineNoDisplay, SaysSoInOneSentence) {
    QProcess tool;
    tool.setProcessEnvironment(QProcessEnvironment());
    tool.start(MIRELUND_EXE, {});
    ASSERT_TRUE(tool.waitForFinished(10000));
    const QByteArray err = tool.readAllStandardError();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.endsWith(".\n")) << err.toStdString();
}

} // namespace
