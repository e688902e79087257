// The guided corrections by taps on the one-channel screen, against the in-process board
// with a simulated chamber: the panel's clock moves in tenths of a second with one ADC
// packet each, so the settling wait and the readings run on the test clock.
#include "screens/CCorrectionDlg.h"

#include "fw/Text.h"
#include "link/WindowMessages.h"
#include "one_channel_fixture.h"
#include "screens/CStandbyView.h"

namespace {

using boardsim::SimulatedChamber;
using measure::BeamKind;
using testing_support::TouchOnTop;
using Phase = CCorrectionProcedure::Phase;

class CorrectionDialogTest : public one_channel_test::OneChannelTest {
  protected:
    // The screen on channel 1 at `bias`, its read-back shown.
    void OpenWithChamber(const SimulatedChamber& chamber, int16_t bias) {
        board->Board().SetChamber(0, chamber);
        doc->SetBias(0, bias);
        OpenScreen(0, 0);
        Advance(1000);  // the screen's second asks for the bias read-back
    }
    void Panel(int seconds) {
        for (int tenth = 0; tenth < 10 * seconds; ++tenth) {
            board->SendAdc(1);
            Advance(100);
        }
    }
    const CCorrectionProcedure* Procedure() {
        CCorrectionDlg* dlg = View().CorrectionDialog();
        return dlg ? dlg->Procedure() : nullptr;
    }
    // Steps for the dialog once open: recombination in a pulsed beam at n = 3, a 5 s wait.
    void ThenChooseRecombination() {
        ThenDo([] { TouchOnTop(CCorrectionDlg::kIdRecombination); });
        ThenDo([] { TouchOnTop(CCorrectionDlg::kIdPulsed); });
        ThenDo([] { TouchOnTop(CCorrectionDlg::kIdRatio + 2); });
        ThenDo([] { TouchOnTop(CCorrectionDlg::kIdSettle); });
        ThenKeypadEntry("5");
    }
    std::string StandbyAnswer() {
        board->Board().RaisePowerKey();
        fw::Loop().ProcessReady();
        return board->Board().LastStandbyStatus() == 0xFF ? "refused" : "accepted";
    }
    std::string Remote(const std::string& line) { return board->RemoteLine(line); }

    const SimulatedChamber pulsed_{1e5, BeamKind::Pulsed, 1.1, 0.0};
};

TEST_F(CorrectionDialogTest, RecombinationByTapsShowsTheChambersFactorAndKeepsIt) {
    OpenWithChamber(pulsed_, 300);
    const long duration = doc->ChargeDuration;
    ThenChooseRecombination();
    ThenDo([this] {
        EXPECT_TRUE(ScreenHasText("V_L +100 V"));
        EXPECT_TRUE(ScreenHasText(fw::StringPrintf("Reading %ld s", doc->ChargeDuration)));
    });
    ThenDo([] { TouchOnTop(CCorrectionDlg::kIdStart); });
    ThenDo([this, duration] {
        Panel(int(duration) + 2);  // the reading at V_H, then into the wait at V_L
        EXPECT_TRUE(ScreenShows("Settling at +100 V: ")) << "wait not shown";
        EXPECT_EQ(board->Board().BiasVolts(0), 100);
        EXPECT_TRUE(ScreenHasText("V_L +100 V"));
        Screenshot("correction_settling.png");
        Panel(4 + int(duration) + 1);
    });
    ThenDo([this] {
        ASSERT_NE(Procedure(), nullptr);
        EXPECT_EQ(Procedure()->GetPhase(), Phase::Done) << Procedure()->Message();
        const std::string factor =
            fw::StringPrintf("P_ion = %.5f", pulsed_.RecombinationFactorAt(300));
        EXPECT_TRUE(ScreenHasText(factor)) << factor;
        EXPECT_TRUE(ScreenShows("Not applied to the dose"));
        EXPECT_TRUE(ScreenShows("2.  +100 V:   "));
        EXPECT_TRUE(OverflowingTexts().empty());
        Screenshot("correction_recombination_done.png");
    });
    ThenDo([] { TouchOnTop(CCorrectionDlg::kIdClose); });
    TapControl(COneChannelView::kIdCorrections);
    EXPECT_EQ(View().CorrectionDialog(), nullptr);
    EXPECT_EQ(board->Board().BiasVolts(0), 300);
    EXPECT_EQ(doc->ChargeDuration, duration);
    ASSERT_EQ(doc->CorrectionResults.size(), 1u);
    EXPECT_NEAR(doc->CorrectionResults[0].Factor, pulsed_.RecombinationFactorAt(300), 2e-5);
    EXPECT_TRUE(doc->MeasList.empty());  // nothing applied to a dose
    EXPECT_EQ(doc->DataUnsaved, 1);
}

// Standby is refused while the procedure runs and the procedure goes on; with the dialog
// open and nothing running it closes the dialog and the instrument goes to standby.
TEST_F(CorrectionDialogTest, StandbyAndRemoteStartAtEachStep) {
    struct Case {
        const char* label;
        int secondsAfterStart;  // -1: not started
        Phase phase;
        const char* standby;
    };
    const long duration = 15;
    const Case cases[] = {
        {"set-up", -1, Phase::Ready, "accepted"},
        {"reading at V_H", 2, Phase::Collecting, "refused"},
        {"settling at V_L", int(duration) + 2, Phase::Settling, "refused"},
        {"reading at V_L", int(duration) + 8, Phase::Collecting, "refused"},
    };
    for (const Case& c : cases) {
        Restart();
        doc->ChargeDuration = duration;
        OpenWithChamber(pulsed_, 300);
        ThenChooseRecombination();
        if (c.secondsAfterStart >= 0) {
            ThenDo([] { TouchOnTop(CCorrectionDlg::kIdStart); });
            ThenDo([this, c] { Panel(c.secondsAfterStart); });
        }
        ThenDo([this, c] {
            const Phase phase = Procedure() ? Procedure()->GetPhase() : Phase::Ready;
            EXPECT_EQ(phase, c.phase) << c.label;
            if (c.secondsAfterStart >= 0) {
                EXPECT_EQ(Remote("<STRC>"), "!\r\n") << c.label;
                EXPECT_EQ(Remote("<SBS1 500>"), "!\r\n") << c.label;
            }
            EXPECT_EQ(StandbyAnswer(), c.standby) << c.label;
            if (c.secondsAfterStart < 0)
                return;  // the dialog was closed by the standby
            EXPECT_TRUE(Procedure() && Procedure()->Running()) << c.label << ": it goes on";
            TouchOnTop(CCorrectionDlg::kIdClose);  // Cancel
        });
        if (c.secondsAfterStart >= 0)
            ThenDo([] { TouchOnTop(CCorrectionDlg::kIdClose); });
        TapControl(COneChannelView::kIdCorrections);
        fw::Loop().ProcessReady();
        EXPECT_EQ(board->Board().BiasVolts(0), 300) << c.label;
        EXPECT_TRUE(doc->CorrectionResults.empty()) << c.label;
        EXPECT_EQ(doc->CorrectionRunning, 0) << c.label;
        EXPECT_EQ(doc->ChargeDuration, duration) << c.label;
        EXPECT_EQ(ActiveIs<CStandbyView>(), c.secondsAfterStart < 0) << c.label;
    }
}

}  // namespace
