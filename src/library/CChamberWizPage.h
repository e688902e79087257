#pragma once
// One page of the chamber wizard: "<- Back", "Next ->" (or "Finish") and "Cancel" in the
// same places on every page, value fields that open their entry dialogs when touched, and
// the rule that decides whether Next may be pressed, asked again after every entry.
#include <optional>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "fw/Window.h"
#include "library/CTouchField.h"

class CChamberWiz;
struct CHAMBER_CAL;

class CChamberWizPage : public fw::Window {
  public:
    static constexpr int kIdBack = 1128;
    static constexpr int kIdNext = 1225;
    static constexpr int kIdCancel = 1140;
    static constexpr int kTitleHeight = 20;
    static constexpr int kCaptionHeight = 18;

    explicit CChamberWizPage(CChamberWiz& wizard) : wizard_(wizard) {}

    // Builds the page over the whole wizard, hidden.
    void CreatePage();
    // Shows the page with its fields reloaded from the record, or hides it.
    void ShowPage(bool shown);
    bool NextEnabled() const { return next_.IsEnabled(); }

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  protected:
    // The page's own captions and fields.
    virtual void CreateFields() = 0;
    // The fields as the record holds them.
    virtual void LoadFields() = 0;
    virtual bool CanGoNext() const = 0;
    // Before leaving by Back or Next: what the page keeps only when it is left.
    virtual void StoreOnLeave() {}
    // A touched field; false for an id the page does not know.
    virtual bool OnField(int id) = 0;
    virtual bool HasBack() const { return true; }
    // What Next does: the next page, or the end of the wizard on the last page.
    virtual void GoNext();
    virtual std::string NextCaption() const { return "Next ->"; }

    CChamberWiz& Wizard() { return wizard_; }
    CHAMBER_CAL& Record();
    // Enables Next by the page's rule.
    void UpdateNext();

    // ---- building --------------------------------------------------------------------------
    void CreateTitle(CLabel& label, int top, int id, std::string text);
    void CreateCaption(CLabel& label, const fw::Rect& rect, int id, std::string text);
    void CreateField(CTouchField& field, const fw::Rect& rect, int id);
    // The wizard's rectangle from its left and top edges.
    fw::Rect At(int left, int top, int right, int bottom) const;

    // ---- entries ---------------------------------------------------------------------------
    // The alphanumeric keypad titled `title` preset with `current`: the text after OK when it
    // is not empty; nothing after Cancel, an empty entry or a standby request.
    std::optional<std::string> AskText(const std::string& title, const std::string& current);
    // The numeric keypad as a field asks for it.
    struct NumberKeys {
        std::string title;
        std::string preset;
        int maxLength = -1;  // any
        int decimals = -1;   // any; 0 for no decimal point
        bool signKey = true;
        bool quickValues = false;
    };
    // The entry after OK when it is not empty; nothing otherwise.
    std::optional<std::string> AskNumber(const NumberKeys& keys);
    // An OK-only message over the wizard.
    void Tell(const std::string& text);

  private:
    CChamberWiz& wizard_;
    CBttn back_, next_, cancel_;
};
