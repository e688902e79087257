#include "fw/Font.h"

#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <tuple>

namespace fw {
namespace {

constexpr const char* kRegularPaths[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
constexpr const char* kBoldPaths[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

using FontKey = std::tuple<int, bool, bool, bool, bool>;

struct FontCache {
    std::mutex mutex;
    std::map<FontKey, TTF_Font*> fonts;
    // Shaping the alphabet costs as much as drawing a line of text: once per font.
    std::map<TTF_Font*, int> aveCharWidths;
    bool initialised = false;
    bool warned = false;
};

FontCache& Cache() {
    static FontCache cache;
    return cache;
}

TTF_Font* OpenFirst(const char* const* paths, size_t count, int pointSize) {
    for (size_t i = 0; i < count; ++i) {
        if (TTF_Font* f = TTF_OpenFont(paths[i], pointSize))
            return f;
    }
    return nullptr;
}

// Opens the font whose cell height (ascent + descent) comes closest to `height` pixels.
TTF_Font* OpenForHeight(bool bold, int height) {
    const char* const* paths = bold ? kBoldPaths : kRegularPaths;
    size_t count = bold ? std::size(kBoldPaths) : std::size(kRegularPaths);
    TTF_Font* probe = OpenFirst(paths, count, height);
    if (probe == nullptr)
        return nullptr;
    int probeHeight = TTF_FontHeight(probe);
    TTF_CloseFont(probe);
    int points =
        probeHeight > 0 ? std::max(1, (height * height + probeHeight / 2) / probeHeight) : height;
    return OpenFirst(paths, count, points);
}

}  // namespace

Font Font::Get(const FontSpec& spec) {
    FontCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.mutex);
    if (!cache.initialised) {
        cache.initialised = TTF_WasInit() || TTF_Init() == 0;
        if (!cache.initialised)
            return Font(nullptr, spec);
    }
    int height = std::max(1, std::abs(spec.height));
    bool bold = spec.weight >= 600;
    FontKey key{height, bold, spec.italic, spec.underline, spec.strikeout};
    auto it = cache.fonts.find(key);
    if (it == cache.fonts.end()) {
        TTF_Font* f = OpenForHeight(bold, height);
        if (f != nullptr) {
            int style = (spec.italic ? TTF_STYLE_ITALIC : 0) |
                        (spec.underline ? TTF_STYLE_UNDERLINE : 0) |
                        (spec.strikeout ? TTF_STYLE_STRIKETHROUGH : 0);
            TTF_SetFontStyle(f, style);
        } else if (!cache.warned) {
            cache.warned = true;
            std::printf("No screen font found (install fonts-dejavu-core)\n");
        }
        it = cache.fonts.emplace(key, f).first;
    }
    return Font(it->second, spec);
}

TextMetrics Font::Metrics() const {
    TextMetrics m;
    if (ttf_ == nullptr)
        return m;
    m.height = TTF_FontHeight(ttf_);
    m.ascent = TTF_FontAscent(ttf_);
    FontCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.mutex);
    auto [it, added] = cache.aveCharWidths.try_emplace(ttf_, 0);
    if (added) {
        int w = 0;
        int h = 0;
        // An average over the lower-case letters, as a typical character width.
        static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz";
        TTF_SizeUTF8(ttf_, kAlphabet, &w, &h);
        it->second = (w + 13) / 26;
    }
    m.aveCharWidth = it->second;
    return m;
}

Size Font::Extent(std::string_view text) const {
    if (ttf_ == nullptr || text.empty())
        return Size{0, ttf_ ? TTF_FontHeight(ttf_) : 0};
    std::string s(text);
    int w = 0;
    int h = 0;
    TTF_SizeUTF8(ttf_, s.c_str(), &w, &h);
    return Size{w, h};
}

}  // namespace fw
