#include "controls/CPopupMenu.h"

#include <algorithm>
#include <memory>

#include "fw/EventLoop.h"
#include "fw/ScriptText.h"

namespace {

constexpr int kTriggerCommand = 580;
constexpr int kFontHeight = 18;
constexpr int kTextPadding = 12;  // both sides together, inside the item's frame
const fw::Color kSelectedText = fw::colors::kWhite;
const fw::Color kSelectedBackground = fw::colors::kBlack;
const fw::Color kNormalText = fw::colors::kWhite;
const fw::Color kNormalBackground = fw::Color::Rgb(128, 128, 128);
const fw::Color kDisabledText = fw::Color::Rgb(96, 96, 96);

CPopupMenu* gActivePopup = nullptr;

}  // namespace

// The menu's face on the panel while it is tracked; it takes every touch.
class CPopupMenu::TrackWindow : public fw::Window {
  public:
    explicit TrackWindow(CPopupMenu& menu) : menu_(menu) {}

    void OnPaint(fw::Dc& dc) override {
        const fw::Size size = menu_.ItemSize();
        for (int i = 0; i < static_cast<int>(menu_.items_.size()); ++i) {
            const fw::Rect r{GetRect().left, GetRect().top + i * size.cy, GetRect().left + size.cx,
                             GetRect().top + (i + 1) * size.cy};
            menu_.DrawItem(dc, menu_.items_[i], r, i == menu_.highlighted_);
        }
    }
    void OnTouchDown(fw::Point p) override { Highlight(menu_.ItemAt(p)); }
    void OnTouchMove(fw::Point p) override { Highlight(menu_.ItemAt(p)); }
    void OnTouchUp(fw::Point p) override {
        const int position = menu_.ItemAt(p);
        if (position >= 0 && menu_.items_[position].enabled)
            menu_.Choose(position);
        else
            menu_.Dismiss();
    }

  private:
    void Highlight(int position) {
        if (position >= 0 && !menu_.items_[position].enabled)
            position = -1;
        if (position == menu_.highlighted_)
            return;
        menu_.highlighted_ = position;
        Invalidate();
    }

    CPopupMenu& menu_;
};

CPopupMenu::CPopupMenu() = default;

CPopupMenu::~CPopupMenu() {
    if (gActivePopup == this)
        gActivePopup = nullptr;
}

CPopupMenu* CPopupMenu::ActivePopup() {
    return gActivePopup;
}

std::string CPopupMenu::MenuText(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out.push_back('&');
            ++i;
        }
    }
    return out;
}

void CPopupMenu::Build() {
    if (built_)
        return;
    items_.clear();
    BuildItems();
    built_ = true;
}

void CPopupMenu::AppendItem(int command, std::string text) {
    items_.push_back(Item{command, std::move(text), true});
}

int CPopupMenu::FindItem(int command) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].command == command)
            return static_cast<int>(i);
    }
    return -1;
}

int CPopupMenu::TriggerItemPosition() const {
    return FindItem(kTriggerCommand);
}

bool CPopupMenu::RemoveItemAt(int position) {
    if (position < 0 || position >= static_cast<int>(items_.size()))
        return false;
    items_.erase(items_.begin() + position);
    return true;
}

bool CPopupMenu::EnableItem(int command, bool enabled) {
    const int position = FindItem(command);
    if (position < 0)
        return false;
    items_[position].enabled = enabled;
    return true;
}

fw::Rect CPopupMenu::MenuRect(const fw::Rect& button) const {
    const fw::Size item = ItemSize();
    const int width = item.cx;
    const int height = item.cy * static_cast<int>(items_.size());
    int left = GetAlignment() == Alignment::Right ? button.left - width : button.left;
    int top = button.bottom;
    // Kept on the panel, as a pop-up menu always is.
    left = std::clamp(left, 0, std::max(0, fw::kScreenWidth - width));
    top = std::clamp(top, 0, std::max(0, fw::kScreenHeight - height));
    return fw::Rect{left, top, left + width, top + height};
}

int CPopupMenu::ItemAt(fw::Point p) const {
    if (!rect_.Contains(p))
        return -1;
    const int position = (p.y - rect_.top) / ItemSize().cy;
    return position < static_cast<int>(items_.size()) ? position : -1;
}

fw::Size CPopupMenu::ItemSize() const {
    const fw::Size size = MeasureItem();
    return fw::Size{std::max(size.cx, WidestText() + kTextPadding), size.cy};
}

int CPopupMenu::WidestText() const {
    fw::Surface scratch(1, 1);
    fw::Dc dc(scratch);
    dc.SetFont(fw::FontSpec{"Tahoma", kFontHeight, fw::kWeightBold});
    int widest = 0;
    for (const Item& item : items_) {
        const int w =
            marked_ ? fw::ScriptTextWidth(dc, item.text) : dc.TextExtent(MenuText(item.text)).cx;
        widest = std::max(widest, w);
    }
    return widest;
}

int CPopupMenu::Show(fw::Window* opener, const fw::Rect& button) {
    const int command = TrackChoice(button);
    if (command != 0)
        SendCommand(opener, command);
    return command;
}

int CPopupMenu::TrackChoice(const fw::Rect& button) {
    Build();
    if (tracking_ || items_.empty() || !controls::ModalsMayOpen())
        return 0;
    CPopupMenu* previous = gActivePopup;
    gActivePopup = this;
    Track(MenuRect(button));
    gActivePopup = previous;
    return chosen_ < 0 ? 0 : items_[chosen_].command;
}

void CPopupMenu::SendCommand(fw::Window* opener, int command) {
    for (fw::Window* w = opener; w != nullptr; w = w->Parent()) {
        if (w->OnCommand(command, nullptr))
            break;
    }
}

void CPopupMenu::Track(const fw::Rect& menuRect) {
    chosen_ = -1;
    highlighted_ = -1;
    rect_ = menuRect;
    tracking_ = true;
    controls::OpenModalScope registered(this);
    auto window = std::make_unique<TrackWindow>(*this);
    window->Create(nullptr, menuRect);
    window_ = window.get();
    fw::Loop().RunModal(window_, [this] { return !tracking_; });
    window_ = nullptr;
    tracking_ = false;
}

void CPopupMenu::Choose(int position) {
    if (!tracking_)
        return;
    chosen_ = position;
    tracking_ = false;
}

void CPopupMenu::Dismiss() {
    chosen_ = -1;
    tracking_ = false;
}

void CPopupMenu::DrawItem(fw::Dc& dc, const Item& item, const fw::Rect& r, bool selected) const {
    fw::Color text = kNormalText;
    fw::Color background = kNormalBackground;
    int weight = fw::kWeightNormal;
    if (!item.enabled) {
        text = kDisabledText;
    } else if (selected) {
        text = kSelectedText;
        background = kSelectedBackground;
        weight = fw::kWeightBold;
    }
    dc.FillRect(r, fw::colors::kBlack);
    dc.FillRect(r.Deflate(1), background);
    dc.SetFont(fw::FontSpec{"Tahoma", kFontHeight, weight});
    dc.SetTextColor(text);
    if (marked_)
        fw::DrawScriptText(dc, item.text, r.Deflate(1), 1);
    else
        dc.DrawText(MenuText(item.text), r.Deflate(1),
                    fw::kSingleLine | fw::kAlignCenter | fw::kAlignVCenter);
}
