// The POSIX serial backend on a real pseudo-terminal: raw bytes both ways, reads that never
// wait, exclusivity against a second copy, reopening its own port, and a hung-up peer.
#include "link/PosixSerialBackend.h"
#include "link/SerialGate.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Pty {
public:
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) {
            slavePath = ::ptsname(master);
        }
    }
    ~Pty() { CloseMaster(); }
    void CloseMaster() {
        if (master >= 0) {
            ::close(master);
        }
        master = -1;
    }
    int master = -1;
    std::string slavePath;
};

class PosixSerialTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (pty.slavePath.empty()) {
            GTEST_SKIP() << "no pseudo-terminal";
        }
        dir = std::filesystem::temp_directory_path() / ("ports-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::create_symlink(pty.slavePath, dir / "Com12");
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    detlink::SerialGate MakeGate() {
        return detlink::SerialGate(
            std::make_unique<detlink::PosixSerialBackend>(detlink::PortDirectory(dir, false)));
    }
    int ReadMaster(std::uint8_t* buf, int n) {
        for (int i = 0; i < 200; ++i) {
            const ssize_t r = ::read(pty.master, buf, static_cast<std::size_t>(n));
            if (r > 0) {
                return static_cast<int>(r);
            }
            ::usleep(1000);
        }
        return 0;
    }
    Pty pty;
    std::filesystem::path dir;
};

TEST_F(PosixSerialTest, PortDirectoryNamesAndResolvesComNumbers) {
    const detlink::PortDirectory ports(dir, false);
    EXPECT_EQ(ports.PortNames(), std::vector<std::string>{"COM12:"});
    EXPECT_EQ(ports.DevicePath(12), (dir / "Com12").string());
    EXPECT_EQ(ports.DevicePath(3), "");
}

TEST_F(PosixSerialTest, RawBytesBothWaysAndEmptyReadReturnsAtOnce) {
    detlink::SerialGate gate = MakeGate();
    ASSERT_TRUE(gate.Open(12, detlink::kLinkBaudRate));
    std::uint8_t buf[100];
    EXPECT_EQ(gate.Read(buf, 100), 0);
    const std::uint8_t frame[] = {0x00, 0x2A, 0x0A, 0x0D, 0x11, 0xFF};
    ASSERT_EQ(::write(pty.master, frame, sizeof frame), 6);
    int got = 0;
    for (int i = 0; i < 200 && got < 6; ++i) {
        got += gate.Read(buf + got, 100 - got);
        ::usleep(1000);
    }
    ASSERT_EQ(got, 6);
    EXPECT_EQ(0, std::memcmp(buf, frame, 6)); // no CR/LF translation, no flow control
    const std::uint8_t cmd[] = {0x15, 0xAA, 0xBF};
    EXPECT_EQ(gate.Write(cmd, 3), 3);
    std::uint8_t echo[3] = {};
    EXPECT_EQ(ReadMaster(echo, 3), 3);
    EXPECT_EQ(0, std::memcmp(echo, cmd, 3));
}

TEST_F(PosixSerialTest, MissingPortAndClosedGateGiveNothing) {
    detlink::SerialGate gate = MakeGate();
    EXPECT_FALSE(gate.Open(13, detlink::kLinkBaudRate));
    EXPECT_FALSE(gate.bOpen);
    std::uint8_t buf[4] = {1, 2, 3, 4};
    EXPECT_EQ(gate.Write(buf, 4), 0);
    EXPECT_EQ(gate.Read(buf, 4), 0);
}

TEST_F(PosixSerialTest, SecondCopyIsRefusedAndOwnPortReopens) {
    detlink::SerialGate first = MakeGate();
    detlink::SerialGate second = MakeGate();
    ASSERT_TRUE(first.Open(12, detlink::kLinkBaudRate));
    EXPECT_FALSE(second.Open(12, detlink::kLinkBaudRate));
    for (int i = 0; i < 3; ++i) {
        first.Close();
        EXPECT_TRUE(first.Open(12, detlink::kLinkBaudRate));
    }
}

TEST_F(PosixSerialTest, FailedOpenSaysWhy) {
    detlink::SerialGate first = MakeGate();
    detlink::SerialGate second = MakeGate();
    EXPECT_FALSE(first.Open(13, detlink::kLinkBaudRate));
    EXPECT_EQ(first.OpenFailure(), "COM13: no such port any more.");
    // An empty port list leaves nothing to open, and says so instead of naming "COM0".
    EXPECT_FALSE(first.Open(0, detlink::kLinkBaudRate));
    EXPECT_EQ(first.OpenFailure(), "No serial port found: plug in the detector's serial adapter.");
    ASSERT_TRUE(first.Open(12, detlink::kLinkBaudRate));
    EXPECT_EQ(first.OpenFailure(), "");
    EXPECT_FALSE(second.Open(12, detlink::kLinkBaudRate));
    EXPECT_NE(second.OpenFailure().find("in use by another program"), std::string::npos)
        << second.OpenFailure();
}

TEST_F(PosixSerialTest, HungUpPeerReadsAsNoBytesAndWritesFailQuietly) {
    detlink::SerialGate gate = MakeGate();
    ASSERT_TRUE(gate.Open(12, detlink::kLinkBaudRate));
    pty.CloseMaster();
    std::uint8_t buf[100];
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(gate.Read(buf, 100), 0);
        EXPECT_EQ(gate.Write(buf, 3), 0);
    }
}

// As a non-root user the terminal itself refuses a plain second open while the tool holds
// it; the tool must still get its own port back after closing it. Root is exempt from
// TIOCEXCL, so when root the check runs in a child that drops to user nobody.
TEST_F(PosixSerialTest, TerminalRefusesOtherOpenersForNonRootUser) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody == nullptr) {
        GTEST_SKIP() << "no user nobody to drop to";
    }
    if (::geteuid() == 0 && ::chown(pty.slavePath.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
        GTEST_SKIP() << "cannot hand the terminal to nobody";
    }
    const std::string path = pty.slavePath;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
                ::setuid(nobody->pw_uid) != 0) {
                ::_exit(77);
            }
        }
        detlink::PosixSerialBackend tool{detlink::PortDirectory("", false)};
        if (!tool.OpenDevice(path, detlink::kLinkBaudRate)) {
            ::_exit(1);
        }
        const int other = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (other >= 0 || errno != EBUSY) {
            ::_exit(2);
        }
        tool.Close();
        if (!tool.OpenDevice(path, detlink::kLinkBaudRate)) {
            ::_exit(3);
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "cannot drop to user nobody";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: own open failed, 2: other open not refused, 3: reopen failed";
}

} // namespace
