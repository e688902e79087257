#pragma once
// Tabs across the top of a display area that hosts one page per tab. The selected tab is
// grey with bold white text; a page is told when it is hidden and when it is shown.
#include <functional>
#include <string>
#include <vector>

#include "fw/Message.h"
#include "fw/Window.h"

class CTouchTabCtrl : public fw::Window {
  public:
    // Sent to a page (as a window message, both parameters 0) as it is hidden or shown.
    static constexpr uint32_t kPageHiding = fw::kUserMessage + 0x70;
    static constexpr uint32_t kPageShowing = fw::kUserMessage + 0x71;
    static constexpr int kTabHeight = 36;
    static constexpr int kFontHeight = 18;

    void Create(fw::Window* parent, const fw::Rect& rect, int id);

    // Appends a tab; the page becomes a child placed in the display area (its own children
    // move with it). The first page added is shown, later ones hidden. Returns the index.
    int AddPage(std::string caption, fw::Window& page);
    int PageCount() const { return static_cast<int>(tabs_.size()); }
    int GetCurSel() const { return selected_; }
    // Shows page `index`; false for an index that does not exist.
    bool SetCurSel(int index);
    fw::Window* Page(int index) const;
    fw::Rect DisplayRect() const;
    fw::Rect TabRect(int index) const;

    void SetBkColor(fw::Color c);
    void SetTextColor(fw::Color c);
    // Called after a touch selected another tab.
    void SetOnSelChange(std::function<void(int index)> onChange) {
        onSelChange_ = std::move(onChange);
    }

    void OnPaint(fw::Dc& dc) override;
    void OnTouchDown(fw::Point p) override;

  private:
    struct Tab {
        std::string caption;
        fw::Window* page;
    };
    std::vector<int> TabWidths() const;
    int CaptionFontHeight() const;

    std::vector<Tab> tabs_;
    int selected_ = -1;
    fw::Color selectedColor_ = fw::Color::Rgb(128, 128, 128);
    fw::Color unselectedColor_ = fw::colors::kWhite;
    fw::Color textColor_ = fw::colors::kBlack;
    fw::Color background_ = fw::colors::kWhite;
    std::function<void(int)> onSelChange_;
};
