// Nothing acts behind an open keypad, picker, message box or menu: remote lines and board
// events are handled inside the dialog's loop, so the one-channel screen must refuse what
// would change it, drop an answer that came too late, and leave the screen only once the
// dialog's loop has returned.
#include <functional>

#include "controls/ModalRegistry.h"
#include "document/Hints.h"
#include "link/WindowMessages.h"
#include "one_channel_fixture.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;
using Setup = COneChannelSetupDlg;
using Step = std::function<void()>;

class ModalSafetyTest : public OneChannelTest {
  protected:
    // A dialog of the screen: the control that opens it, the taps that bring it up half
    // answered, and the answer that would change the channel (for the box: its OK). The bias
    // keypad with 500 typed without OK, the chamber picker with its first row touched, the refusal
    // box of a bias below the limits, and the range menu (up as soon as its button is touched).
    struct Dialog {
        const char* name;
        int control;
        Step reach, answer;
    };
    std::vector<Dialog> Dialogs() {
        auto keypad = [this] {
            ThenChoose("Select Bias");
            ThenDo([] {
                for (int digit : {5, 0, 0})
                    testing_support::TouchOnTop(CNumKeypadDlg::kIdDigit0 + digit);
            });
        };
        auto ok = [this] { ThenDo([] { testing_support::TouchOnTop(CNumKeypadDlg::kIdOk); }); };
        auto box = [this] {
            ThenChoose("Select Bias");
            ThenKeypadEntry("50");
        };
        return {
            {"bias keypad", Ids::kIdBias, keypad, ok},
            {"chamber picker", Setup::kIdSystemFactor, [this] { ThenPickChamber(0, -1); },
             [this] { ThenPickChamber(-1, CChamberListDlg::kIdOk); }},
            {"message box", Ids::kIdBias, box, [this] { ThenAnswer("OK", nullptr); }},
            {"range menu", Ids::kIdRange, [] {}, [this] { ThenChoose("High (0-500nA)"); }},
        };
    }
    // Opens `dialog` on a fresh screen with a chamber in the library; `inside` runs while it
    // is up, then `after` (when given).
    void RunWith(const Dialog& dialog, Step inside, const Step& after) {
        Restart();
        AddChamber("FC65-G", "1234", 8);
        OpenScreen(0, 0);
        dialog.reach();
        ThenDo(std::move(inside));
        if (after)
            after();
        TapControl(dialog.control);
    }

    // Nothing the dialogs could have asked for reached the board or the document. The
    // warm-up screen sets the ranges itself: after it only the bias and chamber are looked at.
    void ExpectChannelUnchanged(bool rangesToo = true) {
        EXPECT_TRUE(SentWithCode(0x01).empty());  // bias
        EXPECT_TRUE(!rangesToo || SentWithCode(0x00).empty());
        EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
        EXPECT_EQ(doc->Channel[0].SystemFactor, 0);
    }
};

// With each dialog open, lines that would act answer "!" while queries answer; then a start
// reaches the screen in spite of the dialog, and the answer given after it is dropped.
TEST_F(ModalSafetyTest, RemoteLinesThatWouldActAreRefusedAndALateAnswerIsDropped) {
    for (const Dialog& dialog : Dialogs()) {
        SCOPED_TRACE(dialog.name);
        COneChannelView* view = nullptr;
        const auto inside = [&] {
            view = &View();
            for (const char* line : {"<SV1>", "<SV2>", "<STRC>", "<DZ>", "<SCT C>"})
                EXPECT_EQ(board->RemoteLine(line), "!\r\n") << line;
            EXPECT_EQ(board->RemoteLine("<GID>"), "*KELVARIN\r\n");  // queries still answer
            EXPECT_EQ(board->RemoteLine("<GRG1>"), "*L\r\n");
            EXPECT_EQ(doc->Collecting, 0);
            doc->UpdateAllViews(kHintRemoteStart);
        };
        RunWith(dialog, inside, dialog.answer);
        // The same screen, on the same channel, with only that start.
        EXPECT_EQ(&View(), view);
        EXPECT_EQ(View().ShownChannel(), 0);
        EXPECT_EQ(doc->Collecting, 1);
        EXPECT_EQ(doc->ChargeType, 0);
        EXPECT_FALSE(doc->Filter.Zeroing);
        ExpectChannelUnchanged();
        // Closed and stopped, the screen is idle again and the same line acts.
        doc->UpdateAllViews(kHintRemoteStop);
        EXPECT_EQ(board->RemoteLine("<SV2>"), "*\r\n");
        EXPECT_EQ(View().ShownChannel(), 1);
    }
}

TEST_F(ModalSafetyTest, BoardEventsCloseTheDialogUnansweredAndLeaveTheScreenAfterItsLoop) {
    for (uint32_t event : {WM_BOARD_WAKE, WM_BOARD_POWER_ON, WM_BOARD_READY, WM_BOARD_STANDBY}) {
        const bool toStandby = event == WM_BOARD_STANDBY;
        for (const Dialog& dialog : Dialogs()) {
            SCOPED_TRACE(std::to_string(event) + " over the " + dialog.name);
            COneChannelView* view = nullptr;
            const auto inside = [&] {
                view = &View();
                const int depth = fw::Loop().ModalDepth();
                Post(event);
                // Closed, but its loop is still on the stack: the screen stays.
                EXPECT_EQ(frame->ActiveView(), view);
                EXPECT_EQ(fw::Loop().ModalDepth(), depth);
            };
            RunWith(dialog, inside, nullptr);
            EXPECT_TRUE(controls::OpenModals().empty());
            if (toStandby) {
                EXPECT_TRUE(ActiveIs<CStandbyView>());
                EXPECT_EQ(SentWithCode(0x86).size(), 1u);  // its one answer
            } else {
                EXPECT_TRUE(ActiveIs<CSplashView>());
            }
            ExpectChannelUnchanged(toStandby);
        }
    }
}

TEST_F(ModalSafetyTest, NoDialogOpensWhileTheClosedOnesUnwind) {
    OpenScreen(0, 0);
    int late = -1;
    ThenChoose("Select Bias");
    ThenDo([&] {
        Post(WM_BOARD_WAKE);
        // A handler resuming now asks the operator something: the box closes at once.
        late = CMsgBox::Show("late question");
    });
    TapControl(Ids::kIdBias);
    EXPECT_EQ(late, kIdStandby);
    EXPECT_TRUE(ActiveIs<CSplashView>());
}

}  // namespace
}  // namespace one_channel_test
