#include "controls/CLabel.h"

#include <algorithm>

#include "controls/ControlColors.h"
#include "controls/TextFit.h"
#include "fw/ScriptText.h"

namespace {

constexpr int kBitmapGap = 4;
constexpr int kBorderPadding = 3;

unsigned AlignFlag(CLabel::Alignment a) {
    return a == CLabel::kLeft    ? fw::kAlignLeft
           : a == CLabel::kRight ? fw::kAlignRight
                                 : fw::kAlignCenter;
}

}  // namespace

void CLabel::Create(fw::Window* parent, const fw::Rect& rect, int id, std::string text) {
    fw::Window::Create(parent, rect, id);
    text_ = std::move(text);
}

void CLabel::SetText(std::string text) {
    Change(text_, std::move(text));
}

void CLabel::SetBitmap(int bitmapId) {
    Change(bitmap_, bitmapId);
}

void CLabel::SetBkColor(fw::Color c) {
    Change(background_, c);
}

void CLabel::SetTextColor(fw::Color c) {
    Change(textColor_, c);
}

void CLabel::SetFontHeight(int height) {
    Change(fontHeight_, height > 0 ? height : kDefaultFontHeight);
}

void CLabel::SetFontFace(std::string face) {
    Change(face_, std::move(face));
}

void CLabel::SetBold(bool bold) {
    Change(bold_, bold);
}

void CLabel::SetItalic(bool italic) {
    Change(italic_, italic);
}

void CLabel::SetUnderline(bool underline) {
    Change(underline_, underline);
}

void CLabel::SetStrikeout(bool strikeout) {
    Change(strikeout_, strikeout);
}

void CLabel::SetAlignment(Alignment alignment) {
    Change(alignment_, alignment);
}

void CLabel::SetBorder(bool border) {
    Change(border_, border);
}

void CLabel::SetMarkedText(bool marked) {
    Change(marked_, marked);
}

void CLabel::SetTransparent(bool transparent) {
    Change(transparent_, transparent);
}

void CLabel::SetTextShowingEnd(const std::string& text) {
    // One pixel clear of the border on each side.
    SetText(controls::FitTail(text, Font(), TextArea().Width() - 2));
}

fw::FontSpec CLabel::Font() const {
    fw::FontSpec f{face_, fontHeight_, bold_ ? fw::kWeightBold : fw::kWeightNormal};
    f.italic = italic_;
    f.underline = underline_;
    f.strikeout = strikeout_;
    return f;
}

fw::Rect CLabel::TextArea() const {
    return border_ ? GetRect().Deflate(kBorderPadding) : GetRect();
}

void CLabel::OnPaint(fw::Dc& dc) {
    const fw::Rect r = GetRect();
    if (transparent_)
        dc.DrawBitmap(controls::kBmpPageBackground, {0, 0});  // clipped to the label
    else
        dc.FillRect(r, background_);
    const fw::Color ink = IsEnabled() ? textColor_ : controls::kDisabled;
    if (border_)
        dc.FrameRect(r, ink);
    if (text_.empty() && bitmap_ == 0)
        return;
    dc.SetFont(Font());
    dc.SetTextColor(ink);
    if (marked_) {
        FitMarkedText(dc);
        fw::DrawScriptText(dc, text_, TextArea(), alignment_);
    } else
        DrawPlain(dc, TextArea());
}

// A unit too wide for its place ("µGym²/(h*A)" beside a narrow column) is drawn smaller
// rather than cut, down to a height that is still legible.
void CLabel::FitMarkedText(fw::Dc& dc) const {
    fw::FontSpec f = Font();
    const int room = TextArea().Width();
    const int smallest = std::min(f.height, kSmallestFittedHeight);
    while (f.height > smallest && fw::ScriptTextWidth(dc, text_) > room) {
        --f.height;
        dc.SetFont(f);
    }
}

// Icons beside a text are drawn without their magenta key, so the label's own background
// shows around them instead of a magenta square.
void CLabel::DrawPlain(fw::Dc& dc, fw::Rect area) const {
    if (bitmap_ != 0) {
        const fw::Size bmp = fw::Dc::BitmapSize(bitmap_);
        const int textWidth = text_.empty() ? 0 : dc.TextExtent(text_).cx;
        const int room = area.Width() - bmp.cx - kBitmapGap;
        const int used = bmp.cx + kBitmapGap + std::clamp(textWidth, 0, std::max(0, room));
        const int y = area.top + (area.Height() - bmp.cy) / 2;
        if (alignment_ == kRight) {
            dc.DrawBitmap(bitmap_, {area.right - bmp.cx, y}, true, fw::colors::kTransparentKey);
            area.right -= bmp.cx + kBitmapGap;
        } else {
            const int x = alignment_ == kLeft ? area.left : area.left + (area.Width() - used) / 2;
            dc.DrawBitmap(bitmap_, {x, y}, true, fw::colors::kTransparentKey);
            area.left = x + bmp.cx + kBitmapGap;
            if (alignment_ == kCentre)
                area.right = std::max(area.left, x + used);
        }
    }
    if (!text_.empty())
        dc.DrawText(text_, area, fw::kWordBreak | AlignFlag(alignment_) | fw::kAlignVCenter);
}
