// The walk-test report as one HTML page: the pictures inside it as data: URIs, so the page is
// a single file that opens in any browser without a network and can be sent as it is.
#pragma once

#include "records/ReportContents.h"

#include <string>
#include <string_view>

namespace records {

std::string ComposeReportHtml(const ReportContents& contents);

// Text from files made safe for the page: & < > " ' as character references.
std::string HtmlEscape(std::string_view text);
// RFC 4648 base64 with padding.
std::string Base64(std::string_view bytes);

} // namespace records
