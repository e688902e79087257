#include "controls/TextFit.h"

namespace controls {
namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

int TextWidth(const std::string& text, const fw::FontSpec& font) {
    return fw::Font::Get(font).Extent(text).cx;
}

std::string FitTail(const std::string& text, const fw::FontSpec& font, int width) {
    if (TextWidth(text, font) <= width)
        return text;
    const std::string ellipsis = "\xE2\x80\xA6";
    size_t start = 0;
    while (start < text.size()) {
        ++start;
        while (start < text.size() && IsContinuationByte(text[start]))
            ++start;
        std::string candidate = ellipsis + text.substr(start);
        if (TextWidth(candidate, font) <= width)
            return candidate;
    }
    return ellipsis;
}

}  // namespace controls
