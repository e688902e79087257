// The panel's touch controls driven by taps: message-box answers per type, the timed notice,
// list selection and scrolling, the repeat button on the test clock, buttons and tabs.
#include <algorithm>
#include <map>

#include "controls/CBttn.h"
#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "controls/CRepeatBttn.h"
#include "controls/CTouchListCtrl.h"
#include "controls/CTouchTabCtrl.h"
#include "controls/ControlColors.h"
#include "controls/ModalRegistry.h"
#include "controls_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using BehaviourTest = controls_test::ControlsTest;

uint32_t Rgb(uint32_t argb) {
    return argb & 0xFFFFFF;
}

// Every button of every type: the captions left to right, where they sit (No of the two-button
// box where Cancel sits in the three-button box; OK alone centred) and the answer a touch gives.
TEST_F(BehaviourTest, MessageBoxButtonsAndAnswersPerType) {
    struct Case {
        int type;
        const char* tap;
        int result;
    };
    const Case cases[] = {{0, "OK", 1}, {0, "Cancel", 2}, {3, "Yes", 1},
                          {3, "No", 7}, {3, "Cancel", 2}, {4, "Yes", 1},
                          {4, "No", 7}, {100, "OK", 1},   {1, "OK", 1}};
    const std::map<int, std::vector<std::string>> captions = {{0, {"OK", "Cancel"}},
                                                              {1, {"OK"}},
                                                              {3, {"Yes", "No", "Cancel"}},
                                                              {4, {"Yes", "No"}},
                                                              {100, {"OK"}}};
    std::map<std::string, fw::Rect> place;  // "type/caption"
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.tap);
        std::vector<fw::DrawnText> buttons;
        ThenDo([&] {
            for (const auto& t : Texts()) {
                if (t.text == "OK" || t.text == "Cancel" || t.text == "Yes" || t.text == "No")
                    buttons.push_back(t);
            }
            EXPECT_TRUE(ScreenHasText("Are you sure?"));
            Picture("msgbox-type" + std::to_string(c.type));
        });
        ThenTapText(c.tap);
        CMsgBox box("Are you sure?\r\nThis data cannot be recovered!", c.type);
        EXPECT_EQ(box.DoModal(), c.result);
        std::sort(buttons.begin(), buttons.end(),
                  [](const auto& a, const auto& b) { return a.box.left < b.box.left; });
        std::vector<std::string> shown;
        for (const auto& b : buttons) {
            shown.push_back(b.text);
            place[std::to_string(c.type) + "/" + b.text] = b.box;
        }
        EXPECT_THAT(shown, ElementsAreArray(captions.at(c.type)));
    }
    EXPECT_EQ(place["4/No"], place["3/Cancel"]);
    EXPECT_EQ((place["100/OK"].left + place["100/OK"].right) / 2, fw::kScreenWidth / 2);
}

TEST_F(BehaviourTest, ALongMessageWrapsInsideTheBox) {
    ThenPicture("msgbox-long");
    ThenTapText("OK");
    CMsgBox::Show(
        "A chamber and/or electrometer calibration is soon or past due.\r\nCheck the Chamber "
        "Library or Preferences for more information.",
        "Calibration");
}

TEST_F(BehaviourTest, MessageBoxIsRegisteredWhileOpenAndStandbyClosesItWithThree) {
    ThenDo([&] {
        EXPECT_EQ(controls::OpenModals().size(), 1u);
        controls::DismissOpenModalsForStandby();
    });
    CMsgBox box("Save?", CMsgBox::kTypeYesNoCancel);
    EXPECT_EQ(box.DoModal(), kIdStandby);
    EXPECT_TRUE(controls::OpenModals().empty());
    // The framework's message boxes are these boxes.
    CMsgBox::InstallAsMessageBoxHandler();
    ThenTapText("No");
    EXPECT_EQ(fw::ShowMessageBox("Overwrite?", "", CMsgBox::kTypeYesNo), CMsgBox::kResultNo);
    fw::SetMessageBoxHandler(nullptr);
}

TEST_F(BehaviourTest, NoticeEndsAfterItsDurationItsTriesOrOnCancel) {
    CNotifyBox timed("Saving...", 1000);
    ThenDo([&] {
        EXPECT_TRUE(ScreenHasText("Saving..."));
        EXPECT_FALSE(ScreenHasText("Cancel")) << "not cancellable";
        clock->Advance(999);
    });
    ThenDo([&] {
        EXPECT_TRUE(timed.IsOpen());
        clock->Advance(1);
    });
    EXPECT_EQ(timed.DoModal(), fw::kIdOk);
    EXPECT_EQ(clock->NowMs(), 1000);

    CNotifyBox searching("Searching for USB storage device", 500);
    searching.SetRetryCount(3);
    int checks = 0;
    searching.SetCompletionTest([&] { return ++checks < 0; });
    for (int i = 0; i < 3; ++i)
        ThenDo([&] { clock->Advance(500); });
    EXPECT_EQ(searching.DoModal(), fw::kIdCancel);
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(clock->NowMs(), 2500);

    CNotifyBox cancellable("Saving data to USB...", 5000);
    cancellable.SetCancellable(true);
    ThenPicture("notice");
    ThenTapText("Cancel");
    EXPECT_EQ(cancellable.DoModal(), fw::kIdCancel);
}

