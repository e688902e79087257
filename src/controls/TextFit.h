#pragma once
// Fitting texts into the width a control has for them.
#include <string>

#include "fw/Font.h"

namespace controls {

// `text` when it fits `width` in `font`; otherwise its end, led by "…", so an entry
// longer than its display shows the characters being typed.
std::string FitTail(const std::string& text, const fw::FontSpec& font, int width);

// The width of `text` in `font`.
int TextWidth(const std::string& text, const fw::FontSpec& font);

}  // namespace controls
