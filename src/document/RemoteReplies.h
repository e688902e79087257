#pragma once
// The fixed replies of the remote port and the conversion of texts between the program's
// UTF-8 and the port's single-byte text (Latin-1).
#include <cstddef>
#include <string>
#include <string_view>

namespace remote {

inline constexpr std::string_view kDone = "*\r\n";
inline constexpr std::string_view kRefused = "!\r\n";
inline constexpr std::string_view kUnrecognised = "?\r\n";

// "*" + value + CR LF.
std::string ValueReply(std::string_view value);
// value + CR LF, for the replies that carry no "*".
std::string PlainReply(std::string_view value);

// UTF-8 to the port's single-byte text, at most `maxBytes` bytes; a character Latin-1 cannot
// hold, or a broken UTF-8 sequence, becomes '?'.
std::string ToPortText(std::string_view utf8, size_t maxBytes);
// The port's single-byte text as UTF-8.
std::string FromPortText(std::string_view latin1);

}  // namespace remote
