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

constexpr uint8_t kRangeCode = 0x00;
constexpr uint8_t kBiasCode = 0x01;
constexpr uint8_t kStandbyAnswerCode = 0x86;

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
        std::function<void()> reach, answer, leave;
    };
    std::vector<Dialog> Dialogs() {
        auto touch = [this](int id) { ThenDo([id] { testing_support::TouchOnTop(id); }); };
        auto biasKeypad = [this, touch] {
            ThenChoose("Select Bias");
            for (int digit : {5, 0, 0})
                touch(CNumKeypadDlg::kIdDigit0 + digit);
        };
        return {
            {"bias keypad", Ids::kIdBias, biasKeypad, [touch] { touch(CNumKeypadDlg::kIdOk); },
             [this] { ThenKeypadCancel(); }},
            {"chamber picker", Setup::kIdSystemFactor, [this] { ThenPickChamber(0, -1); },
             [this] { ThenPickChamber(-1, CChamberListDlg::kIdOk); },
             [this] { ThenPickChamber(-1, CChamberListDlg::kIdCancel); }},
            {"message box", Ids::kIdBias,
             [this] {
                 ThenChoose("Select Bias");
                 ThenKeypadEntry("50");
             },
             nullptr, [this] { ThenAcknowledge(nullptr); }},
            {"range menu", Ids::kIdRange, [] {}, [this] { ThenChoose("High (0-500nA)"); },
             [this] {
                 ThenDo([] {
                     ASSERT_NE(CPopupMenu::ActivePopup(), nullptr);
                     CPopupMenu::ActivePopup()->Dismiss();
                 });
             }},
        };
    }
    // Opens `dialog` on a screen with a chamber in the library; `inside` runs while it is up.
    void RunWith(const Dialog& dialog, std::function<void()> inside,
                 const std::function<void()>& after) {
        if (!chamberStored)
            AddChamber("FC65-G", "1234", 8);
        chamberStored = true;
        OpenScreen(0, 0);
        dialog.reach();
        ThenDo(std::move(inside));
        if (after)
            after();
        TapControl(dialog.control);
    }

    // Sends one remote line as the port reader delivers it; the one reply.
    std::string Send(const std::string& line) { return board->RemoteLine(line); }

    // Nothing the dialogs could have asked for reached the board or the document. The
    // warm-up screen sets the ranges itself: after it only the bias and chamber are looked at.
    void ExpectChannelUnchanged(bool rangesToo = true) {
        EXPECT_TRUE(SentWithCode(kBiasCode).empty());
        if (rangesToo) {
            EXPECT_TRUE(SentWithCode(kRangeCode).empty());
        }
        EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
        EXPECT_EQ(doc->Channel[0].SystemFactor, 0);
        if (auto* factor = dynamic_cast<CBttn*>(Control(Setup::kIdSystemFactor))) {
            EXPECT_FALSE(factor->IsMarked());
        }
    }

    bool chamberStored = false;
};

TEST_F(ModalSafetyTest, RemoteLinesThatWouldActAreRefusedWhileADialogIsOpen) {
    // Each needs an idle measuring screen; a dialog open on it makes it not idle.
    const char* const kRefused[] = {"<SV1>",    "<SV2>",   "<SVB>",     "<STRC>",   "<DZ>",
                                    "<SRG1 H>", "<SCT C>", "<SCT TRG>", "<SCT T30>"};
    const std::pair<const char*, const char*> kQueries[] = {
        {"<GID>", "*KELVARIN\r\n"}, {"<GCS>", "*I\r\n"}, {"<GZS>", "*0\r\n"}, {"<GRG1>", "*L\r\n"}};
    for (const Dialog& dialog : Dialogs()) {
        SCOPED_TRACE(dialog.name);
        COneChannelView* view = nullptr;
        const long duration = doc->ChargeDuration;
        RunWith(
            dialog,
            [&] {
                view = &View();
                EXPECT_TRUE(view->IsModalOpen());
                for (const char* line : kRefused)
                    EXPECT_EQ(Send(line), "!\r\n") << line;
                for (const auto& [line, reply] : kQueries)
                    EXPECT_EQ(Send(line), reply) << line;
                if (std::string(dialog.name) == "bias keypad")
                    Screenshot("modal_safety_keypad_after_refusals.png");
            },
            dialog.leave);
        // The screen is the same one, on the same channel, with nothing started.
        EXPECT_EQ(&View(), view);
        EXPECT_EQ(View().ShownChannel(), 0);
        EXPECT_EQ(doc->OneChannelShown, 0);
        EXPECT_EQ(doc->Collecting, 0);
        EXPECT_EQ(doc->ChargeType, 0);
        EXPECT_EQ(doc->ChargeDuration, duration);
        EXPECT_FALSE(View().ZeroDialogOpen());
        EXPECT_FALSE(doc->Filter.Zeroing);
        ExpectChannelUnchanged();
        // Closed, the screen is idle again and the same line acts.
        EXPECT_FALSE(View().IsModalOpen());
        EXPECT_EQ(Send("<SV2>"), "*\r\n");
        EXPECT_EQ(View().ShownChannel(), 1);
    }
}

