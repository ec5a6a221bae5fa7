// The settings file's reader and writer: the private-profile rules on files of every shape.
#include "records/IniFile.h"

#include "TempDirFixture.h"

#include <algorithm>

namespace fs = std::filesystem;
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

// Files from other editors and systems: every line end is read, and a write changes the bytes
// of the one line it touches, or adds a line ended as the file's first line is.
struct LineEndCase {
    const char* name;
    std::string before;
    std::optional<std::string> read; // Koef/Kdc in `before`
    const char* section;
    const char* key;
    std::string after; // once the key is set to 9
};

void PrintTo(const LineEndCase& c, std::ostream* out) {
    *out << c.name;
}

class IniLineEnds : public TempDirFixture, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(IniLineEnds, ReadsEveryLineEndAndWritesOnlyTheKeysLine) {
    const LineEndCase& c = GetParam();
    WriteAll("Mirelund.ini", c.before);
    IniFile ini("Mirelund.ini");
    EXPECT_EQ(ini.Read("Koef", "Kdc"), c.read);
    EXPECT_EQ(ini.Read("Koef", "Urd"), "2");
    ASSERT_TRUE(ini.WriteString(c.section, c.key, "9"));
    EXPECT_EQ(ReadAll("Mirelund.ini"), c.after);
    EXPECT_EQ(ini.Read(c.section, c.key), "9");
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniLineEnds,
    ::testing::Values(LineEndCase{"LineFeeds", "; note\n[Koef]\nKdc=1\nUrd=2\n", "1", "Koef", "Kdc",
                                  "; note\n[Koef]\nKdc=9\nUrd=2\n"},
                      LineEndCase{"CarriageReturns", "; note\r[Koef]\rKdc=1\rUrd=2\r", "1", "Koef",
                                  "Kdc", "; note\r[Koef]\rKdc=9\rUrd=2\r"},
                      LineEndCase{"MixedEachLineKeepsItsOwn", "; note\r\n[Koef]\nKdc=1\rUrd=2\r\n",
                                  "1", "Koef", "Kdc", "; note\r\n[Koef]\nKdc=9\rUrd=2\r\n"},
                      LineEndCase{"BlankLinesBetweenEnds", "[Koef]\n\rKdc=1\r\n\r\rUrd=2\n\n", "1",
                                  "Koef", "Kdc", "[Koef]\n\rKdc=9\r\n\r\rUrd=2\n\n"},
                      LineEndCase{"NoFinalLineEnd", "[Koef]\nUrd=2\nKdc=1", "1", "Koef", "Kdc",
                                  "[Koef]\nUrd=2\nKdc=9"},
                      LineEndCase{"ByteOrderMark", "\xEF\xBB\xBF[Koef]\rKdc=1\rUrd=2\r", "1",
                                  "Koef", "Kdc", "\xEF\xBB\xBF[Koef]\rKdc=9\rUrd=2\r"},
                      LineEndCase{"NewKeyTakesTheFirstLinesEnd", "[Koef]\rUrd=2\nKdc=1\r\n", "1",
                                  "Koef", "New", "[Koef]\rUrd=2\nKdc=1\r\nNew=9\r"},
                      LineEndCase{"NewSectionInLineFeeds", "[Koef]\nUrd=2\n", std::nullopt, "Sens",
                                  "Freq10Dist2", "[Koef]\nUrd=2\n[Sens]\nFreq10Dist2=9\n"},
                      LineEndCase{"NewKeyAfterAnUnendedLastLine", "[Koef]\rUrd=2", std::nullopt,
                                  "Koef", "Kdc", "[Koef]\rUrd=2\rKdc=9"}),
    [](const auto& info) { return std::string(info.param.name); });

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
    for (const std::string end : {"\r\n", "\r"}) {
        SCOPED_TRACE(end == "\r" ? "CR" : "CR LF");
        std::string big = "[Koef]" + end + "Kdc=3" + end;
        while (big.size() <= IniFile::kMaxFileBytes) {
            big += "; padding padding padding padding padding padding padding padding" + end;
        }
        big += "[Late]" + end + "Key=1" + end;
        WriteAll("Mirelund.ini", big);
        IniFile ini("Mirelund.ini");
        EXPECT_EQ(ini.Read("Koef", "Kdc"), "3");
        EXPECT_FALSE(ini.Read("Late", "Key").has_value());
        const records::WriteOutcome outcome = ini.WriteString("Koef", "Kdc", "4");
        EXPECT_FALSE(outcome);
        EXPECT_NE(outcome.sError.find("Mirelund.ini"), std::string::npos);
        EXPECT_EQ(ReadAll("Mirelund.ini"), big);
    }
}

TEST_F(IniFileTest, UnstorableTextIsRefusedAndTheFileStaysAsItWas) {
    WriteAll("Mirelund.ini", kWindowsFile);
    IniFile ini("Mirelund.ini");
    EXPECT_FALSE(ini.WriteString("Koef", "Kdc", "1\r\n[Evil]"));
    EXPECT_FALSE(ini.WriteString("Koef", "K=dc", "1"));
    EXPECT_FALSE(ini.WriteString("Ko]ef", "Kdc", "1"));
    EXPECT_EQ(ReadAll("Mirelund.ini"), kWindowsFile);
}

} // namespace
