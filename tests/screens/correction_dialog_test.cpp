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

    const SimulatedChamber pulsed_{1e5, BeamKind::Pulsed, 1.1, 0.0};
};

// By taps, in the settling wait (no collection on): standby, the remote start and a remote
// bias are refused and the procedure goes on; then it is cancelled, or it runs to its end
// and shows the chamber's factor, kept but applied to no dose. The bias is back either way.
TEST_F(CorrectionDialogTest, RecombinationByTapsRefusesStandbyAndRemoteWhileItRuns) {
    const int duration = 15;
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "to its end");
        Restart();
        doc->ChargeDuration = duration;
        // The screen on channel 1 at +300 V, its read-back shown, and the dialog's choices:
        // recombination in a pulsed beam at n = 3, a 5 s wait.
        board->Board().SetChamber(0, pulsed_);
        doc->SetBias(0, 300);
        OpenScreen(0, 0);
        Advance(1000);  // the screen's second asks for the bias read-back
        for (int id : {CCorrectionDlg::kIdRecombination, CCorrectionDlg::kIdPulsed,
                       CCorrectionDlg::kIdRatio + 2, CCorrectionDlg::kIdSettle})
            ThenDo([id] { TouchOnTop(id); });
        ThenKeypadEntry("5");
        ThenDo([] { TouchOnTop(CCorrectionDlg::kIdStart); });
        ThenDo([this, cancel] {
            Panel(duration + 2);
            ASSERT_NE(Procedure(), nullptr);
            EXPECT_EQ(Procedure()->GetPhase(), Phase::Settling);
            EXPECT_TRUE(ScreenShows("Settling at +100 V: ")) << "wait not shown";
            EXPECT_EQ(board->RemoteLine("<STRC>"), "!\r\n");
            EXPECT_EQ(board->RemoteLine("<SBS1 500>"), "!\r\n");
            board->Board().RaisePowerKey();  // the power key: standby refused
            fw::Loop().ProcessReady();
            EXPECT_EQ(board->Board().LastStandbyStatus(), 0xFF);
            if (cancel) {
                TouchOnTop(CCorrectionDlg::kIdClose);  // Cancel
            } else {
                Panel(duration + 5);
                const std::string factor =
                    fw::StringPrintf("P_ion = %.5f", pulsed_.RecombinationFactorAt(300));
                EXPECT_TRUE(ScreenHasText(factor)) << factor;
                EXPECT_TRUE(ScreenShows("Not applied to the dose"));
                const double firstPc = Procedure()->Steps()[0].readings[0];  // about 1.5 nC
                EXPECT_TRUE(ScreenShows(fw::StringPrintf("+300 V:   %.4f nC", firstPc / 1e3)));
                Screenshot("correction_recombination_done.png");
            }
        });
        ThenDo([] { TouchOnTop(CCorrectionDlg::kIdClose); });
        TapControl(COneChannelView::kIdCorrections);
        fw::Loop().ProcessReady();
        EXPECT_EQ(board->Board().BiasVolts(0), 300);  // the rest put back: the procedure test
        EXPECT_FALSE(ActiveIs<CStandbyView>());
        EXPECT_EQ(doc->CorrectionResults.size(), cancel ? 0u : 1u);
        EXPECT_TRUE(doc->MeasList.empty());  // nothing applied to a dose
    }
}

}  // namespace
