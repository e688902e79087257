// The panel's touch controls driven by taps: message-box answers per type, list
// selection and scrolling, the repeat button on the test clock, tabs and the timed notice.
#include <gmock/gmock.h>

#include "ControlsFixture.h"
#include "controls/CBttn.h"
#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "controls/CRepeatBttn.h"
#include "controls/CTouchListCtrl.h"
#include "controls/CTouchTabCtrl.h"
#include "controls/ControlColors.h"
#include "controls/ModalRegistry.h"
#include "fw/ScriptText.h"

namespace {

using controls_test::ControlsTest;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;

class BehaviourTest : public ControlsTest {
  protected:
    void TearDown() override {
        EXPECT_TRUE(script->ScriptEmpty());
        ControlsTest::TearDown();
    }
    void Press(fw::Point p) {
        fw::Loop().InjectTouch({fw::TouchKind::Down, p});
        fw::Loop().ProcessReady();
    }
    void Slide(fw::Point p) {
        fw::Loop().InjectTouch({fw::TouchKind::Move, p});
        fw::Loop().ProcessReady();
    }
    void Lift(fw::Point p) {
        fw::Loop().InjectTouch({fw::TouchKind::Up, p});
        fw::Loop().ProcessReady();
    }
};

// ---- message boxes --------------------------------------------------------------------------

struct BoxCase {
    int type;
    const char* tap;
    int result;
};

class MsgBoxResultTest : public BehaviourTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MsgBoxResultTest, TheTouchedButtonGivesItsResult) {
    const BoxCase c = GetParam();
    ThenTapText(c.tap);
    CMsgBox box("Delete the chamber?", c.type);
    EXPECT_EQ(box.DoModal(), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    PerType, MsgBoxResultTest,
    ::testing::Values(BoxCase{0, "OK", 1}, BoxCase{0, "Cancel", 2}, BoxCase{3, "Yes", 1},
                      BoxCase{3, "No", 7}, BoxCase{3, "Cancel", 2}, BoxCase{4, "Yes", 1},
                      BoxCase{4, "No", 7}, BoxCase{100, "OK", 1}, BoxCase{1, "OK", 1}),
    [](const auto& param) {
        return "Type" + std::to_string(param.param.type) + "_" + param.param.tap;
    });

TEST_F(BehaviourTest, MessageBoxButtonsPerType) {
    // Captions left to right for each type; the text and the buttons fit the box.
    const std::pair<int, std::vector<std::string>> expected[] = {
        {0, {"OK", "Cancel"}}, {3, {"Yes", "No", "Cancel"}}, {4, {"Yes", "No"}}, {100, {"OK"}}};
    for (const auto& [type, captions] : expected) {
        std::vector<std::string> shown;
        ThenDo([&, type = type] {
            std::vector<fw::DrawnText> buttons;
            for (const auto& t : Texts()) {
                if (t.text == "OK" || t.text == "Cancel" || t.text == "Yes" || t.text == "No")
                    buttons.push_back(t);
            }
            std::sort(buttons.begin(), buttons.end(),
                      [](const auto& a, const auto& b) { return a.box.left < b.box.left; });
            for (const auto& b : buttons)
                shown.push_back(b.text);
            EXPECT_THAT(Overflowing(), IsEmpty()) << "type " << type;
            EXPECT_TRUE(ScreenHasText("Are you sure?"));
        });
        ThenTapText(captions.back());
        CMsgBox box("Are you sure?\r\nThis data cannot be recovered!", type);
        box.DoModal();
        EXPECT_THAT(shown, ElementsAreArray(captions)) << "type " << type;
    }
}

TEST_F(BehaviourTest, TypeFourNoTakesTheRightHandPlaceAndTheOkOnlyBoxIsCentred) {
    fw::Rect no, okOnly, cancel;
    ThenDo([&] { no = FindText("No")->box; });
    ThenTapText("No");
    CMsgBox yesNo("Overwrite?", CMsgBox::kTypeYesNo);
    yesNo.DoModal();
    ThenDo([&] { cancel = FindText("Cancel")->box; });
    ThenTapText("Cancel");
    CMsgBox three("Save?", CMsgBox::kTypeYesNoCancel);
    three.DoModal();
    EXPECT_EQ(no, cancel) << "No sits where Cancel sits in the three-button box";

    ThenDo([&] { okOnly = FindText("OK")->box; });
    ThenTapText("OK");
    CMsgBox ok("Done.", CMsgBox::kTypeOk);
    ok.DoModal();
    EXPECT_EQ((okOnly.left + okOnly.right) / 2, fw::kScreenWidth / 2);
}

TEST_F(BehaviourTest, MessageTextIsWhiteOnTheDialogColour) {
    ThenDo([&] {
        auto t = FindText("Device not found.");
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(t->color, fw::colors::kWhite);
        EXPECT_EQ(t->fontHeight, 20);
        const uint32_t px = fw::Loop().GetSurface().PixelAt(t->box.left + 1, t->box.top + 1);
        EXPECT_EQ(px & 0xFFFFFF, controls::kDialogBackground.argb & 0xFFFFFF);
    });
    ThenTapText("OK");
    CMsgBox::Show("Device not found.");
}

TEST_F(BehaviourTest, ALongMessageWrapsInsideTheBox) {
    ThenDo([&] { EXPECT_THAT(Overflowing(), IsEmpty()); });
    ThenTapText("OK");
    CMsgBox::Show(
        "A chamber and/or electrometer calibration is soon or past due.\r\nCheck the Chamber "
        "Library or Preferences for more information.");
}

TEST_F(BehaviourTest, MessageBoxIsRegisteredAsOpenAndStandbyClosesItWithThree) {
    ThenDo([&] {
        EXPECT_EQ(controls::OpenModals().size(), 1u);
        controls::DismissOpenModalsForStandby();
    });
    CMsgBox box("Save?", CMsgBox::kTypeYesNoCancel);
    EXPECT_EQ(box.DoModal(), kIdStandby);
    EXPECT_TRUE(controls::OpenModals().empty());
}

TEST_F(BehaviourTest, MessageBoxHandlerShowsTheBox) {
    CMsgBox::InstallAsMessageBoxHandler();
    ThenTapText("No");
    EXPECT_EQ(fw::ShowMessageBox("Overwrite?", "", CMsgBox::kTypeYesNo), CMsgBox::kResultNo);
    fw::SetMessageBoxHandler(nullptr);
}

// ---- notification box -----------------------------------------------------------------------

TEST_F(BehaviourTest, NoticeClosesItselfAfterItsDuration) {
    CNotifyBox notice("Saving...", 1000);
    int64_t closedAt = -1;
    ThenDo([&] {
        EXPECT_TRUE(ScreenHasText("Saving..."));
        EXPECT_FALSE(ScreenHasText("Cancel")) << "not cancellable";
        clock->Advance(999);
    });
    ThenDo([&] {
        EXPECT_TRUE(notice.IsOpen());
        clock->Advance(1);
    });
    EXPECT_EQ(notice.DoModal(), fw::kIdOk);
    closedAt = clock->NowMs();
    EXPECT_EQ(closedAt, 1000);
}

TEST_F(BehaviourTest, NoticeWithACompletionTestGivesUpAfterItsTries) {
    CNotifyBox notice("Searching for USB storage device", 500);
    notice.SetRetryCount(3);
    int checks = 0;
    notice.SetCompletionTest([&] {
        ++checks;
        return false;
    });
    for (int i = 0; i < 3; ++i)
        ThenDo([&] { clock->Advance(500); });
    EXPECT_EQ(notice.DoModal(), fw::kIdCancel);
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(clock->NowMs(), 1500);
}

TEST_F(BehaviourTest, CancellableNoticeEndsWithTwoOnCancel) {
    CNotifyBox notice("Saving...", 5000);
    notice.SetCancellable(true);
    ThenTapText("Cancel");
    EXPECT_EQ(notice.DoModal(), fw::kIdCancel);
}

// ---- list -----------------------------------------------------------------------------------

class ListTest : public BehaviourTest {
  protected:
    void SetUp() override {
        BehaviourTest::SetUp();
        list.Create(&host, {10, 10, 330, 10 + 5 * 34}, 10);  // five rows of 34 pixels
        list.InsertColumn(0, "Model", CTouchListCtrl::kFormatLeft, 200);
        list.InsertColumn(1, "Serial", CTouchListCtrl::kFormatRight, 0);
        for (int i = 0; i < 8; ++i) {
            int row = list.InsertItem(i, "Chamber " + std::to_string(i));
            list.SetItemText(row, 1, std::to_string(100 + i));
        }
        list.SetOnItemChanged([this](int row) { changes.push_back(row); });
        up.Create(&host, {340, 10, 400, 60}, 30, "Up");
        down.Create(&host, {340, 70, 400, 120}, 31, "Down");
        up.SetOnClick([this] { list.Scroll(-1); });
        down.SetOnClick([this] { list.Scroll(1); });
    }
    // The first column texts drawn, top to bottom.
    std::vector<std::string> VisibleModels() {
        std::vector<std::string> out;
        for (const auto& t : Texts()) {
            if (t.text.rfind("Chamber ", 0) == 0 && list.GetRect().Contains(t.box))
                out.push_back(t.text);
        }
        return out;
    }
    CTouchListCtrl list;
    CRepeatBttn up, down;
    std::vector<int> changes;
};

TEST_F(ListTest, TouchedRowIsSelectedAndDrawnGreenWithWhiteText) {
    ASSERT_TRUE(TapText("Chamber 2"));
    EXPECT_EQ(list.GetSelectedRow(), 2);
    EXPECT_THAT(changes, ElementsAre(2));
    auto selected = FindText("Chamber 2");
    auto other = FindText("Chamber 1");
    ASSERT_TRUE(selected && other);
    EXPECT_EQ(selected->color, fw::colors::kWhite);
    EXPECT_EQ(other->color, fw::colors::kBlack);
    EXPECT_EQ(FindText("102")->color, fw::colors::kWhite) << "the whole row";
    const uint32_t px = fw::Loop().GetSurface().PixelAt(list.GetRect().left + 1,
                                                       selected->box.top + 1);
    EXPECT_EQ(px & 0xFFFFFF, controls::kSelectedRow.argb & 0xFFFFFF);
    // Text 4 pixels in from the cell's left edge; the serial column right-aligned.
    EXPECT_EQ(selected->extent.left, list.GetRect().left + 4);
    EXPECT_LE(FindText("102")->extent.right, list.GetRect().right);
    EXPECT_GT(FindText("102")->extent.right, list.GetRect().right - 12);
}

TEST_F(ListTest, TouchingBelowTheRowsSelectsNothing) {
    CTouchListCtrl shortList;
    shortList.Create(&host, {10, 300, 330, 470}, 12);
    shortList.InsertColumn(0, "Model", CTouchListCtrl::kFormatLeft, 0);
    shortList.InsertItem(0, "Only");
    Tap(100, 450);
    EXPECT_EQ(shortList.GetSelectedRow(), -1);
}

TEST_F(ListTest, ScrollButtonsMoveTheRowsOneLineAtATime) {
    EXPECT_THAT(VisibleModels(), ElementsAre("Chamber 0", "Chamber 1", "Chamber 2", "Chamber 3",
                                             "Chamber 4"));
    ASSERT_TRUE(TapText("Down"));
    EXPECT_EQ(list.TopIndex(), 1);
    EXPECT_EQ(VisibleModels().front(), "Chamber 1");
    // The touched row is the row drawn there, not the row that was there before scrolling.
    Tap(50, list.GetRect().top + 5);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    for (int i = 0; i < 5; ++i)
        TapText("Down");
    EXPECT_EQ(list.TopIndex(), 3) << "stops with the last row at the bottom";
    EXPECT_EQ(VisibleModels().back(), "Chamber 7");
    EXPECT_FALSE(list.CanScrollDown());
    ASSERT_TRUE(TapText("Up"));
    EXPECT_EQ(list.TopIndex(), 2);
    EXPECT_EQ(list.GetSelectedRow(), 1) << "scrolling keeps the selection";
}

TEST_F(ListTest, CheckBoxModeTogglesTheItemData) {
    list.SetCheckBoxMode(true);
    ASSERT_TRUE(TapText("Chamber 1"));
    EXPECT_EQ(list.GetItemData(1), 1);
    ASSERT_TRUE(TapText("Chamber 1"));
    EXPECT_EQ(list.GetItemData(1), 0);
    EXPECT_THAT(changes, ElementsAre(1, 1));
}

TEST_F(ListTest, BitmapModeShowsTheRowsBitmapBeforeTheText) {
    list.SetBitmapMode(true, true, fw::colors::kTransparentKey);
    list.SetItemData(1, 260);
    const int withBitmap = FindText("Chamber 1")->extent.left;
    const int without = FindText("Chamber 0")->extent.left;
    EXPECT_EQ(without, list.GetRect().left + 4) << "item data 0 shows no bitmap";
    EXPECT_EQ(withBitmap, list.GetRect().left + 3 + fw::Dc::BitmapSize(260).cx + 4);
}

// ---- repeat button --------------------------------------------------------------------------

class RepeatTest : public BehaviourTest {
  protected:
    void SetUp() override {
        BehaviourTest::SetUp();
        button.Create(&host, {100, 100, 160, 150}, 40);
        button.SetOnClick([this] { firedAt.push_back(clock->NowMs()); });
    }
    CRepeatBttn button;
    std::vector<int64_t> firedAt;
    const fw::Point on{130, 125};
};

TEST_F(RepeatTest, HeldForTwoPointSixSecondsFiresAtZeroOneSecondThenEveryQuarter) {
    Press(on);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(button.State(), CRepeatBttn::RepeatState::FirstDelay);
    Advance(2600);
    EXPECT_EQ(button.State(), CRepeatBttn::RepeatState::Repeating);
    Lift(on);
    EXPECT_THAT(firedAt, ElementsAre(0, 1000, 1250, 1500, 1750, 2000, 2250, 2500));
    EXPECT_EQ(button.State(), CRepeatBttn::RepeatState::Idle);
    EXPECT_FALSE(button.IsPressed());
    Advance(2000);
    EXPECT_EQ(firedAt.size(), 8u) << "nothing after the finger is lifted";
}

TEST_F(RepeatTest, ATapFiresOnce) {
    Tap(on.x, on.y);
    Advance(3000);
    EXPECT_THAT(firedAt, ElementsAre(0));
}

TEST_F(RepeatTest, SlidingOffStopsAtTheNextTick) {
    Press(on);
    Advance(1100);
    EXPECT_THAT(firedAt, ElementsAre(0, 1000));
    Slide({300, 300});
    EXPECT_TRUE(button.IsPressed()) << "the face stays pressed until the tick";
    Advance(250);
    EXPECT_THAT(firedAt, ElementsAre(0, 1000));
    EXPECT_EQ(button.State(), CRepeatBttn::RepeatState::Idle);
    EXPECT_FALSE(button.IsPressed());
    Advance(2000);
    Lift({300, 300});
    EXPECT_THAT(firedAt, ElementsAre(0, 1000));
}

TEST_F(RepeatTest, WithoutAClickHandlerTheParentGetsTheCommand) {
    CRepeatBttn plain;
    plain.Create(&host, {200, 100, 260, 150}, 41);
    Press({230, 125});
    Advance(1000);
    Lift({230, 125});
    EXPECT_THAT(host.commands, ElementsAre(41, 41));
}

// ---- buttons --------------------------------------------------------------------------------

TEST_F(BehaviourTest, TwoLineCaptionIsDrawnOnTwoCentredLines) {
    CBttn b;
    b.Create(&host, {400, 10, 560, 80}, 4, "Edit\r\nChamber/Calibration");
    b.SetFontHeight(18);
    auto first = FindText("Edit");
    auto second = FindText("Chamber/Calibration");
    ASSERT_TRUE(first && second);
    EXPECT_GT(second->extent.top, first->extent.top);
    const int centre = (b.GetRect().left + b.GetRect().right) / 2;
    EXPECT_NEAR((first->extent.left + first->extent.right) / 2, centre, 1);
    EXPECT_NEAR((second->extent.left + second->extent.right) / 2, centre, 1);
    EXPECT_THAT(Overflowing(), IsEmpty());
}

TEST_F(BehaviourTest, CheckBoxButtonTogglesItsMarkOnEachClick) {
    CBttn b;
    b.Create(&host, {10, 10, 200, 60}, 6, "Blue");
    b.SetCheckBoxMode(true);
    ASSERT_TRUE(TapText("Blue"));
    EXPECT_TRUE(b.IsMarked());
    ASSERT_TRUE(TapText("Blue"));
    EXPECT_FALSE(b.IsMarked());
    EXPECT_THAT(host.commands, ElementsAre(6, 6));
}

TEST_F(BehaviourTest, DisabledButtonIgnoresTapsAndIsDrawnGrey) {
    CBttn b;
    b.Create(&host, {10, 10, 200, 60}, 5, "Delete");
    b.Enable(false);
    EXPECT_EQ(FindText("Delete")->color, controls::kDisabled);
    TapText("Delete");
    EXPECT_THAT(host.commands, IsEmpty());
}

// ---- marked text ----------------------------------------------------------------------------

TEST_F(BehaviourTest, MarkedTextWidthMatchesWhatIsDrawn) {
    // The width used to centre a unit label must be the width drawn, or centred labels
    // and menu items spill over their right edge.
    fw::Dc dc(fw::Loop().GetSurface());
    dc.SetFont(fw::FontSpec{"Tahoma", 18, fw::kWeightNormal});
    const int measured = fw::ScriptTextWidth(dc, "N_D_W:mGy/(sec*A)");
    fw::Loop().GetSurface().BeginFrame();
    fw::DrawScriptText(dc, "N_D_W:mGy/(sec*A)", {0, 0, 400, 40}, 0);
    int right = 0;
    for (const auto& t : fw::Loop().GetSurface().Texts())
        right = std::max(right, t.extent.right);
    EXPECT_EQ(right, measured);
}

// ---- tabs -----------------------------------------------------------------------------------

class TabTest : public BehaviourTest {
  protected:
    class Page : public fw::Window {
      public:
        bool OnMessage(const fw::Message& m) override {
            if (m.id == CTouchTabCtrl::kPageShowing)
                events.push_back("show");
            if (m.id == CTouchTabCtrl::kPageHiding)
                events.push_back("hide");
            return true;
        }
        std::vector<std::string> events;
    };
};

TEST_F(TabTest, TouchingATabShowsItsPageAndEveryCaptionFits) {
    CTouchTabCtrl tabs;
    Page general, data, measure, cal;
    tabs.Create(&host, {340, 240, 630, 470}, 11);
    for (Page* p : {&general, &data, &measure, &cal})
        p->Create(&host, {0, 0, 100, 100});
    tabs.AddPage("General", general);
    tabs.AddPage("Data", data);
    tabs.AddPage("Measure", measure);
    tabs.AddPage("Cal", cal);
    EXPECT_TRUE(general.IsVisible());
    EXPECT_FALSE(measure.IsVisible());
    EXPECT_EQ(FindText("General")->color, fw::colors::kWhite);
    ASSERT_TRUE(TapText("Measure"));
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_TRUE(measure.IsVisible());
    EXPECT_FALSE(general.IsVisible());
    EXPECT_THAT(general.events, ElementsAre("show", "hide"));
    EXPECT_THAT(measure.events, ElementsAre("show"));
    EXPECT_EQ(FindText("Measure")->color, fw::colors::kWhite);
    EXPECT_EQ(FindText("General")->color, fw::colors::kBlack);
    EXPECT_THAT(Overflowing(), IsEmpty());
    EXPECT_THAT(host.commands, ElementsAre(11));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(tabs.GetRect().Contains(tabs.TabRect(i))) << i;
}

TEST_F(TabTest, ManyLongCaptionsStillFit) {
    CTouchTabCtrl tabs;
    Page a, b, c, d, e;
    tabs.Create(&host, {10, 10, 330, 200}, 12);
    const char* captions[] = {"Electrometer", "Chamber", "Measurement", "Calibration", "Data"};
    Page* pages[] = {&a, &b, &c, &d, &e};
    for (int i = 0; i < 5; ++i) {
        pages[i]->Create(&host, {0, 0, 10, 10});
        tabs.AddPage(captions[i], *pages[i]);
    }
    for (int i = 0; i < 5; ++i) {
        tabs.SetCurSel(i);
        EXPECT_THAT(Overflowing(), IsEmpty()) << captions[i];
    }
}

}  // namespace
