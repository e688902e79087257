#pragma once
// Reading UTF-8 text one sequence at a time, for the single-byte texts of the data files and
// the remote port. Malformed input is reported, never decoded into a character it does not
// spell plainly: an overlong form of a tab or a line break must not become one.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fw {

struct Utf8Sequence {
    uint32_t codePoint = 0;
    size_t length = 1;  // bytes the sequence spans
    bool valid = false;
};

// The sequence at `at` (< text.size()). A continuation byte on its own, or a lead byte whose
// continuation bytes are cut short, spans one byte, so the byte after it is read again; an
// overlong or out-of-range form spans all its bytes. Both are invalid.
Utf8Sequence DecodeUtf8At(std::string_view text, size_t at);

}  // namespace fw
