#pragma once
// Number texts shared by every screen, data file and remote reply.
#include <string>
#include <string_view>

namespace formatting {

inline constexpr int kNotApplicableId = 333;  // "----"
inline constexpr int kOverRangeId = 407;      // "XXXXX"

std::string NotApplicable();
std::string OverRange();

// `text` without its leading minus sign when it is a number whose every digit is zero
// ("-0.000" → "0.000"; "-0.001" and "-inf" stay as they are):
// a value that rounds to nothing is shown, written and sent as an unsigned zero.
std::string WithoutNegativeZero(std::string text);

// "%.<decimals>f" of v, a value that rounds to zero without a minus sign.
std::string Fixed(double v, int decimals);

// Keeps at most 5 characters of a non-negative value's text and 6 of a negative one's, but
// never cuts into the digits left of the decimal point.
std::string CutValueText(const std::string& text);

// "%0.3f" below 10, "%.2f" below 100, "%.1f" below 1000, "%.0f" from there (by |v|).
std::string FourSignificant(double v);

// "%d" of n with "^" before every character, for a raised power of ten (−12 → "^-^1^2").
std::string Superscript(int n);

// Every "," becomes a blank.
std::string RemoveCommas(std::string_view text);

}  // namespace formatting
