// The screens' shared behaviour: the board's power events, the standby request with its save
// offer, open dialogs and menus closed by standby, navigation through the page commands.
#include <filesystem>
#include <fstream>
#include <functional>

#include "controls/CKeypadDlg.h"
#include "controls/MenuCommands.h"
#include "controls/PopupMenus.h"
#include "screens/CPlaceholderView.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "screens/CZeroDlg.h"
#include "screens/ViewFactory.h"
#include "screens/framework_fixture.h"

namespace {

using screens_test::FrameworkFixture;

class BoardEvents : public FrameworkFixture {};

TEST_F(BoardEvents, PollRepeatsUntilTheBoardIsReadyThenTheSplashTakesOver) {
    CStandbyView* standby = Show<CStandbyView>();
    link->Board().SetAnswersPoll(false);
    standby->StartBoardPoll();
    Advance(1600);
    EXPECT_EQ(SentCodes(), (std::vector<uint8_t>{0x85, 0x85, 0x85}));
    const fw::WindowHandle standbyHandle = standby->Handle();
    Post(WM_BOARD_READY);
    EXPECT_TRUE(ActiveIs<CSplashView>());
    EXPECT_FALSE(fw::Loop().HasTimer(standbyHandle, IDT_BOARD_POLL));
}

TEST_F(BoardEvents, WakeAndPowerOnReturnThroughTheWarmUpWithAnAcknowledgement) {
    Show<CStandbyView>();
    Post(WM_BOARD_WAKE);
    EXPECT_TRUE(ActiveIs<CSplashView>());
    EXPECT_EQ(link->Board().CommandCount(0x87), 1);

    Show<CStandbyView>();
    board::ResetPanel();
    doc->Brightness = 5;
    Post(WM_BOARD_POWER_ON);
    EXPECT_TRUE(ActiveIs<CSplashView>());
    EXPECT_EQ(link->Board().CommandCount(0x87), 2);
    // The backlight is lit at the document's brightness before the warm-up starts.
    EXPECT_TRUE(board::Panel().backlightOn);
    EXPECT_EQ(board::Panel().dutyPercent, 35);
}

class StandbyRequest : public FrameworkFixture {};

TEST_F(StandbyRequest, IsRefusedWhileCollectingAndTheScreenStays) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    doc->Collecting = 1;
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0xFF});
    EXPECT_EQ(Active(), view);
}

TEST_F(StandbyRequest, IsRefusedWhileZeroing) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    view->BeginZeroing(0);
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0xFF});
    EXPECT_EQ(Active(), view);
    EXPECT_TRUE(view->ZeroDialogOpen());
}

TEST_F(StandbyRequest, WithNothingUnsavedGoesDarkAndAccepts) {
    Show<CScintPlaceholderView>();
    board::ResetPanel();
    Post(WM_BOARD_STANDBY);
    using board::PanelAction;
    // The enable line goes low with the change announced, then the PWM and the sound.
    EXPECT_EQ(board::Panel().steps,
              (std::vector<board::PanelStep>{{PanelAction::EnablePin, 0},
                                             {PanelAction::BacklightPower, 0},
                                             {PanelAction::ChangeAnnounced, 1},
                                             {PanelAction::EnablePin, 0},
                                             {PanelAction::Duty, 0},
                                             {PanelAction::Volume, 0}}));
    EXPECT_TRUE(ActiveIs<CStandbyView>());
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
    EXPECT_EQ(link->Board().LastStandbyStatus(), 0x00);
    EXPECT_EQ(fw::LastPlayedSound(), "SNDAPPEXIT");
    EXPECT_FALSE(board::Panel().backlightOn);
    EXPECT_EQ(board::Panel().dutyPercent, 0);
    EXPECT_EQ(board::Panel().volumeSetting, 0u);
}

TEST_F(StandbyRequest, CancelOnTheSaveOfferKeepsTheInstrumentOnAndTheRows) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    AddUnsavedRow();
    script->Then([this] {
        EXPECT_TRUE(ScreenShows("Do you want to save?"));
        Screenshot("framework_standby_save_offer.png");
    });
    ThenTapText("Cancel");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0xFF});
    EXPECT_EQ(Active(), view);
    EXPECT_EQ(doc->MeasList.size(), 1u);
    EXPECT_TRUE(doc->DataUnsaved);
}

TEST_F(StandbyRequest, NoOnTheSaveOfferDropsTheRowsAndGoesToStandby) {
    Show<CScintPlaceholderView>();
    AddUnsavedRow();
    ThenTapText("No");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
    EXPECT_TRUE(ActiveIs<CStandbyView>());
    EXPECT_TRUE(doc->MeasList.empty());
    EXPECT_FALSE(doc->DataUnsaved);
    EXPECT_EQ(doc->TitleSaved, 0);
}

