#pragma once
// Unit labels with raised and lowered characters: "^" raises the next character, "_"
// lowers it ("N_s_k:Gym^2/(h*A)"); a doubled marker stands for the marker itself.
#include <string>
#include <string_view>
#include <vector>

#include "fw/Dc.h"

namespace fw {

enum class ScriptKind { Normal, Superscript, Subscript };

struct ScriptRun {
    ScriptKind kind;
    std::string text;  // a raised or lowered run is one character
    bool operator==(const ScriptRun&) const = default;
};

std::vector<ScriptRun> ParseScriptText(std::string_view text);

// align: 0 left, 1 centred, 2 right; drawn in the current font, one line, clipped to `rect`.
void DrawScriptText(Dc& dc, std::string_view text, const Rect& rect, int align);

// The width DrawScriptText would use in the current font.
int ScriptTextWidth(const Dc& dc, std::string_view text);

}  // namespace fw
