// The settings file on POSIX: the system's reasons, permission bits, FIFOs, sockets and
// symbolic links in the file's place.
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

class IniFilePosixTest : public TempDirFixture {};

TEST_F(IniFilePosixTest, FailedWriteGivesTheSystemReasonAndLeavesNoTemporaryFile) {
    IniFile ini("no such folder/Mirelund.ini");
    const records::WriteOutcome outcome = ini.WriteString("Koef", "Kdc", "1");
    EXPECT_FALSE(outcome);
    EXPECT_NE(outcome.sError.find("No such file or directory"), std::string::npos)
        << outcome.sError;
    EXPECT_TRUE(Listing().empty());
}

TEST_F(IniFilePosixTest, WriteKeepsPermissionsAndLeavesOnlyTheFile) {
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
