// The panel's touch controls driven by taps: message-box answers per type, the timed notice,
// list selection and scrolling, the repeat button on the test clock, and tabs.
#include <map>

#include "controls/CLabel.h"
#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "controls/CRepeatBttn.h"
#include "controls/CTouchListCtrl.h"
#include "controls/CTouchTabCtrl.h"
#include "controls/ModalRegistry.h"
#include "controls_fixture.h"
#include "res/Resources.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using BehaviourTest = controls_test::ControlsTest;

// Each type's captions left to right and the answer a touch on one of them gives.
TEST_F(BehaviourTest, MessageBoxButtonsAndAnswersPerTypeAndStandbyClosesOne) {
    struct Case {
        int type;
        std::vector<std::string> captions;
        const char* tap;
        int result;
    };
    const Case cases[] = {{0, {"OK", "Cancel"}, "Cancel", 2},
                          {3, {"Yes", "No", "Cancel"}, "No", 7},
                          {4, {"Yes", "No"}, "Yes", 1},
                          {100, {"OK"}, "OK", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        std::map<int, std::string> byLeft;
        ThenDo([&] {
            for (const auto& t : Texts()) {
                if (t.text == "OK" || t.text == "Cancel" || t.text == "Yes" || t.text == "No")
                    byLeft[t.box.left] = t.text;
            }
            Picture("msgbox-type" + std::to_string(c.type));
        });
        ThenTapText(c.tap);
        CMsgBox box("Are you sure?\r\nThis data cannot be recovered!", c.type);
        EXPECT_EQ(box.DoModal(), c.result);
        std::vector<std::string> shown;
        for (const auto& [left, caption] : byLeft)
            shown.push_back(caption);
        EXPECT_THAT(shown, ElementsAreArray(c.captions));
    }
    // An open box is registered, and standby closes it with its own answer.
    ThenDo([&] {
        EXPECT_EQ(controls::OpenModals().size(), 1u);
        controls::DismissOpenModalsForStandby();
    });
    CMsgBox box("Save?", CMsgBox::kTypeYesNoCancel);
    EXPECT_EQ(box.DoModal(), kIdStandby);
    EXPECT_TRUE(controls::OpenModals().empty());
}

TEST_F(BehaviourTest, NoticeEndsAfterItsDurationItsTriesOrOnCancel) {
    CNotifyBox timed("Saving...", 1000);
    ThenDo([&] { clock->Advance(999); });
    ThenDo([&] {
        EXPECT_TRUE(timed.IsOpen());
        clock->Advance(1);
    });
    EXPECT_EQ(timed.DoModal(), fw::kIdOk);

    CNotifyBox searching("Searching for USB storage device", 500);
    searching.SetRetryCount(3);
    int checks = 0;
    searching.SetCompletionTest([&] { return ++checks < 0; });
    for (int i = 0; i < 3; ++i)
        ThenDo([&] { clock->Advance(500); });
    EXPECT_EQ(searching.DoModal(), fw::kIdCancel);
    EXPECT_EQ(checks, 3);

    CNotifyBox cancellable("Saving data to USB...", 5000);
    cancellable.SetCancellable(true);
    ThenDo([&] { Picture("notice"); });
    ThenTapText("Cancel");
    EXPECT_EQ(cancellable.DoModal(), fw::kIdCancel);
}

// Selection by touch, check-box toggling, and scrolling one line at a time.
TEST_F(BehaviourTest, ListRowsAreSelectedToggledAndScrolled) {
    CTouchListCtrl list;
    list.Create(&host, {10, 10, 330, 10 + 5 * 34}, 10);  // five rows of 34 pixels
    list.InsertColumn(0, "Model", CTouchListCtrl::kFormatLeft, 200);
    list.InsertColumn(1, "Serial", CTouchListCtrl::kFormatRight, 0);
    for (int i = 0; i < 8; ++i)
        list.SetItemText(list.InsertItem(i, "Chamber " + std::to_string(i)), 1,
                         std::to_string(100 + i));
    std::vector<int> changes;
    list.SetOnItemChanged([&](int row) { changes.push_back(row); });
    ASSERT_TRUE(TapText("Chamber 2"));
    EXPECT_EQ(list.GetSelectedRow(), 2);
    // Below the last row nothing is selected.
    CTouchListCtrl shortList;
    shortList.Create(&host, {10, 300, 330, 470}, 12);
    shortList.InsertColumn(0, "Model", CTouchListCtrl::kFormatLeft, 0);
    shortList.InsertItem(0, "Only");
    Tap(100, 450);
    EXPECT_EQ(shortList.GetSelectedRow(), -1);

    list.Scroll(1);
    EXPECT_FALSE(ScreenHasText("Chamber 0"));
    // The touched row is the row drawn there, not the row that was there before scrolling.
    Tap(50, list.GetRect().top + 5);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    for (int i = 0; i < 5; ++i)
        list.Scroll(1);
    EXPECT_EQ(list.TopIndex(), 3) << "stops with the last row at the bottom";
    list.Scroll(-1);
    EXPECT_EQ(list.TopIndex(), 2);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    // Check-box mode toggles the item data.
    list.SetCheckBoxMode(true);
    ASSERT_TRUE(TapText("Chamber 3"));
    EXPECT_EQ(list.GetItemData(3), 1);
    ASSERT_TRUE(TapText("Chamber 3"));
    EXPECT_EQ(list.GetItemData(3), 0);
    EXPECT_THAT(changes, ElementsAre(2, 1, 3, 3));
}

// Held: fires at once, after one second, then every quarter; sliding off stops it at the next
// tick; without a click handler the parent gets the command.
TEST_F(BehaviourTest, RepeatButtonOnTheTestClock) {
    struct Case {
        const char* what;
        int heldMs;
        bool slideOffAt1100;
        std::vector<int64_t> firedAt;
    };
    const Case cases[] = {
        {"a tap", 0, false, {0}},
        {"held 2.6 s", 2600, false, {0, 1000, 1250, 1500, 1750, 2000, 2250, 2500}},
        {"slid off", 3000, true, {0, 1000}},
    };
    const fw::Point on{130, 125}, off{300, 300};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRepeatBttn button;
        button.Create(&host, {100, 100, 160, 150}, 40);
        std::vector<int64_t> firedAt;
        const int64_t start = clock->NowMs();
        button.SetOnClick([&] { firedAt.push_back(clock->NowMs() - start); });
        Touch(fw::TouchKind::Down, on);
        if (c.slideOffAt1100) {
            Advance(1100);
            Touch(fw::TouchKind::Move, off);
            EXPECT_TRUE(button.IsPressed()) << "the face stays pressed until the tick";
            Advance(c.heldMs - 1100);
        } else {
            Advance(c.heldMs);
        }
        Touch(fw::TouchKind::Up, c.slideOffAt1100 ? off : on);
        Advance(2000);  // nothing after the finger is lifted
        EXPECT_EQ(firedAt, c.firedAt);
        EXPECT_FALSE(button.IsPressed());
    }
    CRepeatBttn plain;
    plain.Create(&host, {200, 100, 260, 150}, 41);
    Touch(fw::TouchKind::Down, {230, 125});
    Advance(1000);
    Touch(fw::TouchKind::Up, {230, 125});
    EXPECT_THAT(host.commands, ElementsAre(41, 41));
}

