#pragma once
// Numbers as the settings file holds them. The file is shared with other readers, so its
// numbers are always in the C locale's form ("1.5", never "1,5") whatever the machine's
// locale is; nothing here consults the locale.
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// Leading blanks, an optional sign and decimal digits, as "%d" scans them; text after the
// digits is ignored. Nothing when there are no digits or the number does not fit.
std::optional<long long> ParseInteger(std::string_view text);

// Leading blanks, an optional sign and a decimal number; text after it is ignored.
// Nothing when there is no number, or for NaN, infinities and numbers out of range.
std::optional<double> ParseFiniteDouble(std::string_view text);

std::string FormatInteger(long long value);

// `value` with `decimals` digits after the point, as "%0.<decimals>f" prints it.
std::string FormatFixed(double value, int decimals);

// FormatFixed, with as many further decimals as it takes to read back as `value`: a value
// at `decimals` is written as always, a finer one is not rounded away.
std::string FormatFixedExact(double value, int decimals);

}  // namespace settings
