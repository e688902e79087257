#include "fw/Utf8.h"

namespace fw {

Utf8Sequence DecodeUtf8At(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return {lead, 1, true};
    if (lead < 0xC0)
        return {};  // a stray continuation byte
    const size_t extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
    if (at + extra >= text.size())
        return {};
    uint32_t cp = lead & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(text[at + k]);
        if ((c & 0xC0) != 0x80)
            return {};  // cut short by a plain byte, which may be a delimiter
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr uint32_t kShortestFrom[] = {0, 0x80, 0x800, 0x10000};
    const bool valid = cp >= kShortestFrom[extra] && cp <= 0x10FFFF && lead < 0xF8;
    return {cp, extra + 1, valid};
}

}  // namespace fw
