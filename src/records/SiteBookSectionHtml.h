// One detector's section of the site book's page, and what the page asks about it.
#pragma once

#include "records/SiteBookSections.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace records {

// What the page links a walk test to: its report page when one exists, else its folder; empty
// for no link, when the walk test's folder is shown as text.
using LinkTarget = std::function<std::string(const std::string& walkTestFolder)>;

// "1 event", "2 events".
std::string CountText(std::uint64_t count, const char* noun);

// The section as the page shows it: its heading, its settings as last confirmed and its latest
// events.
std::string SectionHtml(const SiteBookSection& detector, const LinkTarget& link);

// The items of the page's "To ask about" list for the section, each an HTML list item. The
// section is named by its heading, with when it was first booked where the heading does not tell
// it from others: `sharesHeading`, or no real position.
std::vector<std::string> AskAbout(const SiteBookSection& detector, bool sharesHeading);

// "Unit 2, position B07": the section's latest unit ID and position.
std::string Heading(const SiteBookSection& detector);

} // namespace records
