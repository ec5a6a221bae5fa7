// The result of a file write: whether it reached the disk, and the system's reason when not.
#pragma once

#include <string>

namespace records {

struct WriteOutcome {
    bool bWritten = true;
    std::string sError;

    explicit operator bool() const { return bWritten; }
    static WriteOutcome Failed(std::string error) { return {false, std::move(error)}; }
};

// "<what> "<path>": <system error text>", the text shown to the operator.
std::string SystemErrorText(const std::string& what, const std::string& path, int error);

} // namespace records
