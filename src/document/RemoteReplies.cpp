#include "document/RemoteReplies.h"

#include <cstdint>

namespace remote {
namespace {

// The length of the UTF-8 sequence that `lead` starts; 0 for a byte that starts none.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

// The code point of the sequence at `at`, or nothing when it is broken.
bool DecodeAt(std::string_view text, size_t at, size_t length, uint32_t& cp) {
    if (length == 0 || at + length > text.size())
        return false;
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    cp = static_cast<unsigned char>(text[at]) & kLeadMask[length];
    for (size_t i = 1; i < length; ++i) {
        auto c = static_cast<unsigned char>(text[at + i]);
        if ((c & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    // An overlong form ("\xC0\x8D" for a carriage return) would break the reply line.
    static constexpr uint32_t kShortestFrom[] = {0, 0, 0x80, 0x800, 0x10000};
    return cp >= kShortestFrom[length] && cp <= 0x10FFFF;
}

}  // namespace

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
        size_t length = SequenceLength(static_cast<unsigned char>(utf8[at]));
        uint32_t cp = 0;
        if (!DecodeAt(utf8, at, length, cp)) {
            out.push_back('?');
            ++at;
            continue;
        }
        out.push_back(cp < 0x100 ? static_cast<char>(cp) : '?');
        at += length;
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
