// The walk-test report as one HTML page: the pictures inside it as data: URIs, so the page is
// a single file that opens in any browser without a network and can be sent as it is.
#pragma once

#include "records/ReportContents.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// Where the page goes, piece by piece.
using PageOutput = std::function<void(std::string_view)>;

// Writes the page in pieces of some hundred kilobytes, reading each picture from the folder
// when its turn comes, so that a page of thousands of pictures is never held whole. Returns a
// sentence for each picture that changed since the folder was read and is not in the page.
std::vector<std::string> WriteReportHtml(const ReportContents& contents, const PageOutput& output);

// Text from files made safe for the page: & < > " ' as character references.
std::string HtmlEscape(std::string_view text);
// RFC 4648 base64 with padding.
std::string Base64(std::string_view bytes);

} // namespace records
