#include "controls/CTouchTabCtrl.h"

#include <algorithm>

namespace {

constexpr int kTabPadding = 24;
constexpr int kMinTabWidth = 90;

fw::FontSpec TabFont(bool bold) {
    return fw::FontSpec{"Tahoma", CTouchTabCtrl::kFontHeight,
                        bold ? fw::kWeightBold : fw::kWeightNormal};
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

// Each tab fits its caption in bold; when they all do not fit they share the width.
std::vector<int> CTouchTabCtrl::TabWidths() const {
    fw::Surface scratch(1, 1);
    fw::Dc dc(scratch);
    dc.SetFont(TabFont(true));
    std::vector<int> widths;
    int total = 0;
    for (const Tab& t : tabs_) {
        widths.push_back(std::max(kMinTabWidth, dc.TextExtent(t.caption).cx + kTabPadding));
        total += widths.back();
    }
    if (total > GetRect().Width() && !widths.empty())
        std::fill(widths.begin(), widths.end(), GetRect().Width() / PageCount());
    return widths;
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
    for (int i = 0; i < PageCount(); ++i) {
        const fw::Rect tab = TabRect(i);
        const bool selected = i == selected_;
        dc.FillRect(tab, selected ? selectedColor_ : unselectedColor_);
        // A line on the left, top and right of each tab; the bottom is the display frame.
        dc.FillRect(fw::Rect{tab.left, tab.top, tab.right, tab.top + 1}, fw::colors::kBlack);
        dc.FillRect(fw::Rect{tab.left, tab.top, tab.left + 1, tab.bottom}, fw::colors::kBlack);
        dc.FillRect(fw::Rect{tab.right - 1, tab.top, tab.right, tab.bottom}, fw::colors::kBlack);
        dc.SetFont(TabFont(selected));
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
