#include "controls/CTouchTabCtrl.h"

#include <algorithm>

#include "controls/TextFit.h"

namespace {

constexpr int kTabPadding = 24;
// The least room beside a caption: the 2-pixel inset each side and the tab's lines.
constexpr int kTightPadding = 8;
constexpr int kMinTabWidth = 90;
constexpr int kMinFontHeight = 10;

fw::FontSpec TabFont(bool bold, int height) {
    return fw::FontSpec{"Tahoma", height, bold ? fw::kWeightBold : fw::kWeightNormal};
}

// Moves a window and everything in it; children are placed in panel coordinates.
void MoveTree(fw::Window& w, int dx, int dy) {
    w.MoveTo(w.GetRect().Offset(dx, dy));
    for (fw::Window* child : w.Children())
        MoveTree(*child, dx, dy);
}

void Tell(fw::Window* page, uint32_t message) {
    if (page != nullptr)
        page->OnMessage(fw::Message{page->Handle(), message, 0, 0, {}});
}

}  // namespace

void CTouchTabCtrl::Create(fw::Window* parent, const fw::Rect& rect, int id) {
    fw::Window::Create(parent, rect, id);
}

fw::Rect CTouchTabCtrl::DisplayRect() const {
    const fw::Rect r = GetRect();
    return fw::Rect{r.left + 1, r.top + kTabHeight + 1, r.right - 1, r.bottom - 1};
}

int CTouchTabCtrl::AddPage(std::string caption, fw::Window& page) {
    const fw::Rect display = DisplayRect();
    const fw::Rect old = page.GetRect();
    MoveTree(page, display.left - old.left, display.top - old.top);
    page.Create(this, display, page.Id());
    tabs_.push_back(Tab{std::move(caption), &page});
    const int index = PageCount() - 1;
    if (index == 0) {
        selected_ = 0;
        page.Show(true);
        Tell(&page, kPageShowing);
    } else {
        page.Show(false);
    }
    Invalidate();
    return index;
}

fw::Window* CTouchTabCtrl::Page(int index) const {
    return index >= 0 && index < PageCount() ? tabs_[index].page : nullptr;
}

bool CTouchTabCtrl::SetCurSel(int index) {
    if (index < 0 || index >= PageCount())
        return false;
    if (index == selected_)
        return true;
    fw::Window* old = Page(selected_);
    Tell(old, kPageHiding);
    if (old != nullptr)
        old->Show(false);
    selected_ = index;
    tabs_[index].page->Show(true);
    Tell(tabs_[index].page, kPageShowing);
    Invalidate();
    return true;
}

void CTouchTabCtrl::SetBkColor(fw::Color c) {
    background_ = c;
    Invalidate();
}

void CTouchTabCtrl::SetTextColor(fw::Color c) {
    textColor_ = c;
    Invalidate();
}

// Each tab fits its caption in bold (the selected face, the wider one) with room to spare.
// When the tabs are wider than the control together, each keeps its caption's width plus a
// small margin and the rest is shared out evenly, so no caption is cut; only when even that
// is too wide does the caption face get smaller.
std::vector<int> CTouchTabCtrl::TabWidths() const {
    std::vector<int> widths;
    if (tabs_.empty())
        return widths;
    const int available = GetRect().Width();
    const int n = PageCount();
    const int height = CaptionFontHeight();
    int total = 0;
    for (const Tab& t : tabs_) {
        widths.push_back(std::max(
            kMinTabWidth, controls::TextWidth(t.caption, TabFont(true, height)) + kTabPadding));
        total += widths.back();
    }
    if (total <= available)
        return widths;
    total = 0;
    for (int i = 0; i < n; ++i) {
        widths[i] = controls::TextWidth(tabs_[i].caption, TabFont(true, height)) + kTightPadding;
        total += widths[i];
    }
    const int spare = std::max(0, available - total);
    for (int i = 0; i < n; ++i)
        widths[i] += spare / n + (i < spare % n ? 1 : 0);
    return widths;
}

// The largest caption height, up to kFontHeight, at which every caption fits its tab.
int CTouchTabCtrl::CaptionFontHeight() const {
    const int available = GetRect().Width();
    for (int height = kFontHeight; height > kMinFontHeight; --height) {
        int total = 0;
        for (const Tab& t : tabs_)
            total += controls::TextWidth(t.caption, TabFont(true, height)) + kTightPadding;
        if (total <= available)
            return height;
    }
    return kMinFontHeight;
}

fw::Rect CTouchTabCtrl::TabRect(int index) const {
    if (index < 0 || index >= PageCount())
        return fw::Rect{};
    std::vector<int> widths = TabWidths();
    int x = GetRect().left;
    for (int i = 0; i < index; ++i)
        x += widths[i];
    return fw::Rect{x, GetRect().top, x + widths[index], GetRect().top + kTabHeight};
}

void CTouchTabCtrl::OnPaint(fw::Dc& dc) {
    const fw::Rect r = GetRect();
    dc.FillRect(r, background_);
    dc.FrameRect(fw::Rect{r.left, r.top + kTabHeight, r.right, r.bottom}, fw::colors::kBlack);
    const int captionHeight = CaptionFontHeight();
    for (int i = 0; i < PageCount(); ++i) {
        const fw::Rect tab = TabRect(i);
        const bool selected = i == selected_;
        dc.FillRect(tab, selected ? selectedColor_ : unselectedColor_);
        // A line on the left, top and right of each tab; the bottom is the display frame.
        dc.FillRect(fw::Rect{tab.left, tab.top, tab.right, tab.top + 1}, fw::colors::kBlack);
        dc.FillRect(fw::Rect{tab.left, tab.top, tab.left + 1, tab.bottom}, fw::colors::kBlack);
        dc.FillRect(fw::Rect{tab.right - 1, tab.top, tab.right, tab.bottom}, fw::colors::kBlack);
        dc.SetFont(TabFont(selected, captionHeight));
        dc.SetTextColor(selected ? fw::colors::kWhite : textColor_);
        dc.DrawText(tabs_[i].caption, tab.Deflate(2),
                    fw::kSingleLine | fw::kAlignCenter | fw::kAlignVCenter);
    }
}

void CTouchTabCtrl::OnTouchDown(fw::Point p) {
    for (int i = 0; i < PageCount(); ++i) {
        if (!TabRect(i).Contains(p) || i == selected_)
            continue;
        SetCurSel(i);
        if (onSelChange_)
            onSelChange_(i);
        else
            NotifyParent(Id());
        return;
    }
}
