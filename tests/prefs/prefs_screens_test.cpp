// What the operator sees on the preferences screen: every page, and the boxes, keypads and
// menus its controls open, as PNG files below build/screens/, with no text running out of
// the place it was laid out in.
#include "controls/MenuCommands.h"
#include "prefs_fixture.h"

namespace prefs_test {
namespace {

class PrefsScreens : public PrefsTest {
  protected:
    void ExpectNothingOverflows(const std::string& where) {
        for (const fw::DrawnText& t : OverflowingTexts())
            ADD_FAILURE() << where << ": \"" << t.text << "\" runs out of its place";
    }
    // For the dialog or menu that will be waiting: a screenshot, then `close` closes it.
    void ThenShoot(const std::string& name, std::function<void()> close) {
        script->Then([this, name, close] {
            EXPECT_TRUE(Screenshot(name));
            ExpectNothingOverflows(name);
            close();
        });
    }
    static void Cancel() { TouchCentreOf(fw::Loop().TopLevel()->FindChild(kIdCancel)); }
};

TEST_F(PrefsScreens, EachPage) {
    doc->CalDueDate = {2015, 1, 31};  // long past: the warning image is shown
    const char* names[] = {"prefs_general.png", "prefs_data_management.png",
                           "prefs_measurement.png", "prefs_calibration.png"};
    OpenPrefs();
    for (int page = 0; page < 4; ++page) {
        ShowPage(page);
        EXPECT_TRUE(Screenshot(names[page]));
        ExpectNothingOverflows(names[page]);
    }
    EXPECT_TRUE(Prefs().CalibrationPage().DueWarningShown());
}

TEST_F(PrefsScreens, TheDialogsAndMenusOfThePages) {
    OpenPrefs(CPrefsView::kGeneral);
    ThenShoot("prefs_password_keypad.png", Cancel);
    TapId(CGenTab::kIdPassword);
    ThenShoot("prefs_set_date.png", Cancel);
    TapId(CGenTab::kIdSetDateTime);

    ShowPage(CPrefsView::kDataManagement);
    ThenPassword("5937");
    ThenShoot("prefs_clear_confirm.png", [] { TouchCaption(fw::Loop().TopLevel(), "No"); });
    TapId(CDataMgmntTab::kIdClearChambers);

    ShowPage(CPrefsView::kMeasurement);
    ThenPassword("5937");
    ThenShoot("prefs_pressure_menu.png", [] { CPopupMenu::ActivePopup()->Dismiss(); });
    TapId(CMeasmntTab::kIdPressure);
    ThenShoot("prefs_default_type_menu.png", [] { CPopupMenu::ActivePopup()->Dismiss(); });
    TapId(CMeasmntTab::kIdDefaultType);
    ThenShoot("prefs_agency_warning.png", [] { TouchCaption(fw::Loop().TopLevel(), "OK"); });
    ThenShoot("prefs_threshold_keypad.png", Cancel);
    TapId(CMeasmntTab::kIdHighStart);

    ShowPage(CPrefsView::kCalibration);
    ThenPassword("5937");
    ThenShoot("prefs_factor_keypad.png", Cancel);
    TapId(1289);
    ThenShoot("prefs_cal_date_picker.png", Cancel);
    TapId(CCalTab::kIdDue);
    ThenShoot("prefs_cal_info.png", [] { TouchCaption(fw::Loop().TopLevel(), "OK"); });
    TapId(CCalTab::kIdInfo);

    ShowPage(CPrefsView::kGeneral);
    TapId(CGenTab::kIdBrightnessDown);
    ThenShoot("prefs_leave_prompt.png", [] { TouchCaption(fw::Loop().TopLevel(), "No"); });
    Prefs().OnCommand(menu_cmd::kChannel1, nullptr);
    fw::Loop().ProcessReady();
}

}  // namespace
}  // namespace prefs_test
