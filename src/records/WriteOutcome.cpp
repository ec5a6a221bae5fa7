// The operator's error text for a failed file operation.
#include "records/WriteOutcome.h"

#include <system_error>

namespace records {

std::string SystemErrorText(const std::string& what, const std::string& path, int error) {
    return what + " \"" + path + "\": " + std::system_category().message(error);
}

} // namespace records
