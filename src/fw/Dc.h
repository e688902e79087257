#pragma once
// A device context over the software surface: rectangles, lines, text and bitmaps, all
// clipped to the current clip rectangle, with a stack of saved states. A repaint of part of
// the panel limits every pixel it writes to the damaged rectangle, while texts keep being
// recorded with the clip their window gave them, as a full repaint would record them.
#include <string_view>
#include <vector>

#include "fw/Font.h"
#include "fw/Geometry.h"
#include "fw/Message.h"
#include "fw/Surface.h"

namespace fw {

// Text layout flags (combinable).
enum TextFormat : unsigned {
    kAlignLeft = 0x0,
    kAlignCenter = 0x1,
    kAlignRight = 0x2,
    kAlignTop = 0x0,
    kAlignVCenter = 0x4,
    kAlignBottom = 0x8,
    kWordBreak = 0x10,
    kSingleLine = 0x20,
};

class Dc {
  public:
    explicit Dc(Surface& surface);
    Dc(Surface& surface, const Rect& damage);

    Surface& Target() { return surface_; }

    // State: font, text colour, clip. Save returns a level for Restore.
    void SetFont(const FontSpec& spec);
    const FontSpec& GetFont() const { return state_.font; }
    void SetTextColor(Color c) { state_.textColor = c; }
    Color GetTextColor() const { return state_.textColor; }
    void IntersectClip(const Rect& r) { state_.clip = state_.clip.Intersect(r); }
    const Rect& Clip() const { return state_.clip; }
    // Clips to a window about to paint; the texts it draws are recorded as that window's.
    void EnterWindow(const Rect& windowRect, WindowHandle window);
    // Whether drawing into `r` can change a pixel of this repaint.
    bool Damages(const Rect& r) const { return r.Intersects(state_.damage); }
    // The part of the current clip this repaint changes.
    Rect DamagedClip() const { return Drawable(); }
    // Until the next Restore, draws nothing but still records texts: for a window whose
    // damaged part something opaque will cover.
    void HoldPixels() { state_.damage = Rect{}; }
    int Save();
    void Restore(int level);

    void FillRect(const Rect& r, Color c);
    void FrameRect(const Rect& r, Color c, int thickness = 1);
    void Line(Point from, Point to, Color c);

    TextMetrics GetTextMetrics() const;
    Size TextExtent(std::string_view text) const;
    // Draws one run of text with its top-left corner at (x, y), clipped to `clipTo` and the
    // current clip; returns its width. Recorded with `box` as its layout rectangle.
    int TextOut(int x, int y, std::string_view text, const Rect& box);
    int TextOut(int x, int y, std::string_view text);
    // Lays `text` out in `box` by `format`; word-wrapped with kWordBreak.
    void DrawText(std::string_view text, const Rect& box, unsigned format);
    // The height word-wrapped text needs in a box of `width`.
    int MeasureWrapped(std::string_view text, int width) const;

    // Draws bitmap resource `id` with its top-left at `at`; key-colour pixels are skipped when
    // `transparent`. Returns false for an unknown bitmap.
    bool DrawBitmap(int id, Point at, bool transparent = false,
                    Color key = colors::kTransparentKey);
    static Size BitmapSize(int id);

  private:
    struct State {
        FontSpec font;
        Color textColor = colors::kBlack;
        Rect clip = kScreenRect;
        WindowHandle window = kNoWindow;
        Rect damage = kScreenRect;  // no pixel outside it is written
    };
    Rect Drawable() const { return state_.clip.Intersect(state_.damage); }
    std::vector<std::string_view> WrapLines(std::string_view text, int width) const;
    void BlitGlyphs(int x, int y, std::string_view text, const Rect& clip);

    Surface& surface_;
    State state_;
    std::vector<State> saved_;
};

}  // namespace fw
