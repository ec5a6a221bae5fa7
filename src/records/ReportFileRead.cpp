// A report's file read whole up to a limit, through the platform's reader.
#include "records/ReportFileRead.h"

#include <algorithm>

namespace records {

ReportFile ReadReportFile(const FolderHandle& folder, const std::filesystem::path& name,
                          std::size_t limit) {
    ReportFileReader reader(folder, name);
    ReportFile file = reader.Opened();
    if (!file.sProblem.empty() || file.bAbsent) {
        return file;
    }
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(file.iSize, limit));
    file.sBytes.reserve(wanted);
    while (file.sBytes.size() < wanted &&
           reader.ReadMore(file.sBytes, wanted - file.sBytes.size())) {
    }
    file.sProblem = reader.Opened().sProblem;
    if (!file.sProblem.empty()) {
        file.sBytes.clear();
    }
    return file;
}

} // namespace records
