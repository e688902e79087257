// The screens' shared behaviour: the board's power events, the standby request with its save
// offer, and navigation through the page commands.
#include <filesystem>
#include <functional>

#include "controls/MenuCommands.h"
#include "link/WindowMessages.h"
#include "screens/CPlaceholderView.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "screens/ViewFactory.h"
#include "support/screen_fixture.h"

namespace {

namespace fs = std::filesystem;

using Framework = testing_support::ScreenFixture;

TEST_F(Framework, ThePollRepeatsUntilReadyAndWakeOrPowerOnReturnThroughTheWarmUp) {
    CStandbyView* standby = Show<CStandbyView>();
    board->Board().SetAnswersPoll(false);
    standby->StartBoardPoll();
    Advance(1600);
    EXPECT_EQ(SentCodes(), (std::vector<uint8_t>{0x85, 0x85, 0x85}));
    const fw::WindowHandle standbyHandle = standby->Handle();
    Post(WM_BOARD_READY);
    EXPECT_TRUE(ActiveIs<CSplashView>());
    EXPECT_FALSE(fw::Loop().HasTimer(standbyHandle, IDT_BOARD_POLL));
    for (uint32_t event : {WM_BOARD_WAKE, WM_BOARD_POWER_ON}) {
        Show<CStandbyView>();
        board::ResetPanel();
        doc->Brightness = 5;
        Post(event);
        EXPECT_TRUE(ActiveIs<CSplashView>());
    }
    EXPECT_EQ(board->Board().CommandCount(0x87), 2);
    // After power-on the backlight is lit at the document's brightness before the warm-up.
    EXPECT_EQ(board::Panel().dutyPercent, 35);
}

// The answer to the board's standby request and what becomes of an unsaved row, by the state
// of the screen and the operator's answers to the save offer and the save-file box. The
// unsaved row is kept exactly when the standby is refused. Accepted, the panel goes dark: the
// enable line low with the change announced, then the PWM and the sound.
TEST_F(Framework, StandbyIsRefusedOrAcceptedAsTheOperatorAnswersTheSaveOffer) {
    // The operator's steps: "?part" is shown, anything else a text touched. A folder where the
    // data file should go fails its write.
    const auto play = [this](const std::vector<std::string>& steps) {
        for (const std::string& step : steps) {
            if (step[0] == '?')
                ThenExpectShown(step.substr(1));
            else
                ThenTapText(step);
        }
    };
    const auto blockTheFile = [this] {
        doc->Title = "Blocked";
        fs::create_directories(root->Usb() / "Blocked.csv" / "inside");
    };
    const auto secondPress = [this] {
        ThenDo([this] {
            Post(WM_BOARD_STANDBY);
            EXPECT_FALSE(fw::Loop().UnwindingModalLoops()) << "the offer of the first goes on";
        });
    };
    struct Case {
        const char* name;
        std::function<void()> prepare;  // the state before the request
        std::vector<std::string> steps;
        std::vector<uint8_t> answers;
        std::vector<std::string> saved;
    };
    // clang-format off
    const Case cases[] = {
        {"while collecting", [this] { doc->Collecting = 1; }, {}, {0xFF}, {}},
        {"while zeroing", [this] { Active()->BeginZeroing(0); }, {}, {0xFF}, {}},
        {"Cancel on the offer", nullptr, {"Cancel"}, {0xFF}, {}},
        {"No on the offer", nullptr, {"No"}, {0x00}, {}},
        // the save-file box of every data-set save, the title preset
        {"Yes, saved under the title", [this] { doc->Title = "Morning"; },
            {"Yes", "?Morning", "OK"}, {0x00}, {"Morning.csv"}},
        {"a failed write tried again", blockTheFile,
            {"Yes", "OK", "?overwrite?", "Yes", "?Would you like to try again?", "Yes"},
            {0xFF}, {}},
        {"a failed write not tried again: the operator's choice", blockTheFile,
            {"Yes", "OK", "?overwrite?", "Yes", "?Would you like to try again?", "No"},
            {0x00}, {}},
        {"a second press while the offer is open", secondPress, {"?Do you want to save?", "No"},
            {0xFF, 0x00}, {}},
    };
    // clang-format on
    using board::PanelAction;
    const std::vector<board::PanelStep> kDark = {{PanelAction::EnablePin, 0},
                                                 {PanelAction::BacklightPower, 0},
                                                 {PanelAction::ChangeAnnounced, 1},
                                                 {PanelAction::EnablePin, 0},
                                                 {PanelAction::Duty, 0},
                                                 {PanelAction::Volume, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKelvarinFormView* view = Show<CScintPlaceholderView>();
        MEAS_INFO row{};  // a row not saved yet
        doc->AddMeasurement(true, row);
        if (c.prepare)
            c.prepare();
        play(c.steps);
        board::ResetPanel();
        Post(WM_BOARD_STANDBY);
        std::vector<uint8_t> answers;  // status bytes of the standby answers
        for (const BOARD_PACKET& p : SentWithCode(0x86))
            answers.push_back(p.status);
        EXPECT_EQ(answers, c.answers);
        const bool refused = c.answers.back() == 0xFF;
        EXPECT_EQ(ActiveIs<CStandbyView>(), !refused);
        EXPECT_TRUE(!refused || Active() == view);
        EXPECT_EQ(board::Panel().steps, refused ? std::vector<board::PanelStep>{} : kDark);
        EXPECT_TRUE(refused || fw::LastPlayedSound() == "SNDAPPEXIT") << fw::LastPlayedSound();
        EXPECT_EQ(doc->MeasList.size(), refused ? 1u : 0u);
        std::vector<std::string> saved;  // the data files written below the USB folder
        for (const fs::directory_entry& e : fs::directory_iterator(root->Usb())) {
            if (e.is_regular_file() && e.file_size() > 0)
                saved.push_back(e.path().filename().string());
        }
        EXPECT_EQ(saved, c.saved);
        Restart();
    }
}

TEST_F(Framework, SavedSettingsAreAnnouncedWhileGoingDark) {
    Show<CScintPlaceholderView>();
    doc->SettingsSaved = 1;
    ThenExpectShown("Saving Settings...Please wait.");
    ThenDo([this] { Advance(1000); });
    Post(WM_BOARD_STANDBY);
    EXPECT_EQ(doc->SettingsSaved, 0);
    EXPECT_TRUE(ActiveIs<CStandbyView>());
}

TEST_F(Framework, ThePageMenuSwitchesScreensButNotToTheOneShown) {
    Show<CScintPlaceholderView>();
    ThenTapText("Channel 2");
    Tap(20, 30);
    EXPECT_EQ(doc->OneChannelShown, 1);
    EXPECT_EQ(typeid(*Active()), typeid(*MakeOneChannelView()));

    CKelvarinFormView* view = Show<CScintLibPlaceholderView>();
    EXPECT_TRUE(view->OnCommand(menu_cmd::kScintLibrary, nullptr));
    EXPECT_EQ(Active(), view);
    view->OnCommand(menu_cmd::kScintSetup, nullptr);
    EXPECT_TRUE(ActiveIs<CScintPlaceholderView>());
}

}  // namespace
