// The person's own files in the working folder (the settings file, the traffic log, the site
// book) may be links, say to a bigger disk: a link to a regular file is followed and stays a
// link; a link to anything else is refused for what it names.
#include "TempDirFixture.h"

#include "link/TrafficLog.h"
#include "records/IniFile.h"
#include "records/SiteBook.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace records_test {
namespace {

struct WorkingFile {
    const char* name;
    // Writes a line through the name; empty when written, else what the operator is told.
    std::string (*write)(const char* name);
};

void PrintTo(const WorkingFile& f, std::ostream* os) {
    *os << f.name;
}

std::string WriteSettings(const char* name) {
    const records::WriteOutcome outcome =
        records::IniFile(name).WriteString("Connection", "ComPort", "3");
    return outcome ? std::string() : outcome.sError;
}

std::string WriteLog(const char* name) {
    testing_support::FakeClock clock;
    detlink::TrafficLog log(clock, name);
    if (!log.EnableIfPresent())
        return log.OffReason();
    return log.WriteLogLine("Out:[00 2A 15 3F]") ? std::string() : "not written";
}

std::string WriteBook(const char* name) {
    records::SiteBookEntry entry;
    entry.sEvent = records::kEventIdentified;
    return records::SiteBook(name, '.').Append(entry);
}

class WorkingFolderLink : public TempDirFixture, public testing::WithParamInterface<WorkingFile> {};

TEST_P(WorkingFolderLink, IsFollowedToARegularFileAndRefusedToAnythingElse) {
    const WorkingFile& file = GetParam();
    std::filesystem::create_directory("bigger disk");
    WriteAll("bigger disk/kept", "");
    std::filesystem::create_symlink("bigger disk/kept", file.name);
    EXPECT_EQ(file.write(file.name), "");
    EXPECT_TRUE(std::filesystem::is_symlink(file.name)) << "the link stays";
    EXPECT_NE(ReadAll("bigger disk/kept"), "");

    std::filesystem::remove(file.name);
    ASSERT_EQ(::mkfifo("bigger disk/fifo", 0600), 0);
    std::filesystem::create_symlink("bigger disk/fifo", file.name);
    const std::string refused = file.write(file.name);
    EXPECT_NE(refused.find("not a regular file"), std::string::npos) << refused;
}

INSTANTIATE_TEST_SUITE_P(Files, WorkingFolderLink,
                         testing::Values(WorkingFile{"Mirelund.ini", WriteSettings},
                                         WorkingFile{"Mirelund.log", WriteLog},
                                         WorkingFile{"Site book.csv", WriteBook}),
                         [](const testing::TestParamInfo<WorkingFile>& info) {
                             std::string name = info.param.name;
                             std::erase_if(name, [](char c) {
                                 return !std::isalnum(static_cast<unsigned char>(c));
                             });
                             return name;
                         });

} // namespace
} // namespace records_test
