// The traffic log's file handle, the platform's part of the log: take an existing file for
// this run (held exclusively for writing, readable by others), then append whole lines.
#pragma once

#include <cstdint>
#include <string>

namespace detlink {

class TrafficLogFile {
public:
    enum class Take { Taken, Absent, CannotOpen, NotRegular, InUse, CannotEmpty };

    TrafficLogFile() = default;
    ~TrafficLogFile();
    TrafficLogFile(const TrafficLogFile&) = delete;
    TrafficLogFile& operator=(const TrafficLogFile&) = delete;

    // Opens the existing file without creating it, refuses anything but a plain file and a
    // file another copy of the program holds, and empties it. Never waits.
    Take TakeExisting(const std::string& fileName);
    // The system's words for the last failed TakeExisting.
    const std::string& SystemError() const { return sSystemError; }

    // One seek to the end and one write; a line cut short (a full disk) is taken back, so
    // the next line starts on a line of its own.
    bool AppendLine(const std::string& line);

private:
    // A POSIX descriptor or a Win32 handle; -1 is "closed" on both.
    std::intptr_t hLogFile = -1;
    std::string sSystemError;
};

} // namespace detlink
