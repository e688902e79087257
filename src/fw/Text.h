#pragma once
// printf-style formatting into a string that grows to fit, in the C locale's number format,
// so no value (1e300 included) can overrun a buffer.
#include <string>

namespace fw {

std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fw