TEST_F(StandbyRequest, YesSavesTheRowsUnderTheTitleBeforeStandby) {
    Show<CScintPlaceholderView>();
    AddUnsavedRow();
    doc->Title = "Morning";
    ThenTapText("Yes");
    // The save-file box of every data-set save, captioned "Save", with the title preset.
    script->Then([this] {
        EXPECT_TRUE(ScreenHasText("Save"));
        EXPECT_TRUE(ScreenShows("Morning"));
        Screenshot("framework_standby_save_name.png");
    });
    ThenTapText("OK");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
    EXPECT_TRUE(ActiveIs<CStandbyView>());
    std::ifstream file(root->Usb() / "Morning.csv");
    ASSERT_TRUE(file.good());
    std::string header;
    EXPECT_TRUE(std::getline(file, header) && !header.empty());
}

// The save-file box's own checks: no OK without a name, an unsafe name told and asked again;
// giving up refuses the standby and keeps the rows.
TEST_F(StandbyRequest, ANameGivenUpRefusesInsteadOfDroppingTheRows) {
    struct Case {
        const char* title;
        std::function<void()> answerTheBox;
    };
    const Case cases[] = {
        {"", [this] { ThenTapText("OK"); }},  // not offered without a name: nothing happens
        {"../Morning",
         [this] {
             ThenTapText("OK");
             script->Then([this] { EXPECT_TRUE(ScreenShows("cannot contain")); });
             ThenTapText("OK");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Show<CScintPlaceholderView>();
        AddUnsavedRow();
        doc->Title = c.title;
        ThenTapText("Yes");
        c.answerTheBox();
        script->Then([this] { EXPECT_TRUE(ScreenShows("File name (touch to change):")); });
        ThenTapText("Cancel");
        const size_t answersBefore = StandbyAnswers().size();
        Post(WM_BOARD_STANDBY);
        EXPECT_TRUE(script->ScriptEmpty()) << "the box closed before it was answered";
        EXPECT_EQ(StandbyAnswers().size(), answersBefore + 1);
        EXPECT_EQ(StandbyAnswers().back(), 0xFF);
        EXPECT_EQ(doc->MeasList.size(), 1u);
        EXPECT_TRUE(doc->DataUnsaved);
        EXPECT_TRUE(std::filesystem::is_empty(root->Usb()));
        doc->ClearMeasurements();
    }
}

// A name typed on the box's keypad is the one saved under.
TEST_F(StandbyRequest, ANameTypedInTheSaveBoxIsSavedUnder) {
    Show<CScintPlaceholderView>();
    AddUnsavedRow();
    doc->Title = "";
    ThenTapText("Yes");
    ThenTapText(" ");  // the empty name field
    script->Then([this] { EXPECT_TRUE(ScreenShows("Enter Filename")); });
    for (const char* key : {"r", "u", "n", "7"})
        ThenTapText(key);
    ThenTapText("Enter");
    ThenTapText("OK");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
    EXPECT_TRUE(std::filesystem::exists(root->Usb() / "run7.csv"));
    EXPECT_TRUE(doc->MeasList.empty());
}

// A folder where the data file should go makes the write fail.
class FailedWrite : public FrameworkFixture {
  protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        Show<CScintPlaceholderView>();
        AddUnsavedRow();
        doc->Title = "Blocked";
        std::filesystem::create_directories(root->Usb() / "Blocked.csv" / "inside");
        ThenTapText("Yes");
        ThenTapText("OK");
        script->Then([this] { EXPECT_TRUE(ScreenShows("overwrite?")); });
        ThenTapText("Yes");
        script->Then([this] { EXPECT_TRUE(ScreenShows("Would you like to try again?")); });
    }
};

TEST_F(FailedWrite, TryingAgainRefusesTheStandbyAndKeepsTheRows) {
    ThenTapText("Yes");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0xFF});
    EXPECT_EQ(doc->MeasList.size(), 1u);
    EXPECT_TRUE(doc->DataUnsaved);
}

TEST_F(FailedWrite, NotTryingAgainIsTheOperatorsChoiceToDropTheRows) {
    ThenTapText("No");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
    EXPECT_TRUE(doc->MeasList.empty());
}

TEST_F(StandbyRequest, NoStorageDeviceRefusesWithTheDeviceMessage) {
    Show<CScintPlaceholderView>();
    AddUnsavedRow();
    std::filesystem::remove_all(root->Usb());
    ThenTapText("Yes");
    ThenTapText("OK");
    script->Then([this] { EXPECT_TRUE(ScreenShows("Device not found")); });
    ThenTapText("OK");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0xFF});
    EXPECT_EQ(doc->MeasList.size(), 1u);
}

TEST_F(StandbyRequest, ASecondPressWhileTheOfferIsOpenIsRefusedAndTheFirstGoesOn) {
    Show<CScintPlaceholderView>();
    AddUnsavedRow();
    ThenPost(WM_BOARD_STANDBY);
    script->Then([this] { EXPECT_TRUE(ScreenShows("Do you want to save?")); });
    ThenTapText("No");
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(StandbyAnswers(), (std::vector<uint8_t>{0xFF, 0x00}));
    EXPECT_TRUE(ActiveIs<CStandbyView>());
}

