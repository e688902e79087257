#include "settings/NumberText.h"

#include <charconv>
#include <cmath>

namespace settings {
namespace {

// The blanks that scanf and strtod skip in the C locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Drops leading blanks and a leading '+', which from_chars does not accept.
std::string_view StripLead(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    text.remove_prefix(i);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return {};  // "+-1" is no number
    }
    return text;
}

}  // namespace

std::optional<long long> ParseInteger(std::string_view text) {
    text = StripLead(text);
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

std::optional<double> ParseFiniteDouble(std::string_view text) {
    text = StripLead(text);
    double value = 0.0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FormatInteger(long long value) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

std::string FormatFixedExact(double value, int decimals) {
    // Seventeen significant digits tell every double apart.
    constexpr int kMaxDecimals = 17;
    for (int d = decimals; d < kMaxDecimals; ++d) {
        std::string text = FormatFixed(value, d);
        if (ParseFiniteDouble(text) == value)
            return text;
    }
    return FormatFixed(value, kMaxDecimals);
}

std::string FormatFixed(double value, int decimals) {
    // The largest double has 309 integer digits; the buffer holds it with its decimals.
    char buffer[400];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return {};
    return std::string(buffer, end);
}

}  // namespace settings
