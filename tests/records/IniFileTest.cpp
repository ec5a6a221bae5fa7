// The settings file's reader and writer: the private-profile rules on files of every shape.
#include "records/IniFile.h"

#include "TempDirFixture.h"

#include <algorithm>

using records::IniFile;
using records_test::TempDirFixture;

namespace {

// A file as the earlier Windows releases and a person with a text editor leave it.
const std::string kWindowsFile = "; written by hand\r\n"
                                 "[Koef]\r\n"
                                 "Kdc=14,5\r\n"
                                 "  urd = 1,25  \r\n"
                                 "\r\n"
                                 "[Foreign]\r\n"
                                 "Path=\"C:\\Some Folder\"\r\n"
                                 "no equals sign here\r\n"
                                 "[filter]\r\n"
                                 "Select=21\r\n";

class IniFileTest : public TempDirFixture {};

TEST_F(IniFileTest, MissingFileReadsNothingAndCreatesNothing) {
    const IniFile ini("Mirelund.ini");
    EXPECT_FALSE(ini.Read("Koef", "Kdc").has_value());
    EXPECT_EQ(ini.ReadString("Koef", "Kdc", "dflt"), "dflt");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(IniFileTest, ReadsWindowsFilesWithTheirSpellings) {
    WriteAll("Mirelund.ini", kWindowsFile);
    const IniFile ini("Mirelund.ini");
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Koef", "Kdc", "14,5"},
        {"KOEF", "URD", "1,25"},
        {"Foreign", "Path", "C:\\Some Folder"},
        {"Filter", "select", "21"},
        {"Koef", "Select", std::nullopt},
        {"Foreign", "no equals sign here", std::nullopt},
        {"Display", "Kdc", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.Read(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
}

TEST_F(IniFileTest, ReadsLineFeedFilesAndSeesChangesMadeMeanwhile) {
    WriteAll("Mirelund.ini", "\xEF\xBB\xBF[Koef]\nKdc=1\n");
    const IniFile ini("Mirelund.ini");
    EXPECT_EQ(ini.Read("Koef", "Kdc"), "1");
    WriteAll("Mirelund.ini", "[Koef]\nKdc=2");
    EXPECT_EQ(ini.Read("Koef", "Kdc"), "2");
}

TEST_F(IniFileTest, WriteKeepsEveryOtherLineInPlace) {
    WriteAll("Mirelund.ini", kWindowsFile);
    IniFile ini("Mirelund.ini");
    ASSERT_TRUE(ini.WriteString("koef", "KDC", "15"));
    ASSERT_TRUE(ini.WriteString("Koef", "New", "x"));
    ASSERT_TRUE(ini.WriteString("Sens", "Freq10Dist2", "15"));
    EXPECT_EQ(ReadAll("Mirelund.ini"), "; written by hand\r\n"
                                       "[Koef]\r\n"
                                       "Kdc=15\r\n"
                                       "  urd = 1,25  \r\n"
                                       "New=x\r\n"
                                       "\r\n"
                                       "[Foreign]\r\n"
                                       "Path=\"C:\\Some Folder\"\r\n"
                                       "no equals sign here\r\n"
                                       "[filter]\r\n"
                                       "Select=21\r\n"
                                       "[Sens]\r\n"
                                       "Freq10Dist2=15\r\n");
}

TEST_F(IniFileTest, FirstOfDuplicateSectionsAndKeysIsTheOneReadAndWritten) {
    WriteAll("Mirelund.ini", "[Koef]\r\nKdc=1\r\nKdc=2\r\n[Koef]\r\nKdc=3\r\nUrd=4\r\n");
    IniFile ini("Mirelund.ini");
    EXPECT_EQ(ini.Read("Koef", "Kdc"), "1");
    EXPECT_FALSE(ini.Read("Koef", "Urd").has_value());
    ASSERT_TRUE(ini.WriteString("Koef", "Kdc", "9"));
    EXPECT_EQ(ReadAll("Mirelund.ini"), "[Koef]\r\nKdc=9\r\nKdc=2\r\n[Koef]\r\nKdc=3\r\nUrd=4\r\n");
}

TEST_F(IniFileTest, BinaryFileNeitherCrashesNorLosesItsBytes) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) {
        junk += static_cast<char>((i * 131 + 7) % 256);
    }
    WriteAll("Mirelund.ini", junk);
    IniFile ini("Mirelund.ini");
    ini.Read("Koef", "Kdc");
    ASSERT_TRUE(ini.WriteString("Koef", "Kdc", "2"));
    EXPECT_EQ(ini.Read("Koef", "Kdc"), "2");
    // Every original byte but the line ends survives the rewrite.
    std::string after = ReadAll("Mirelund.ini");
    std::string before = junk;
    for (std::string* s : {&after, &before}) {
        s->erase(
            std::remove_if(s->begin(), s->end(), [](char c) { return c == '\r' || c == '\n'; }),
            s->end());
    }
    EXPECT_EQ(after.substr(0, before.size()), before);
}

TEST_F(IniFileTest, OversizedFileIsReadInPartAndNeverRewritten) {
    std::string big = "[Koef]\r\nKdc=3\r\n";
    while (big.size() <= IniFile::kMaxFileBytes) {
        big += "; padding padding padding padding padding padding padding padding\r\n";
    }
    big += "[Late]\r\nKey=1\r\n";
    WriteAll("Mirelund.ini", big);
    IniFile ini("Mirelund.ini");
    EXPECT_EQ(ini.Read("Koef", "Kdc"), "3");
    EXPECT_FALSE(ini.Read("Late", "Key").has_value());
    const records::WriteOutcome outcome = ini.WriteString("Koef", "Kdc", "4");
    EXPECT_FALSE(outcome);
    EXPECT_NE(outcome.sError.find("Mirelund.ini"), std::string::npos);
    EXPECT_EQ(ReadAll("Mirelund.ini"), big);
}

TEST_F(IniFileTest, UnstorableTextIsRefusedAndTheFileStaysAsItWas) {
    WriteAll("Mirelund.ini", kWindowsFile);
    IniFile ini("Mirelund.ini");
    EXPECT_FALSE(ini.WriteString("Koef", "Kdc", "1\r\n[Evil]"));
    EXPECT_FALSE(ini.WriteString("Koef", "K=dc", "1"));
    EXPECT_FALSE(ini.WriteString("Ko]ef", "Kdc", "1"));
    EXPECT_EQ(ReadAll("Mirelund.ini"), kWindowsFile);
}

TEST_F(IniFileTest, FailedWriteGivesTheSystemReasonAndLeavesNoTemporaryFile) {
    IniFile ini("no such folder/Mirelund.ini");
    const records::WriteOutcome outcome = ini.WriteString("Koef", "Kdc", "1");
    EXPECT_FALSE(outcome);
    EXPECT_NE(outcome.sError.find("No such file or directory"), std::string::npos)
        << outcome.sError;
    EXPECT_TRUE(Listing().empty());
}

TEST_F(IniFileTest, WriteKeepsPermissionsAndLeavesOnlyTheFile) {
    WriteAll("Mirelund.ini", "[Koef]\r\n");
    std::filesystem::permissions("Mirelund.ini", std::filesystem::perms(0640));
    IniFile ini("Mirelund.ini");
    ASSERT_TRUE(ini.WriteString("Koef", "Kdc", "1"));
    EXPECT_EQ(std::filesystem::status("Mirelund.ini").permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(Listing(), std::vector<std::string>{"Mirelund.ini"});
}

} // namespace
