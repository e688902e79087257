#pragma once
// The preferences screen on a headless panel, on the one-channel screen's harness: the
// operator's taps on the pages, the pop-ups, Apply, and the document the next start loads.
#include <algorithm>
#include <memory>
#include <string>

#include "controls/CPopupMenu.h"
#include "prefs/CPrefsView.h"
#include "screens/one_channel_fixture.h"
#include "settings/SettingsFile.h"

namespace prefs_test {

inline constexpr const char* kPassword = "5937";

class PrefsTest : public one_channel_test::OneChannelTest {
  protected:
    // The document as at a start: loaded from the (new) settings file.
    void SetUp() override {
        OneChannelTest::SetUp();
        LoadSettings(*doc);
    }
    void OpenPrefs(int page = CPrefsView::kGeneral) {
        frame->SwitchToView(std::make_unique<CPrefsView>());
        fw::Loop().ProcessReady();
        ShowPage(page);
    }
    CPrefsView& Prefs() { return *static_cast<CPrefsView*>(frame->ActiveView()); }
    void ShowPage(int index) {
        const fw::Rect r = Prefs().Tabs().TabRect(index);
        Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // For the pop-up menu that will be tracked: touches the item of `command` (its text as the
    // menu draws it, over the same text on the button below it).
    void ThenChooseCommand(int command) {
        script->Then([this, command] {
            CPopupMenu* menu = CPopupMenu::ActivePopup();
            const int position = menu != nullptr ? menu->FindItem(command) : -1;
            ASSERT_GE(position, 0) << "no menu item " << command;
            const std::string text = CPopupMenu::MenuText(menu->Items()[position].text);
            const std::vector<fw::DrawnText> texts = Texts();
            auto item = std::find_if(texts.rbegin(), texts.rend(),
                                     [&text](const fw::DrawnText& t) { return t.text == text; });
            ASSERT_NE(item, texts.rend()) << "menu item \"" << text << "\" not shown";
            testing_support::TouchCentreOf(item->extent);
        });
    }
    // Apply, with the one-second "Saving Settings" notice let run out.
    void Apply() {
        script->Then([this] { clock->Advance(CPrefsView::kSavingNoticeMs); });
        TapControl(CPrefsView::kIdApply);
    }
    // The document as the next start loads it from the settings file.
    static std::unique_ptr<CKelvarinDoc> Restarted() {
        auto next = std::make_unique<CKelvarinDoc>();
        LoadSettings(*next);
        return next;
    }
};

}  // namespace prefs_test
