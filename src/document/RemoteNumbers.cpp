#include "document/RemoteNumbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>

namespace remote {
namespace {

constexpr size_t kMaxListNumbers = 16;

// The blanks that the C library's number conversions skip.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The position of the first non-blank at or after `pos`.
size_t SkipBlanks(std::string_view line, size_t pos) {
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    return pos;
}

// Where the digits start: after the blanks and a '+', which from_chars does not take
// (a '-' it reads itself). `negative` tells which way an overflow went.
size_t NumberStart(std::string_view line, size_t pos, bool& negative) {
    pos = SkipBlanks(line, pos);
    negative = pos < line.size() && line[pos] == '-';
    if (pos < line.size() && line[pos] == '+' && pos + 1 < line.size() && line[pos + 1] != '-')
        ++pos;
    return pos;
}

}  // namespace

std::optional<NumberAt<double>> ReadDouble(std::string_view line, size_t pos) {
    bool negative = false;
    pos = NumberStart(line, pos, negative);
    if (pos >= line.size())
        return std::nullopt;
    double value = 0.0;
    const char* first = line.data() + pos;
    auto [end, ec] = std::from_chars(first, line.data() + line.size(), value);
    if (ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return NumberAt<double>{value, static_cast<size_t>(end - line.data())};
}

std::optional<NumberAt<long long>> ReadInteger(std::string_view line, size_t pos) {
    bool negative = false;
    pos = NumberStart(line, pos, negative);
    if (pos >= line.size())
        return std::nullopt;
    long long value = 0;
    const char* first = line.data() + pos;
    auto [end, ec] = std::from_chars(first, line.data() + line.size(), value);
    if (ec == std::errc::result_out_of_range)
        value = negative ? LLONG_MIN : LLONG_MAX;
    else if (ec != std::errc())
        return std::nullopt;
    return NumberAt<long long>{value, static_cast<size_t>(end - line.data())};
}

bool ReadNumberList(std::string_view line, size_t pos, std::span<double> out) {
    if (out.empty() || out.size() > kMaxListNumbers)
        return false;
    std::array<double, kMaxListNumbers> values{};
    for (size_t i = 0; i < out.size(); ++i) {
        auto number = ReadDouble(line, pos);
        if (!number)
            return false;
        values[i] = number->value;
        pos = number->end + 1;  // the one separating character
    }
    // The last number must end right at the closing '>', which is the line's last character.
    if (pos != line.size() || line.back() != '>')
        return false;
    std::copy_n(values.begin(), out.size(), out.begin());
    return true;
}

}  // namespace remote
