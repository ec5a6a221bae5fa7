// The version on POSIX, where executables carry no version resource: compiled in from the
// project's version (MIRELUND_VERSION).
#include "records/Version.h"

namespace records {

std::string GetVersionString() {
#ifdef MIRELUND_VERSION
    const std::string version = MIRELUND_VERSION;
    return version.empty() ? "0.0" : version;
#else
    return "0.0";
#endif
}

} // namespace records