// Many long captions on a narrow control still fit, whichever tab is current.
TEST_F(BehaviourTest, TouchingATabShowsItsPageAndEveryCaptionFitsItsShare) {
    CTouchTabCtrl tabs;
    fw::Window pages[5];
    tabs.Create(&host, {10, 10, 330, 200}, 11);
    const char* captions[] = {"Electrometer", "Chamber", "Measurement", "Calibration", "Data"};
    for (int i = 0; i < 5; ++i) {
        pages[i].Create(&host, {0, 0, 10, 10});
        tabs.AddPage(captions[i], pages[i]);
    }
    ASSERT_TRUE(TapText("Measurement"));
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_TRUE(pages[2].IsVisible() && !pages[0].IsVisible());
    EXPECT_THAT(host.commands, ElementsAre(11));
    for (int i = 0; i < 5; ++i) {
        tabs.SetCurSel(i);
        EXPECT_TRUE(OverflowingTexts().empty()) << captions[i];
    }
}

// A unit too wide for its place is drawn whole in a smaller face; one that fits keeps its own.
TEST_F(BehaviourTest, AMarkedUnitTooWideForItsLabelIsDrawnSmallerAndWhole) {
    struct Row {
        const char* unit;
        int width;
        bool shrinks;
    } rows[] = {{"nA", 66, false}, {"Gym^2/(h*A)", 66, true}, {"\xC2\xB5Gym^2/(h*A)", 84, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.unit);
        CLabel unit;
        const fw::Rect place{100, 100, 100 + row.width, 130};
        unit.Create(&host, place, 0, row.unit);
        unit.SetMarkedText(true);
        unit.SetBold(true);
        unit.SetFontHeight(16);
        int face = 0;  // the base characters' height; raised ones are drawn smaller
        for (const fw::DrawnText& t : Texts()) {
            EXPECT_TRUE(place.Contains(t.extent)) << t.text;
            if (place.Contains(t.box))
                face = std::max(face, t.fontHeight);
        }
        EXPECT_EQ(face < 16, row.shrinks);
        EXPECT_GE(face, CLabel::kSmallestFittedHeight);
    }
}

// An icon beside a label's text shows the label's background around it, not its magenta key.
TEST_F(BehaviourTest, ALabelIconIsDrawnWithoutItsKeyColour) {
    CLabel due;
    const fw::Rect place{100, 100, 300, 140};
    due.Create(&host, place, 0, "Calibration due");
    due.SetBitmap(res::kBmpDueMarker);
    int key = 0;
    for (int y = place.top; y < place.bottom; ++y) {
        for (int x = place.left; x < place.right; ++x)
            key += fw::Loop().GetSurface().PixelAt(x, y) == fw::colors::kTransparentKey.argb;
    }
    EXPECT_EQ(key, 0);
}

}  // namespace