class ListTest : public BehaviourTest {
  protected:
    void SetUp() override {
        BehaviourTest::SetUp();
        list.Create(&host, {10, 10, 330, 10 + 5 * 34}, 10);  // five rows of 34 pixels
        list.InsertColumn(0, "Model", CTouchListCtrl::kFormatLeft, 200);
        list.InsertColumn(1, "Serial", CTouchListCtrl::kFormatRight, 0);
        for (int i = 0; i < 8; ++i)
            list.SetItemText(list.InsertItem(i, "Chamber " + std::to_string(i)), 1,
                             std::to_string(100 + i));
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
    auto selected = FindText("Chamber 2");
    auto serial = FindText("102");
    ASSERT_TRUE(selected && serial);
    EXPECT_EQ(selected->color, fw::colors::kWhite);
    EXPECT_EQ(serial->color, fw::colors::kWhite) << "the whole row";
    EXPECT_EQ(FindText("Chamber 1")->color, fw::colors::kBlack);
    EXPECT_EQ(Rgb(fw::Loop().GetSurface().PixelAt(list.GetRect().left + 1, selected->box.top + 1)),
              Rgb(controls::kSelectedRow.argb));
    // Below the last row nothing is selected.
    CTouchListCtrl shortList;
    shortList.Create(&host, {10, 300, 330, 470}, 12);
    shortList.InsertColumn(0, "Model", CTouchListCtrl::kFormatLeft, 0);
    shortList.InsertItem(0, "Only");
    Tap(100, 450);
    EXPECT_EQ(shortList.GetSelectedRow(), -1);
    // Check-box mode toggles the item data.
    list.SetCheckBoxMode(true);
    ASSERT_TRUE(TapText("Chamber 3"));
    EXPECT_EQ(list.GetItemData(3), 1);
    ASSERT_TRUE(TapText("Chamber 3"));
    EXPECT_EQ(list.GetItemData(3), 0);
    EXPECT_THAT(changes, ElementsAre(2, 3, 3));
}

TEST_F(ListTest, ScrollButtonsMoveTheRowsOneLineAtATime) {
    EXPECT_THAT(VisibleModels(),
                ElementsAre("Chamber 0", "Chamber 1", "Chamber 2", "Chamber 3", "Chamber 4"));
    ASSERT_TRUE(TapText("Down"));
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
        EXPECT_EQ(button.State(), CRepeatBttn::RepeatState::FirstDelay);
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
        EXPECT_EQ(button.State(), CRepeatBttn::RepeatState::Idle);
        EXPECT_FALSE(button.IsPressed());
    }
    CRepeatBttn plain;
    plain.Create(&host, {200, 100, 260, 150}, 41);
    Touch(fw::TouchKind::Down, {230, 125});
    Advance(1000);
    Touch(fw::TouchKind::Up, {230, 125});
    EXPECT_THAT(host.commands, ElementsAre(41, 41));
}

TEST_F(BehaviourTest, CheckBoxButtonsToggleTheirMarkAndDisabledButtonsIgnoreTaps) {
    CBttn check, disabled;
    check.Create(&host, {10, 10, 200, 60}, 6, "Blue");
    check.SetCheckBoxMode(true);
    disabled.Create(&host, {10, 100, 200, 150}, 5, "Delete");
    disabled.Enable(false);
    ASSERT_TRUE(TapText("Blue"));
    EXPECT_TRUE(check.IsMarked());
    ASSERT_TRUE(TapText("Blue"));
    EXPECT_FALSE(check.IsMarked());
    EXPECT_EQ(FindText("Delete")->color, controls::kDisabled);
    TapText("Delete");
    EXPECT_THAT(host.commands, ElementsAre(6, 6));
}

class Page : public fw::Window {
  public:
    bool OnMessage(const fw::Message& m) override {
        if (m.id == CTouchTabCtrl::kPageShowing || m.id == CTouchTabCtrl::kPageHiding)
            events.push_back(m.id == CTouchTabCtrl::kPageShowing ? "show" : "hide");
        return true;
    }
    std::vector<std::string> events;
};

TEST_F(BehaviourTest, TouchingATabShowsItsPageAndEveryCaptionFitsItsShare) {
    CTouchTabCtrl tabs;
    Page general, data, measure, cal;
    tabs.Create(&host, {340, 240, 630, 470}, 11);
    for (auto [page, caption] :
         {std::pair{&general, "General"}, {&data, "Data"}, {&measure, "Measure"}, {&cal, "Cal"}}) {
        page->Create(&host, {0, 0, 100, 100});
        tabs.AddPage(caption, *page);
    }
    EXPECT_TRUE(general.IsVisible() && !measure.IsVisible());
    EXPECT_EQ(FindText("General")->color, fw::colors::kWhite);
    ASSERT_TRUE(TapText("Measure"));
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_TRUE(measure.IsVisible() && !general.IsVisible());
    EXPECT_THAT(general.events, ElementsAre("show", "hide"));
    EXPECT_THAT(measure.events, ElementsAre("show"));
    EXPECT_EQ(FindText("Measure")->color, fw::colors::kWhite);
    EXPECT_EQ(FindText("General")->color, fw::colors::kBlack);
    EXPECT_THAT(host.commands, ElementsAre(11));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(tabs.GetRect().Contains(tabs.TabRect(i))) << i;

    // Many long captions on a narrow control still fit, whichever tab is current.
    CTouchTabCtrl narrow;
    Page pages[5];
    narrow.Create(&host, {10, 10, 330, 200}, 12);
    const char* captions[] = {"Electrometer", "Chamber", "Measurement", "Calibration", "Data"};
    for (int i = 0; i < 5; ++i) {
        pages[i].Create(&host, {0, 0, 10, 10});
        narrow.AddPage(captions[i], pages[i]);
    }
    for (int i = 0; i < 5; ++i) {
        narrow.SetCurSel(i);
        EXPECT_THAT(Overflowing(), IsEmpty()) << captions[i];
    }
}

}  // namespace
