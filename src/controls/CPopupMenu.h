#pragma once
// The owner-drawn pop-up menu: a column of equal items (grey with white text, black and
// bold while the finger is on one) opened below the touched button and tracked modally.
// The chosen item's command goes to the opener's OnCommand; lifting the finger outside
// the items closes the menu with no command. While tracked, the menu is ActivePopup().
#include <string>
#include <vector>

#include "controls/ModalRegistry.h"
#include "fw/Window.h"

class CPopupMenu : public IStandbyDismissable {
  public:
    // Where the opening point is: the menu's top-left or its top-right corner.
    enum class Alignment { Left = 0, Right = 8 };

    struct Item {
        int command;
        std::string text;
        bool enabled = true;
    };

    CPopupMenu();
    virtual ~CPopupMenu();
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    // Builds the items if not yet built, opens the menu at the left and bottom edges of
    // `button` (panel coordinates) and tracks it. Returns the chosen command, after sending
    // it to `opener` (and up its parent chain until handled); 0 when nothing was chosen.
    virtual int Show(fw::Window* opener, const fw::Rect& button);
    // The same without sending: the chosen command, 0 when none. The opener decides.
    int TrackChoice(const fw::Rect& button);
    // Sends `command` to `opener` and up its parent chain until one handles it.
    static void SendCommand(fw::Window* opener, int command);
    void Dismiss();
    void DismissForStandby() override { Dismiss(); }

    void SetMarkedText(bool marked) { marked_ = marked; }
    bool IsBuilt() const { return built_; }
    // Builds the items now (Show does it when needed).
    void Build();
    // -1 before the items were built.
    int GetItemCount() const { return built_ ? static_cast<int>(items_.size()) : -1; }
    const std::vector<Item>& Items() const { return items_; }
    // The position of the item with `command`, or -1.
    int FindItem(int command) const;
    // The position of "Trigger (Ch.1)", which channel 2 removes; -1 when absent.
    int TriggerItemPosition() const;
    bool RemoveItemAt(int position);
    bool EnableItem(int command, bool enabled);

    // The item size of the menu class.
    virtual fw::Size MeasureItem() const = 0;
    // The size the items are drawn at: the class's size, widened where a text in the bold
    // face of a selected item would not fit it.
    fw::Size ItemSize() const;
    // Where the menu opens relative to the button; left-aligned unless a class says so.
    virtual Alignment GetAlignment() const { return Alignment::Left; }
    // The menu's rectangle on the panel when opened below `button`.
    fw::Rect MenuRect(const fw::Rect& button) const;

    // The menu being tracked now, or nullptr.
    static CPopupMenu* ActivePopup();

    // Texts are shown as a menu shows them: "&&" is one ampersand, a single "&" is dropped.
    static std::string MenuText(const std::string& text);

  protected:
    virtual void BuildItems() = 0;
    void AppendItem(int command, std::string text);
    // Draws one item; `selected` while the finger is on it.
    virtual void DrawItem(fw::Dc& dc, const Item& item, const fw::Rect& r, bool selected) const;

  private:
    class TrackWindow;
    friend class TrackWindow;
    void Track(const fw::Rect& menuRect);
    void Choose(int position);
    int ItemAt(fw::Point p) const;
    int WidestText() const;

    std::vector<Item> items_;
    bool built_ = false;
    bool marked_ = false;
    bool tracking_ = false;
    int chosen_ = -1;
    int highlighted_ = -1;
    fw::Rect rect_;
    TrackWindow* window_ = nullptr;
};
