#include "controls/CBttn.h"

#include <vector>

#include "controls/ControlColors.h"

namespace {

constexpr int kImageMargin = 3;
constexpr int kCheckTextIndent = 8;

// Multi-byte UTF-8 characters stay whole when a caption is stood on end.
size_t Utf8Length(std::string_view s, size_t at) {
    auto c = static_cast<unsigned char>(s[at]);
    size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return std::min(n, s.size() - at);
}

}  // namespace

void CBttn::Create(fw::Window* parent, const fw::Rect& rect, int id, std::string caption) {
    fw::Window::Create(parent, rect, id);
    caption_ = std::move(caption);
}

void CBttn::SetCaption(std::string caption) {
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    Invalidate();
}

void CBttn::SetTextColor(fw::Color c) {
    textColor_ = c;
    Invalidate();
}

void CBttn::SetBkColor(fw::Color c) {
    background_ = c;
    Invalidate();
}

void CBttn::SetFontHeight(int height) {
    fontHeight_ = height > 0 ? height : kDefaultFontHeight;
    Invalidate();
}

void CBttn::SetFontFace(std::string face) {
    face_ = std::move(face);
    Invalidate();
}

void CBttn::SetBold(bool bold) {
    bold_ = bold;
    Invalidate();
}

void CBttn::SetBitmaps(int bitmap1, int bitmap2) {
    bitmap1_ = bitmap1;
    bitmap2_ = bitmap2;
    Invalidate();
}

void CBttn::SetBitmapPosition(BitmapPosition position) {
    bitmapPosition_ = position;
    Invalidate();
}

void CBttn::SetTransparent(bool transparent, fw::Color key) {
    transparent_ = transparent;
    key_ = key;
    Invalidate();
}

void CBttn::SetFramed(bool framed) {
    framed_ = framed;
    Invalidate();
}

void CBttn::SetTextAngle(int tenths) {
    textAngle_ = tenths;
    Invalidate();
}

void CBttn::SetCheckBoxMode(bool on) {
    checkBox_ = on;
    if (on) {
        bitmap1_ = controls::kBmpCheckMarked;
        bitmap2_ = controls::kBmpCheckUnmarked;
        framed_ = false;
    }
    Invalidate();
}

void CBttn::SetMarked(bool marked) {
    if (marked == marked_)
        return;
    marked_ = marked;
    Invalidate();
}

void CBttn::SetPressed(bool pressed) {
    if (pressed == pressed_)
        return;
    pressed_ = pressed;
    Invalidate();
}

void CBttn::Fire() {
    if (onClick_)
        onClick_();
    else
        NotifyParent(Id());
}

void CBttn::OnTouchDown(fw::Point) {
    SetPressed(true);
}

void CBttn::OnTouchMove(fw::Point p) {
    SetPressed(GetRect().Contains(p));
}

void CBttn::OnTouchUp(fw::Point p) {
    bool clicked = pressed_ && GetRect().Contains(p) && IsEnabled();
    SetPressed(false);
    if (!clicked)
        return;
    if (checkBox_)
        SetMarked(!marked_);
    Fire();
}

int CBttn::CurrentBitmap() const {
    if (checkBox_)
        return marked_ ? bitmap1_ : bitmap2_;
    if (!IsEnabled() && bitmap2_ != 0)
        return bitmap2_;
    return bitmap1_;
}

void CBttn::OnPaint(fw::Dc& dc) {
    const fw::Rect r = GetRect();
    dc.FillRect(r, background_);
    if (framed_)
        dc.FrameRect(r, IsEnabled() ? fw::colors::kBlack : controls::kDisabled);
    fw::Rect textArea = r.Deflate(framed_ ? 2 : 0);
    textArea = DrawImage(dc, textArea);
    if (!caption_.empty())
        DrawCaption(dc, textArea);
}

// Draws the face image and returns what is left of `area` for the caption.
fw::Rect CBttn::DrawImage(fw::Dc& dc, fw::Rect area) const {
    const int id = CurrentBitmap();
    if (id == 0)
        return area;
    const fw::Size s = fw::Dc::BitmapSize(id);
    const fw::Rect r = GetRect();
    fw::Point at{r.left + (r.Width() - s.cx) / 2, r.top + (r.Height() - s.cy) / 2};
    switch (bitmapPosition_) {
        case BitmapPosition::Centre:
            break;
        case BitmapPosition::Left:
            at.x = r.left + kImageMargin;
            area.left = at.x + s.cx + kImageMargin;
            break;
        case BitmapPosition::Top:
            at.y = r.top + kImageMargin;
            area.top = at.y + s.cy + kImageMargin;
            break;
        case BitmapPosition::Right:
            at.x = r.right - kImageMargin - s.cx;
            area.right = at.x - kImageMargin;
            break;
        case BitmapPosition::Bottom:
            at.y = r.bottom - kImageMargin - s.cy;
            area.bottom = at.y - kImageMargin;
            break;
    }
    if (pressed_ && !checkBox_)
        at = {at.x + 1, at.y + 1};
    dc.DrawBitmap(id, at, transparent_, key_);
    return area;
}

void CBttn::DrawCaption(fw::Dc& dc, fw::Rect area) const {
    dc.SetFont(fw::FontSpec{face_, fontHeight_, bold_ ? fw::kWeightBold : fw::kWeightNormal});
    dc.SetTextColor(IsEnabled() ? textColor_ : controls::kDisabled);
    if (pressed_)
        area = area.Offset(1, 1);
    if (textAngle_ == 900) {
        DrawVerticalCaption(dc, area);
        return;
    }
    if (checkBox_) {
        area.left += kCheckTextIndent;
        dc.DrawText(caption_, area, fw::kWordBreak | fw::kAlignLeft | fw::kAlignVCenter);
        return;
    }
    dc.DrawText(caption_, area, fw::kWordBreak | fw::kAlignCenter | fw::kAlignVCenter);
}

// The panel's text cannot be rotated; a caption on end is drawn one character per line.
void CBttn::DrawVerticalCaption(fw::Dc& dc, const fw::Rect& area) const {
    std::vector<std::string_view> chars;
    std::string_view text = caption_;
    for (size_t i = 0; i < text.size();) {
        size_t n = Utf8Length(text, i);
        if (text[i] != '\r' && text[i] != '\n')
            chars.push_back(text.substr(i, n));
        i += n;
    }
    const int lineHeight = dc.GetTextMetrics().height;
    int y = area.top + (area.Height() - lineHeight * static_cast<int>(chars.size())) / 2;
    for (std::string_view c : chars) {
        const int x = area.left + (area.Width() - dc.TextExtent(c).cx) / 2;
        dc.TextOut(x, y, c, area);  // laid out in the whole face, so an overlong caption shows
        y += lineHeight;
    }
}
