// The codes the password dialog accepts. They are compared exactly as typed: a blank before or
// after a code is one more character, so "593 " is a wrong code.
#pragma once

#include <string_view>

namespace console {

inline constexpr std::string_view kOkCode = "7";
inline constexpr std::string_view kDeveloperCode = "593";
inline constexpr std::string_view kRetryCode = "4";

} // namespace console