TEST_F(ModalSafetyTest, AnAnswerGivenAfterACollectionStartedIsDropped) {
    for (const Dialog& dialog : Dialogs()) {
        if (dialog.answer == nullptr)
            continue;  // the box's OK asks for nothing
        SCOPED_TRACE(dialog.name);
        RunWith(
            dialog,
            [&] {
                EXPECT_EQ(Send("<STRC>"), "!\r\n");
                EXPECT_EQ(doc->Collecting, 0);
                // A start that reaches the screen in spite of the open dialog.
                doc->UpdateAllViews(kHintRemoteStart);
                EXPECT_EQ(doc->Collecting, 1);
            },
            dialog.answer);
        EXPECT_EQ(doc->Collecting, 1);
        ExpectChannelUnchanged();
        EXPECT_FALSE(View().IsModalOpen());
        doc->UpdateAllViews(kHintRemoteStop);
        doc->UpdateAllViews(kHintRemoteStart);  // a remote start on a held result clears it
        EXPECT_EQ(doc->CollectionFinished, 0);
    }
}

TEST_F(ModalSafetyTest, BoardEventsCloseTheDialogUnansweredAndLeaveTheScreenAfterItsLoop) {
    struct Event {
        const char* name;
        uint32_t message;
        bool toStandby;
    };
    const Event kEvents[] = {{"wake", WM_BOARD_WAKE, false},
                             {"power-on", WM_BOARD_POWER_ON, false},
                             {"ready", WM_BOARD_READY, false},
                             {"standby", WM_BOARD_STANDBY, true}};
    for (const Event& event : kEvents) {
        for (const Dialog& dialog : Dialogs()) {
            SCOPED_TRACE(std::string(event.name) + " over the " + dialog.name);
            COneChannelView* view = nullptr;
            size_t standbyAnswers = 0;
            RunWith(
                dialog,
                [&] {
                    view = &View();
                    standbyAnswers = SentWithCode(kStandbyAnswerCode).size();
                    const int depth = fw::Loop().ModalDepth();
                    fw::Loop().Post(view->Handle(), event.message);
                    fw::Loop().ProcessReady();
                    // Closed, but its loop is still on the stack: the screen stays.
                    EXPECT_EQ(frame->ActiveView(), view);
                    EXPECT_EQ(fw::Loop().ModalDepth(), depth);
                    EXPECT_TRUE(fw::Loop().UnwindingModalLoops());
                    EXPECT_TRUE(view->IsModalOpen());
                },
                nullptr);
            EXPECT_EQ(fw::Loop().ModalDepth(), 0);
            EXPECT_FALSE(fw::Loop().UnwindingModalLoops());
            EXPECT_TRUE(controls::OpenModals().empty());
            if (event.toStandby) {
                EXPECT_NE(dynamic_cast<CStandbyView*>(frame->ActiveView()), nullptr);
                EXPECT_EQ(SentWithCode(kStandbyAnswerCode).size(), standbyAnswers + 1);
            } else {
                EXPECT_NE(dynamic_cast<CSplashView*>(frame->ActiveView()), nullptr);
            }
            ExpectChannelUnchanged(event.toStandby);
        }
    }
}

TEST_F(ModalSafetyTest, NoDialogOpensWhileTheClosedOnesUnwind) {
    OpenScreen(0, 0);
    COneChannelView* view = &View();
    int late = -1;
    ThenChoose("Select Bias");
    script->Then([&] {
        fw::Loop().Post(view->Handle(), WM_BOARD_WAKE);
        fw::Loop().ProcessReady();
        // A handler resuming now asks the operator something: the box closes at once.
        late = CMsgBox::Show("late question");
    });
    TapControl(Ids::kIdBias);
    EXPECT_EQ(late, kIdStandby);
    EXPECT_NE(dynamic_cast<CSplashView*>(frame->ActiveView()), nullptr);
}

}  // namespace
}  // namespace one_channel_test
