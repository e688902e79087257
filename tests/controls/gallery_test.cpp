// Renders every control to PNG files under screens/ for people to look at, and checks that
// every text fits the control it was drawn in. The boxes, keypads and menus are pictured by
// their own tests.
#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CRepeatBttn.h"
#include "controls/CTouchListCtrl.h"
#include "controls/CTouchTabCtrl.h"
#include "controls/ControlColors.h"
#include "controls_fixture.h"

namespace {

using GalleryTest = controls_test::ControlsTest;

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

}  // namespace
