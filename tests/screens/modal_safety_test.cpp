// Nothing acts behind an open keypad, picker, message box or menu: remote lines and board
// events are handled inside the dialog's loop, so the one-channel screen must refuse what
// would change it, drop an answer that came too late, and leave the screen only once the
// dialog's loop has returned.
#include <functional>

#include "controls/CPopupMenu.h"
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
    // answered, the answer that would change the channel (none for a box) and the way out
    // that changes nothing. The bias keypad with 500 typed without OK, the chamber picker
    // with its first row touched, the refusal box of a bias below the limits, and the range
    // menu (up as soon as its button is touched).
    struct Dialog {
        const char* name;
        int control;
        Step reach, answer, leave;
    };
    std::vector<Dialog> Dialogs() {
        auto touch = [this](int id) { ThenDo([id] { testing_support::TouchOnTop(id); }); };
        auto keypad = [this, touch] {
            ThenChoose("Select Bias");
            for (int digit : {5, 0, 0})
                touch(CNumKeypadDlg::kIdDigit0 + digit);
        };
        auto box = [this] {
            ThenChoose("Select Bias");
            ThenKeypadEntry("50");
        };
        auto dismissMenu = [this] {
            ThenDo([] {
                ASSERT_NE(CPopupMenu::ActivePopup(), nullptr);
                CPopupMenu::ActivePopup()->Dismiss();
            });
        };
        return {
            {"bias keypad", Ids::kIdBias, keypad, [touch] { touch(CNumKeypadDlg::kIdOk); },
             [this] { ThenKeypadCancel(); }},
            {"chamber picker", Setup::kIdSystemFactor, [this] { ThenPickChamber(0, -1); },
             [this] { ThenPickChamber(-1, CChamberListDlg::kIdOk); },
             [this] { ThenPickChamber(-1, CChamberListDlg::kIdCancel); }},
            {"message box", Ids::kIdBias, box, nullptr, [this] { ThenAcknowledge(nullptr); }},
            {"range menu", Ids::kIdRange, [] {}, [this] { ThenChoose("High (0-500nA)"); },
             dismissMenu},
        };
    }
    // Opens `dialog` on a fresh screen with a chamber in the library; `inside` runs while it
    // is up, `after` (when given) closes it.
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
    std::string Send(const std::string& line) { return board->RemoteLine(line); }

    // Nothing the dialogs could have asked for reached the board or the document. The
    // warm-up screen sets the ranges itself: after it only the bias and chamber are looked at.
    void ExpectChannelUnchanged(bool rangesToo = true) {
        EXPECT_TRUE(SentWithCode(0x01).empty());  // bias
        EXPECT_TRUE(!rangesToo || SentWithCode(0x00).empty());
        EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
        EXPECT_EQ(doc->Channel[0].SystemFactor, 0);
    }
};

TEST_F(ModalSafetyTest, RemoteLinesThatWouldActAreRefusedWhileADialogIsOpen) {
    for (const Dialog& dialog : Dialogs()) {
        SCOPED_TRACE(dialog.name);
        COneChannelView* view = nullptr;
        const auto inside = [&] {
            view = &View();
            for (const char* line : {"<SV1>", "<SV2>", "<STRC>", "<DZ>", "<SCT C>"})
                EXPECT_EQ(Send(line), "!\r\n") << line;
            EXPECT_EQ(Send("<GID>"), "*KELVARIN\r\n");  // queries still answer
            EXPECT_EQ(Send("<GRG1>"), "*L\r\n");
        };
        RunWith(dialog, inside, dialog.leave);
        // The same screen, on the same channel, with nothing started.
        EXPECT_EQ(&View(), view);
        EXPECT_EQ(View().ShownChannel(), 0);
        EXPECT_EQ(doc->Collecting, 0);
        EXPECT_EQ(doc->ChargeType, 0);
        EXPECT_FALSE(doc->Filter.Zeroing);
        ExpectChannelUnchanged();
        // Closed, the screen is idle again and the same line acts.
        EXPECT_EQ(Send("<SV2>"), "*\r\n");
        EXPECT_EQ(View().ShownChannel(), 1);
    }
}

TEST_F(ModalSafetyTest, AnAnswerGivenAfterACollectionStartedIsDropped) {
    for (const Dialog& dialog : Dialogs()) {
        if (dialog.answer == nullptr)
            continue;  // the box's OK asks for nothing
        SCOPED_TRACE(dialog.name);
        // A start that reaches the screen in spite of the open dialog.
        RunWith(
            dialog, [this] { doc->UpdateAllViews(kHintRemoteStart); }, dialog.answer);
        EXPECT_EQ(doc->Collecting, 1);
        ExpectChannelUnchanged();
    }
}

TEST_F(ModalSafetyTest, BoardEventsCloseTheDialogUnansweredAndLeaveTheScreenAfterItsLoop) {
    for (uint32_t event : {WM_BOARD_WAKE, WM_BOARD_POWER_ON, WM_BOARD_READY, WM_BOARD_STANDBY}) {
        const bool toStandby = event == WM_BOARD_STANDBY;
        for (const Dialog& dialog : Dialogs()) {
            SCOPED_TRACE(std::to_string(event) + " over the " + dialog.name);
            COneChannelView* view = nullptr;
            size_t standbyAnswers = 0;
            const auto inside = [&] {
                view = &View();
                standbyAnswers = SentWithCode(0x86).size();
                const int depth = fw::Loop().ModalDepth();
                Post(event);
                // Closed, but its loop is still on the stack: the screen stays.
                EXPECT_EQ(frame->ActiveView(), view);
                EXPECT_EQ(fw::Loop().ModalDepth(), depth);
                EXPECT_TRUE(fw::Loop().UnwindingModalLoops());
            };
            RunWith(dialog, inside, nullptr);
            EXPECT_EQ(fw::Loop().ModalDepth(), 0);
            EXPECT_TRUE(controls::OpenModals().empty());
            if (toStandby) {
                EXPECT_TRUE(ActiveIs<CStandbyView>());
                EXPECT_EQ(SentWithCode(0x86).size(), standbyAnswers + 1);
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
