// A regular file read as a stream buffer. Anything else is refused before it is read: a folder
// cannot be read as text, a device may never end (/dev/zero) and a FIFO may never be written.
#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace sim {

class RegularFile : public std::streambuf {
public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile() override;

    // False with the reason: the system's ("No such file or directory"), or what the path is
    // instead ("it is a directory, not a regular file").
    bool Open(const std::string& path, std::string& reason);
    // The system's reason a read failed, which ended the text early; empty while none failed.
    const std::string& ReadError() const { return readError; }

protected:
    int_type underflow() override;

private:
    int fd = -1;
    std::array<char, 64 * 1024> buffer{};
    std::string readError;
};

} // namespace sim
