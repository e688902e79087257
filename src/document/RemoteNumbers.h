#pragma once
// Numbers inside remote command lines. The remote computer always writes them in the C form
// ("1.5"), whatever locale this program runs in, so nothing here consults the locale.
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace remote {

// A number read from a line and the position just past it.
template <typename T>
struct NumberAt {
    T value;
    size_t end;
};

// Leading blanks, an optional sign and a decimal number starting at `pos`, as far as it goes.
// Nothing when there is no number there, for NaN and infinities, and for numbers a double
// cannot hold.
std::optional<NumberAt<double>> ReadDouble(std::string_view line, size_t pos);

// Leading blanks, an optional sign and decimal digits starting at `pos`, as far as they go.
// A value beyond the range of long long is pinned to its nearest end, so a limit check
// still refuses it (it never wraps into range). Nothing when there are no digits.
std::optional<NumberAt<long long>> ReadInteger(std::string_view line, size_t pos);

// Exactly `out.size()` numbers from `pos`, each separated from the next by exactly one
// character, the last followed directly by the line's closing '>'. False (and `out` left
// as it was) for anything else.
bool ReadNumberList(std::string_view line, size_t pos, std::span<double> out);

}  // namespace remote
