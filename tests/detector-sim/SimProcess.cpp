// Process control and line access for the detector-sim tests.
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sstream>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

std::vector<Word> DecodeFrames(const std::vector<std::uint8_t>& bytes, int* bad) {
    std::vector<Word> words;
    int rejected = 0;
    std::size_t i = 0;
    while (i + 3 < bytes.size()) {
        if (bytes[i] != 0) {
            ++i;
            continue;
        }
        const int high = bytes[i + 1];
        const int low = bytes[i + 2];
        if (((high + low) & 0xFF) != bytes[i + 3] || high + low + bytes[i + 3] == 0) {
            ++rejected;
            ++i;
            continue;
        }
        const int word = high << 8 | low;
        words.push_back({word >> 13, word & 0x1FFF});
        i += 4;
    }
    if (bad) {
        *bad = rejected;
    }
    return words;
}

SimProcess::SimProcess(const std::vector<std::string>& args, const std::string& dir) {
    if (dir.empty()) {
        char pattern[] = "/tmp/detector-sim-test-XXXXXX";
        portsDir = mkdtemp(pattern);
        ownsDir = true;
    } else {
        portsDir = dir;
    }
    // Kept apart from the port directory, whose entries some tests count.
    char errorPattern[] = "/tmp/detector-sim-stderr-XXXXXX";
    const int errorFd = mkstemp(errorPattern);
    errorPath = errorPattern;
    int out[2];
    if (errorFd < 0 || pipe(out) != 0) {
        return;
    }
    pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(errorFd, STDERR_FILENO);
        close(errorFd);
        close(out[0]);
        close(out[1]);
        setenv("MIRELUND_PORTS", portsDir.c_str(), 1);
        std::vector<std::string> all = {DETECTOR_SIM_PATH, "--command-log",
                                        portsDir + "/commands.log"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& arg : all) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    close(errorFd);
    pollfd fd{out[0], POLLIN, 0};
    char c;
    while (poll(&fd, 1, 3000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') {
        firstLine += c;
    }
    close(out[0]);
    std::istringstream fields(firstLine);
    std::string com, device;
    fields >> com >> device >> entryPath;
}

SimProcess::~SimProcess() {
    CloseLine();
    if (pid > 0 && Wait(0) == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (ownsDir) {
        std::error_code ec;
        std::filesystem::remove_all(portsDir, ec);
    }
    if (!errorPath.empty()) {
        unlink(errorPath.c_str());
    }
}

std::string SimProcess::ErrorOutput() const {
    std::ifstream in(errorPath);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool SimProcess::OpenLine() {
    CloseLine();
    lineFd = open(entryPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (lineFd < 0) {
        return false;
    }
    ioctl(lineFd, TIOCEXCL);
    flock(lineFd, LOCK_EX | LOCK_NB);
    termios tio{};
    tcgetattr(lineFd, &tio);
    cfmakeraw(&tio);
    tcsetattr(lineFd, TCSANOW, &tio);
    return true;
}

void SimProcess::CloseLine() {
    if (lineFd >= 0) {
        close(lineFd);
        lineFd = -1;
    }
}

std::vector<std::uint8_t> SimProcess::ReadFor(double seconds) {
    std::vector<std::uint8_t> bytes;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        std::uint8_t buffer[4096];
        const ssize_t n = read(lineFd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return bytes;
}

void SimProcess::Write(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(write(lineFd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

void SimProcess::Signal(int signal) {
    kill(pid, signal);
}

int SimProcess::Wait(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < end);
    return -1;
}
