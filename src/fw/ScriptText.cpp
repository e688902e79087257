#include "fw/ScriptText.h"

namespace fw {
namespace {

bool IsMarker(char c) {
    return c == '^' || c == '_';
}

// The character after a marker may be a multi-byte UTF-8 sequence.
size_t CharLength(std::string_view text, size_t at) {
    unsigned char c = static_cast<unsigned char>(text[at]);
    size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return std::min(n, text.size() - at);
}

void AppendNormal(std::vector<ScriptRun>& runs, std::string_view piece) {
    if (runs.empty() || runs.back().kind != ScriptKind::Normal) {
        runs.push_back({ScriptKind::Normal, ""});
    }
    runs.back().text.append(piece);
}

FontSpec SmallFont(const FontSpec& font, int height) {
    FontSpec small = font;
    small.height = std::max(1, (height / 3) * 2);
    return small;
}

struct Layout {
    int width = 0;
    int tallest = 0;
};

Layout Measure(const Dc& dc, const std::vector<ScriptRun>& runs, const FontSpec& small) {
    Layout l;
    Dc& mdc = const_cast<Dc&>(dc);
    // A copy: dc and mdc are one context, so after a raised or lowered run GetFont() would
    // be the small font and every later text run would be measured too narrow.
    const FontSpec normal = dc.GetFont();
    int level = mdc.Save();
    for (const ScriptRun& run : runs) {
        mdc.SetFont(run.kind == ScriptKind::Normal ? normal : small);
        Size s = mdc.TextExtent(run.text);
        l.width += s.cx;
        l.tallest = std::max(l.tallest, s.cy);
    }
    mdc.Restore(level);
    return l;
}

}  // namespace

std::vector<ScriptRun> ParseScriptText(std::string_view text) {
    std::vector<ScriptRun> runs;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (!IsMarker(c)) {
            size_t n = CharLength(text, i);
            AppendNormal(runs, text.substr(i, n));
            i += n;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == c) {  // doubled: the marker itself
            AppendNormal(runs, text.substr(i, 1));
            i += 2;
            continue;
        }
        if (i + 1 == text.size())
            break;  // a trailing marker is dropped
        size_t n = CharLength(text, i + 1);
        runs.push_back({c == '^' ? ScriptKind::Superscript : ScriptKind::Subscript,
                        std::string(text.substr(i + 1, n))});
        i += 1 + n;
    }
    return runs;
}

int ScriptTextWidth(const Dc& dc, std::string_view text) {
    TextMetrics m = dc.GetTextMetrics();
    return Measure(dc, ParseScriptText(text), SmallFont(dc.GetFont(), m.height)).width;
}

void DrawScriptText(Dc& dc, std::string_view text, const Rect& rect, int align) {
    int level = dc.Save();
    TextMetrics m = dc.GetTextMetrics();
    const int h = m.height;
    const FontSpec normal = dc.GetFont();
    const FontSpec small = SmallFont(normal, h);
    std::vector<ScriptRun> runs = ParseScriptText(text);
    Layout layout = Measure(dc, runs, small);

    int y = rect.top + (rect.Height() / 2 - layout.tallest / 2);
    int x = rect.left;
    if (align == 1)
        x = rect.left + (rect.Width() / 2 - layout.width / 2);
    if (align == 2)
        x = rect.right - layout.width;

    for (const ScriptRun& run : runs) {
        if (run.kind == ScriptKind::Normal) {
            dc.SetFont(normal);
            x += dc.TextOut(x, y, run.text, rect);
            continue;
        }
        // Raised and lowered characters sit right against the text around them: a unit
        // reads "m²", not "m ²".
        dc.SetFont(small);
        int dy = run.kind == ScriptKind::Superscript ? -h / 6 : h / 2;
        x += dc.TextOut(x, y + dy, run.text, rect);
    }
    dc.Restore(level);
}

}  // namespace fw
