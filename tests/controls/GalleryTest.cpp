// Renders every control, the message boxes, both keypads and the menus to PNG files under
// screens/ for people to look at, and checks on each picture that every text fits the
// control it was drawn in.
#include <gmock/gmock.h>

#include "ControlsFixture.h"
#include "controls/CBttn.h"
#include "controls/CKeypadDlg.h"
#include "controls/CLabel.h"
#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/CRepeatBttn.h"
#include "controls/CTouchListCtrl.h"
#include "controls/CTouchTabCtrl.h"
#include "controls/ControlColors.h"
#include "controls/PopupMenus.h"

namespace {

using controls_test::ControlsTest;
using ::testing::IsEmpty;

class GalleryTest : public ControlsTest {
  protected:
    // Screenshot and overflow check of whatever is on the panel.
    void Picture(const std::string& name) {
        EXPECT_TRUE(Screenshot(name + ".png"));
        EXPECT_THAT(Overflowing(), IsEmpty()) << "in " << name;
    }
    void ThenPicture(const std::string& name) {
        ThenDo([this, name] { Picture(name); });
    }
};

TEST_F(GalleryTest, ControlsGallery) {
    CBttn plain, action, withBitmap, twoLines, disabled, check, vertical;
    CRepeatBttn scrollUp, scrollDown;
    plain.Create(&host, {10, 10, 130, 60}, 1, "Start");
    action.Create(&host, {140, 10, 260, 60}, 2, "Apply");
    action.SetBkColor(controls::kActionButton);
    action.SetTextColor(fw::colors::kWhite);
    withBitmap.Create(&host, {270, 10, 390, 60}, 3, "Info");
    withBitmap.SetBitmaps(255);
    twoLines.Create(&host, {400, 10, 560, 80}, 4, "Edit\r\nChamber/Calibration");
    twoLines.SetFontHeight(18);
    disabled.Create(&host, {10, 70, 130, 120}, 5, "Delete");
    disabled.Enable(false);
    check.Create(&host, {140, 70, 300, 120}, 6, "Blue");
    check.SetCheckBoxMode(true);
    check.SetMarked(true);
    vertical.Create(&host, {570, 10, 630, 160}, 7, "ZERO");
    vertical.SetTextAngle(900);
    vertical.SetBkColor(controls::kZeroButton);
    scrollUp.Create(&host, {310, 70, 370, 120}, 8);
    scrollUp.SetBitmaps(131, 236);
    scrollUp.SetBitmapPosition(CBttn::BitmapPosition::Centre);
    scrollDown.Create(&host, {380, 70, 440, 120}, 9);
    scrollDown.SetBitmaps(126, 233);
    scrollDown.SetBitmapPosition(CBttn::BitmapPosition::Centre);
    scrollDown.Enable(false);

    CLabel title, bordered, units, withIcon, transparent;
    title.Create(&host, {10, 130, 300, 160}, 0, "Chamber Library");
    title.SetFontHeight(24);
    title.SetBold(true);
    bordered.Create(&host, {310, 130, 560, 160}, 0, "1.234 nA");
    bordered.SetBorder(true);
    bordered.SetFontHeight(20);
    bordered.SetAlignment(CLabel::kRight);
    units.Create(&host, {10, 170, 300, 200}, 0, "N_s_k:Gym^2/(h*A)");
    units.SetMarkedText(true);
    units.SetFontHeight(20);
    withIcon.Create(&host, {310, 170, 630, 200}, 0, "Calibration due");
    withIcon.SetBitmap(260);
    withIcon.SetFontHeight(18);
    withIcon.SetTextColor(controls::kOverRange);
    transparent.Create(&host, {10, 205, 300, 230}, 0, "On the page picture");
    transparent.SetTransparent(true);
    transparent.SetFontHeight(16);

    CTouchListCtrl list;
    list.Create(&host, {10, 240, 330, 470}, 10);
    list.SetBitmapMode(true, true, fw::colors::kTransparentKey);
    list.InsertColumn(0, "Model", CTouchListCtrl::kFormatLeft, 200);
    list.InsertColumn(1, "Serial", CTouchListCtrl::kFormatRight, 0);
    const char* models[] = {"PTW 30013", "Exradin A12", "NE 2571", "IBA FC65",
                            "Roos",      "Markus",      "CC13",    "A1SL"};
    for (int i = 0; i < 8; ++i) {
        int row = list.InsertItem(i, models[i]);
        list.SetItemText(row, 1, std::to_string(1000 + i * 37));
        list.SetItemData(row, i % 3 == 1 ? 260 : 0);
    }
    list.SetSelectedRow(2);

    CTouchTabCtrl tabs;
    fw::Window general, data, measurement, calibration;
    CLabel onGeneral;
    tabs.Create(&host, {340, 240, 630, 470}, 11);
    for (fw::Window* page : {&general, &data, &measurement, &calibration})
        page->Create(&host, {0, 0, 100, 100});
    onGeneral.Create(&general, {10, 10, 200, 40}, 0, "Brightness");
    onGeneral.SetFontHeight(18);
    tabs.AddPage("General", general);
    tabs.AddPage("Data", data);
    tabs.AddPage("Measure", measurement);
    tabs.AddPage("Cal", calibration);

    Picture("controls");
    tabs.SetCurSel(2);
    Picture("controls-tab3");
}

TEST_F(GalleryTest, MessageBoxes) {
    const int types[] = {0, 3, 4, 100};
    for (int type : types) {
        const std::string name = "msgbox-type" + std::to_string(type);
        ThenPicture(name);
        ThenTapText(type == 4 ? "No" : type == 100 ? "OK" : "Cancel");
        CMsgBox box("Are you sure?\r\nThis data cannot be recovered!", type);
        box.DoModal();
    }
    ThenPicture("msgbox-long");
    ThenTapText("OK");
    CMsgBox::Show(
        "A chamber and/or electrometer calibration is soon or past due.\r\nCheck the Chamber "
        "Library or Preferences for more information.",
        "Calibration", CMsgBox::kTypeOk);
}

TEST_F(GalleryTest, NoticeBox) {
    ThenPicture("notice");
    CNotifyBox notice("Saving data to USB...", 1000);
    notice.SetCancellable(true);
    ThenTapText("Cancel");
    notice.DoModal();
}

TEST_F(GalleryTest, Keypads) {
    CKeypadDlg alpha;
    alpha.SetTitleText("Enter Source Name");
    alpha.SetEntryText("Cs-137 ref");
    ThenPicture("keypad-alpha");
    ThenTapText("Shift");
    ThenPicture("keypad-alpha-shift");
    ThenTapText("Cancel");
    alpha.DoModal();

    CNumKeypadDlg number;
    number.SetTitleText("Enter Collection Time");
    number.SetEntryText("300");
    number.SetUnitText("Secs");
    number.SetQuickValues(true);
    number.SetShowRepeatChoice(true);
    number.SetRepeatChoice(1);
    ThenPicture("keypad-number");
    ThenTapText("Cancel");
    number.DoModal();

    CNumKeypadDlg bias;
    bias.SetTitleText("Enter Bias Value");
    bias.SetEntryText("-300");
    bias.SetUnitText("Volts");
    bias.SetDecimals(0);
    ThenPicture("keypad-bias");
    ThenTapText("Cancel");
    bias.DoModal();
}

TEST_F(GalleryTest, Menus) {
    CBttn menuButton, unitButton;
    menuButton.Create(&host, {10, 10, 90, 60}, 20);
    menuButton.SetBitmaps(228);
    menuButton.SetBitmapPosition(CBttn::BitmapPosition::Centre);
    unitButton.Create(&host, {520, 40, 630, 80}, 21, "Units");

    auto show = [&](CPopupMenu& menu, const std::string& name, const fw::Rect& at) {
        ThenPicture("menu-" + name);
        ThenTap(5, 475);  // outside: closes without a choice
        menu.Show(&host, at);
    };
    CPageMenu page;
    show(page, "page", menuButton.GetRect());
    CRangePopupMenu range;
    show(range, "range", {200, 100, 300, 140});
    CBiasPopupMenu bias(300);
    show(bias, "bias", {200, 100, 300, 140});
    CChgTypePopupMenu charge(30);
    show(charge, "chargetype", {200, 100, 300, 140});
    CDefChgTypePopupMenu defCharge;
    show(defCharge, "defchargetype", {200, 100, 300, 140});
    CPressSTDPopupMenu pressure;
    show(pressure, "pressure", {200, 100, 300, 140});
    CTempSTDPopupMenu temperature;
    show(temperature, "temperature", {200, 100, 300, 140});
    CSrcUnitPopupMenu source;
    show(source, "sourceunit", {200, 100, 300, 140});
    CCFUnitPopupMenu coefficient;
    show(coefficient, "cfunit", unitButton.GetRect());
    CDoseUnitsPopupMenu dose;
    show(dose, "doseunit", unitButton.GetRect());
    EXPECT_THAT(host.commands, IsEmpty());
}

}  // namespace
