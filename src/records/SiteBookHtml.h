// The site book's page from its sections: at the top what the site's owner must ask about, then
// a section for each detector with its settings as last confirmed and its latest events. One
// file without network references, printed one detector to a block.
#pragma once

#include "records/ReportHtml.h"
#include "records/SiteBookSections.h"

#include <cstdint>
#include <functional>
#include <string>

namespace records {

// What the page links a walk test to: its report page when one exists, else its folder; empty
// for no link, when the walk test's folder is shown as text.
using LinkTarget = std::function<std::string(const std::string& walkTestFolder)>;

// Writes the page in pieces, a detector's section at a time. `fromWaiting`: the lines read from
// kSiteBookWaitingFileName, which the page names.
void WriteSiteBookHtml(const SiteBookContents& book, std::uint64_t fromWaiting,
                       const LinkTarget& link, const PageOutput& output);

} // namespace records
