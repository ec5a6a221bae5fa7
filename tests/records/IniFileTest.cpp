// The settings file's reader and writer: the private-profile rules on files of every shape.
#include "records/IniFile.h"

#include "TempDirFixture.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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

// Something other than a file in the settings file's place, as a mistake or a prank leaves it.
struct NonRegularCase {
    const char* name;
    void (*make)();
};

void PrintTo(const NonRegularCase& c, std::ostream* out) {
    *out << c.name;
}

class IniNonRegular : public TempDirFixture, public ::testing::WithParamInterface<NonRegularCase> {
protected:
    // Runs the call on a thread of its own. Should it block on the FIFO, a writer that comes
    // and goes releases it, so that a regression fails here instead of hanging the run.
    template <class Call> static auto WithoutBlocking(Call call) {
        auto result = std::async(std::launch::async, call);
        if (result.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
            ADD_FAILURE() << "blocked on Mirelund.ini";
            ::close(::open("Mirelund.ini", O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        }
        return result.get();
    }
};

TEST_P(IniNonRegular, ReadsAsAbsentAndIsNeverWrittenOrReplaced) {
    GetParam().make();
    const fs::file_type placed = fs::symlink_status("Mirelund.ini").type();
    const fs::file_type named = fs::status("Mirelund.ini").type();
    const std::vector<std::string> listing = Listing();
    IniFile ini("Mirelund.ini");

    EXPECT_FALSE(WithoutBlocking([&] { return ini.Read("Koef", "Kdc"); }).has_value());
    EXPECT_EQ(WithoutBlocking([&] { return ini.ReadString("Koef", "Kdc", "dflt"); }), "dflt");
    const records::WriteOutcome outcome =
        WithoutBlocking([&] { return ini.WriteString("Koef", "Kdc", "1"); });
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.sError, "Cannot write file \"Mirelund.ini\": it is not a regular file");
    EXPECT_EQ(fs::symlink_status("Mirelund.ini").type(), placed);
    EXPECT_EQ(fs::status("Mirelund.ini").type(), named);
    EXPECT_EQ(Listing(), listing);
}

void MakeFifo() {
    ASSERT_EQ(::mkfifo("Mirelund.ini", 0666), 0);
}

void MakeFolder() {
    fs::create_directory("Mirelund.ini");
}

void MakeSocket() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "Mirelund.ini");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

void MakeLinkToAFifo() {
    ASSERT_EQ(::mkfifo("pipe", 0666), 0);
    fs::create_symlink("pipe", "Mirelund.ini");
}

INSTANTIATE_TEST_SUITE_P(Places, IniNonRegular,
                         ::testing::Values(NonRegularCase{"Fifo", MakeFifo},
                                           NonRegularCase{"Folder", MakeFolder},
                                           NonRegularCase{"Socket", MakeSocket},
                                           NonRegularCase{"LinkToAFifo", MakeLinkToAFifo}),
                         [](const auto& info) { return std::string(info.param.name); });

// A settings file shared through symbolic links: the links stay, the file they name changes.
struct LinkCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links; // link, what it names
    bool absolute;                                          // the first link names a full path
    bool targetExists;
};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.name;
}

class IniLinks : public TempDirFixture, public ::testing::WithParamInterface<LinkCase> {
protected:
    // Every name under the current directory, sub-folders included, sorted.
    static std::vector<std::string> AllNames() {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(".")) {
            names.push_back(entry.path().lexically_relative(".").string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_P(IniLinks, WriteGoesThroughTheLinksToTheFileTheyName) {
    const LinkCase& c = GetParam();
    const std::string target = "shared/Mirelund.ini";
    fs::create_directory("shared");
    fs::create_directory("hop");
    std::vector<std::string> expectedNames = {"hop", "shared", target};
    std::vector<std::pair<std::string, fs::path>> made;
    for (auto [link, named] : c.links) {
        if (c.absolute && link == "Mirelund.ini") {
            named = (fs::current_path() / named).string();
        }
        fs::create_symlink(named, link);
        made.emplace_back(link, named);
        expectedNames.push_back(link);
    }
    std::sort(expectedNames.begin(), expectedNames.end());
    if (c.targetExists) {
        WriteAll(target, "[Koef]\nKdc=1\n");
    }

    IniFile ini("Mirelund.ini");
    ASSERT_TRUE(ini.WriteString("Koef", "Kdc", "2"));
    EXPECT_EQ(ReadAll(target), c.targetExists ? "[Koef]\nKdc=2\n" : "[Koef]\r\nKdc=2\r\n");
    EXPECT_EQ(ini.Read("Koef", "Kdc"), "2");
    for (const auto& [link, named] : made) {
        EXPECT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_EQ(fs::read_symlink(link), named) << link;
    }
    EXPECT_EQ(AllNames(), expectedNames);
}

INSTANTIATE_TEST_SUITE_P(
    Links, IniLinks,
    ::testing::Values(
        LinkCase{"IntoASubFolder", {{"Mirelund.ini", "shared/Mirelund.ini"}}, false, true},
        LinkCase{"FullPath", {{"Mirelund.ini", "shared/Mirelund.ini"}}, true, true},
        LinkCase{"ChainRelativeToEachLinksFolder",
                 {{"hop/next.ini", "../shared/Mirelund.ini"}, {"Mirelund.ini", "hop/next.ini"}},
                 false,
                 true},
        LinkCase{"DanglingCreatesTheFileItNames",
                 {{"hop/next.ini", "../shared/Mirelund.ini"}, {"Mirelund.ini", "hop/next.ini"}},
                 false,
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