TEST_F(StandbyRequest, ClosesAnOpenKeypadWithoutActingOnIt) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    CKeypadDlg keypad;
    ThenTapText("7");
    ThenPost(WM_BOARD_STANDBY);
    const int result = view->RunModal(keypad);
    EXPECT_EQ(result, kIdStandby);
    EXPECT_TRUE(view->ModalDialogs().empty());
    // The screen goes only once the keypad's loop has returned, at the next turn.
    EXPECT_EQ(Active(), view);
    fw::Loop().ProcessReady();
    EXPECT_TRUE(ActiveIs<CStandbyView>());
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
    EXPECT_EQ(fw::Loop().ModalDepth(), 0);
}

TEST_F(StandbyRequest, ClosesTheKeypadBeforeTheSaveOfferIsShown) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    AddUnsavedRow();
    CKeypadDlg keypad;
    keypad.SetTitleText("Temperature");
    ThenPost(WM_BOARD_STANDBY);
    script->Then([this] {
        EXPECT_TRUE(ScreenShows("Do you want to save?"));
        EXPECT_FALSE(ScreenHasText("Temperature"));
    });
    ThenTapText("No");
    EXPECT_EQ(view->RunModal(keypad), kIdStandby);
    fw::Loop().ProcessReady();  // the offer follows once the keypad's loop has returned
    EXPECT_TRUE(ActiveIs<CStandbyView>());
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
}

TEST_F(StandbyRequest, ClosesAnOpenMenuWithNoChoice) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    CRangePopupMenu menu;
    script->Then([this, view] {
        EXPECT_NE(view->ActivePopup(), nullptr);
        fw::Loop().Post(view->Handle(), WM_BOARD_STANDBY);
    });
    EXPECT_EQ(view->TrackPopup(menu, fw::Rect{100, 100, 200, 150}), 0);
    EXPECT_EQ(view->ActivePopup(), nullptr);
    fw::Loop().ProcessReady();
    EXPECT_TRUE(ActiveIs<CStandbyView>());
}

TEST_F(StandbyRequest, SavedSettingsAreAnnouncedWhileGoingDark) {
    Show<CScintPlaceholderView>();
    doc->SettingsSaved = 1;
    script->Then([this] { EXPECT_TRUE(ScreenHasText("Saving Settings...Please wait.")); });
    script->Then([this] { Advance(1000); });
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(doc->SettingsSaved, 0);
    EXPECT_TRUE(ActiveIs<CStandbyView>());
}

class PageCommands : public FrameworkFixture {};

TEST_F(PageCommands, MenuButtonOpensThePageMenuAndTheChoiceSwitches) {
    Show<CScintPlaceholderView>();
    script->Then([this] {
        for (const char* entry : {"Channel 1", "Channel 2", "Channel 1 & 2", "Check Source",
                                  "Chamber Library", "Preferences"})
            EXPECT_TRUE(ScreenHasText(entry)) << entry;
        Screenshot("framework_page_menu.png");
    });
    ThenTapText("Channel 2");
    Tap(20, 30);
    EXPECT_EQ(doc->OneChannelShown, 1);
    EXPECT_EQ(typeid(*Active()), typeid(*MakeOneChannelView()));
}

TEST_F(PageCommands, TheScreenAlreadyShownIsNotRecreated) {
    CKelvarinFormView* view = Show<CScintLibPlaceholderView>();
    EXPECT_TRUE(view->OnCommand(menu_cmd::kScintLibrary, nullptr));
    EXPECT_EQ(Active(), view);
    view->OnCommand(menu_cmd::kScintSetup, nullptr);
    EXPECT_TRUE(ActiveIs<CScintPlaceholderView>());
}

TEST_F(PageCommands, AScreenNotAvailableIsToldAndTheScreenStays) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    if (MakePreferencesView() != nullptr)
        GTEST_SKIP() << "the preferences screen exists now";
    script->Then([this] { EXPECT_TRUE(ScreenShows("not available")); });
    ThenTapText("OK");
    view->OnCommand(menu_cmd::kPreferences, nullptr);
    EXPECT_EQ(Active(), view);
}

class RemoteZeroing : public FrameworkFixture {};

TEST_F(RemoteZeroing, CancelEndsTheBoxThroughItsOwnPath) {
    CKelvarinFormView* view = Show<CScintPlaceholderView>();
    EXPECT_FALSE(view->CancelZeroingFromRemote());
    const int previousZero = doc->Filter.Cal[0].High.Zero = 1234;
    view->StartZeroingFromRemote(2);
    ASSERT_TRUE(view->ZeroDialogOpen());
    EXPECT_FALSE(view->IsEnabled());
    link->SendAdc(50);
    const std::string soundBefore = fw::LastPlayedSound();
    EXPECT_TRUE(view->CancelZeroingFromRemote());
    fw::Loop().ProcessReady();
    EXPECT_FALSE(view->ZeroDialogOpen());
    EXPECT_TRUE(view->IsEnabled());
    EXPECT_EQ(view->ZeroDialog(), nullptr);
    EXPECT_FALSE(doc->Filter.Zeroing);
    EXPECT_EQ(doc->Filter.Cal[0].High.Zero, previousZero);
    EXPECT_EQ(fw::LastPlayedSound(), soundBefore);
}

}  // namespace
