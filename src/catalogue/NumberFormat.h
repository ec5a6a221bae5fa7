// Number texts in the user's notation. The decimal separator is always passed in: the C
// library's global locale is never consulted (a QApplication changes it under our feet).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// "#.####": up to four decimals, no trailing zeros, no leading zero before the separator
// (0.5 gives ",5"); zero gives "0".
std::string FormatUpTo4Decimals(double value, char decimalSeparator);
// "#": rounded to a whole number, halves away from zero; a magnitude below 0.5 gives "".
std::string FormatWhole(double value);
// "0.0", "0.000": a fixed number of decimals, at least one digit before the separator.
std::string FormatFixed(double value, int decimals, char decimalSeparator);
// The general format: up to 15 significant digits, no trailing zeros ("14,33", "1,5"),
// an exponent beyond that range ("1e+20").
// Rounding is half away from zero on the value's shortest decimal text (0.25 gives "0,3").
// Infinities and NaN read "INF", "-INF", "NaN".
std::string FormatGeneral(double value, char decimalSeparator);

// Whole-text parsing that reports failure instead of guessing: surrounding blanks (space,
// tab) and one leading '+' are allowed; anything else that is not part of the number ("12a",
// "14,33" with '.', "14.33" with ','), an empty text, an overflow, "inf" or "nan" fails.
// ParseReal also takes an exponent ("1e-05"), so FormatGeneral's texts read back.
std::optional<double> ParseReal(std::string_view text, char decimalSeparator);
std::optional<int> ParseInteger(std::string_view text);

} // namespace catalogue
