// A running detector-sim in a temporary port directory, its stderr kept in a file, and the
// tool's side of its line.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One good telemetry frame as the tool would decode it.
struct Word {
    int kind;
    int payload;
    int Field(int lowBit, int width) const { return (payload >> lowBit) & ((1 << width) - 1); }
};

// Splits a byte stream into good frames: sync 0x00, checksum over the data bytes, not all zero.
// bad counts candidates that failed, skipped the stray bytes between frames.
std::vector<Word> DecodeFrames(const std::vector<std::uint8_t>& bytes, int* bad = nullptr);

class SimProcess {
public:
    // Starts the simulator with these arguments and a fresh port directory; waits for its
    // first line.
    explicit SimProcess(const std::vector<std::string>& args, const std::string& portsDir = "");
    ~SimProcess();

    bool Started() const { return !firstLine.empty(); }
    const std::string& FirstLine() const { return firstLine; }
    const std::string& PortsDir() const { return portsDir; }
    const std::string& EntryPath() const { return entryPath; }
    std::string CommandLogPath() const { return portsDir + "/commands.log"; }
    // What the simulator has written to stderr so far.
    std::string ErrorOutput() const;

    // Opens the entry the way the tool does; closes any earlier handle.
    bool OpenLine();
    void CloseLine();
    std::vector<std::uint8_t> ReadFor(double seconds);
    void Write(const std::vector<std::uint8_t>& bytes);

    // Reads until a word of this kind satisfies test, for at most seconds; returns success.
    template <typename Test> bool WaitForWord(int kind, Test test, double seconds);

    void Signal(int signal);
    // Waits for the process to end; returns its exit status or -1 on time-out.
    int Wait(double seconds);

private:
    std::string portsDir;
    std::string entryPath;
    std::string firstLine;
    std::string errorPath;
    int pid = -1;
    int lineFd = -1;
    bool ownsDir = false;
};

template <typename Test> bool SimProcess::WaitForWord(int kind, Test test, double seconds) {
    const int steps = static_cast<int>(seconds / 0.05);
    for (int i = 0; i < steps; ++i) {
        for (const Word& word : DecodeFrames(ReadFor(0.05))) {
            if (word.kind == kind && test(word)) {
                return true;
            }
        }
    }
    return false;
}
