#include "document/RemoteReplies.h"

#include <cstdint>

#include "fw/Utf8.h"

namespace remote {

std::string ValueReply(std::string_view value) {
    std::string reply = "*";
    reply += value;
    reply += "\r\n";
    return reply;
}

std::string PlainReply(std::string_view value) {
    std::string reply(value);
    reply += "\r\n";
    return reply;
}

std::string ToPortText(std::string_view utf8, size_t maxBytes) {
    std::string out;
    size_t at = 0;
    while (at < utf8.size() && out.size() < maxBytes) {
        const fw::Utf8Sequence sequence = fw::DecodeUtf8At(utf8, at);
        if (!sequence.valid) {
            out.push_back('?');
            ++at;  // each byte of a malformed sequence stands for one '?'
            continue;
        }
        out.push_back(sequence.codePoint < 0x100 ? static_cast<char>(sequence.codePoint) : '?');
        at += sequence.length;
    }
    return out;
}

std::string FromPortText(std::string_view latin1) {
    std::string out;
    for (char ch : latin1) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace remote
