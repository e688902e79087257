#include "fw/Dc.h"

#include <SDL_ttf.h>

#include <cstdlib>
#include <string>

#include "res/Resources.h"

namespace fw {

Dc::Dc(Surface& surface) : Dc(surface, Rect{0, 0, surface.Width(), surface.Height()}) {}

Dc::Dc(Surface& surface, const Rect& damage) : surface_(surface) {
    state_.clip = Rect{0, 0, surface.Width(), surface.Height()};
    state_.damage = damage.Intersect(state_.clip);
}

void Dc::EnterWindow(const Rect& windowRect, WindowHandle window) {
    IntersectClip(windowRect);
    state_.window = window;
}

void Dc::SetFont(const FontSpec& spec) {
    state_.font = spec;
}

int Dc::Save() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

void Dc::Restore(int level) {
    if (level < 1 || level > static_cast<int>(saved_.size()))
        return;
    state_ = saved_[level - 1];
    saved_.resize(level - 1);
}

void Dc::FillRect(const Rect& r, Color c) {
    surface_.Fill(r.Intersect(Drawable()), c);
}

void Dc::FrameRect(const Rect& r, Color c, int thickness) {
    FillRect(Rect{r.left, r.top, r.right, r.top + thickness}, c);
    FillRect(Rect{r.left, r.bottom - thickness, r.right, r.bottom}, c);
    FillRect(Rect{r.left, r.top, r.left + thickness, r.bottom}, c);
    FillRect(Rect{r.right - thickness, r.top, r.right, r.bottom}, c);
}

void Dc::Line(Point from, Point to, Color c) {
    // Bresenham: the panel's lines are thin and axis-aligned mostly; no anti-aliasing.
    int dx = std::abs(to.x - from.x);
    int dy = -std::abs(to.y - from.y);
    int sx = from.x < to.x ? 1 : -1;
    int sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    const Rect drawable = Drawable();
    Point p = from;
    while (true) {
        if (drawable.Contains(p))
            surface_.Blend(p.x, p.y, c, 255);
        if (p.x == to.x && p.y == to.y)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
}

TextMetrics Dc::GetTextMetrics() const {
    return Font::Get(state_.font).Metrics();
}

Size Dc::TextExtent(std::string_view text) const {
    return Font::Get(state_.font).Extent(text);
}

void Dc::BlitGlyphs(int x, int y, std::string_view text, const Rect& clip) {
    Font font = Font::Get(state_.font);
    if (!font.IsValid() || text.empty())
        return;
    std::string s(text);
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(font.Handle(), s.c_str(), white);
    if (glyphs == nullptr)
        return;
    // Blended rendering gives ARGB8888 with coverage in alpha.
    Rect target = Rect{x, y, x + glyphs->w, y + glyphs->h}.Intersect(clip);
    const auto* base = static_cast<const uint8_t*>(glyphs->pixels);
    for (int py = target.top; py < target.bottom; ++py) {
        const auto* row = reinterpret_cast<const uint32_t*>(base + (py - y) * glyphs->pitch);
        for (int px = target.left; px < target.right; ++px) {
            uint8_t alpha = row[px - x] >> 24;
            if (alpha != 0)
                surface_.Blend(px, py, state_.textColor, alpha);
        }
    }
    SDL_FreeSurface(glyphs);
}

int Dc::TextOut(int x, int y, std::string_view text, const Rect& box) {
    Size size = TextExtent(text);
    Rect clip = state_.clip.Intersect(box);
    Rect drawable = clip.Intersect(state_.damage);
    if (!drawable.IsEmpty())
        BlitGlyphs(x, y, text, drawable);
    if (!text.empty()) {
        surface_.RecordText(DrawnText{std::string(text), box, Rect{x, y, x + size.cx, y + size.cy},
                                      clip, state_.textColor, state_.font.height, state_.window});
    }
    return size.cx;
}

int Dc::TextOut(int x, int y, std::string_view text) {
    return TextOut(x, y, text, state_.clip);
}

std::vector<std::string_view> Dc::WrapLines(std::string_view text, int width) const {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t newline = text.find('\n', start);
        std::string_view paragraph = text.substr(
            start, newline == std::string_view::npos ? std::string_view::npos : newline - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.remove_suffix(1);
        // Break the paragraph at spaces so each line fits; a single long word stays whole.
        size_t lineStart = 0;
        while (true) {
            size_t lastFit = std::string_view::npos;
            size_t pos = lineStart;
            while (pos <= paragraph.size()) {
                size_t space = paragraph.find(' ', pos);
                size_t end = space == std::string_view::npos ? paragraph.size() : space;
                if (TextExtent(paragraph.substr(lineStart, end - lineStart)).cx > width &&
                    lastFit != std::string_view::npos) {
                    break;
                }
                lastFit = end;
                if (space == std::string_view::npos)
                    break;
                pos = space + 1;
            }
            lines.push_back(paragraph.substr(lineStart, lastFit - lineStart));
            if (lastFit >= paragraph.size())
                break;
            lineStart = lastFit + 1;
        }
        if (newline == std::string_view::npos)
            break;
        start = newline + 1;
    }
    return lines;
}

int Dc::MeasureWrapped(std::string_view text, int width) const {
    return static_cast<int>(WrapLines(text, width).size()) * GetTextMetrics().height;
}

void Dc::DrawText(std::string_view text, const Rect& box, unsigned format) {
    std::vector<std::string_view> lines;
    if (format & kWordBreak) {
        lines = WrapLines(text, box.Width());
    } else {
        lines.push_back(text);
    }
    int lineHeight = GetTextMetrics().height;
    int total = lineHeight * static_cast<int>(lines.size());
    int y = box.top;
    if (format & kAlignVCenter)
        y = box.top + (box.Height() - total) / 2;
    if (format & kAlignBottom)
        y = box.bottom - total;
    for (std::string_view line : lines) {
        int w = TextExtent(line).cx;
        int x = box.left;
        if (format & kAlignCenter)
            x = box.left + (box.Width() - w) / 2;
        if (format & kAlignRight)
            x = box.right - w;
        TextOut(x, y, line, box);
        y += lineHeight;
    }
}

bool Dc::DrawBitmap(int id, Point at, bool transparent, Color key) {
    const res::Bitmap* bmp = res::FindBitmap(id);
    if (bmp == nullptr)
        return false;
    Rect target = Rect{at.x, at.y, at.x + bmp->width, at.y + bmp->height}.Intersect(Drawable());
    for (int y = target.top; y < target.bottom; ++y) {
        for (int x = target.left; x < target.right; ++x) {
            uint32_t px = bmp->pixels[size_t(y - at.y) * bmp->width + (x - at.x)];
            if (transparent && (px & 0xFFFFFF) == (key.argb & 0xFFFFFF))
                continue;
            surface_.Blend(x, y, Color{px}, 255);
        }
    }
    return true;
}

Size Dc::BitmapSize(int id) {
    const res::Bitmap* bmp = res::FindBitmap(id);
    return bmp ? Size{bmp->width, bmp->height} : Size{};
}

}  // namespace fw
