// The guided corrections' procedure against the in-process board with a simulated chamber
// whose signal follows the bias. The test plays the screen: it passes the document's hints
// on, asks for the bias read-back and ticks the procedure once a second, with ten ADC
// packets per second on the test's own count (no clock, no sleeps).
#include "screens/CCorrectionProcedure.h"

#include <memory>

#include "support/screen_fixture.h"

namespace {

using boardsim::SimulatedChamber;
using measure::BeamKind;
using Phase = CCorrectionProcedure::Phase;

class ForwardingView : public fw::View {
  public:
    void OnUpdate(int hint) override {
        if (procedure != nullptr)
            procedure->OnHint(hint);
    }
    CCorrectionProcedure* procedure = nullptr;
};

// A chamber in a continuous beam: 100 pA at the bias, the recombination and polarity terms.
SimulatedChamber Chamber(double recombination, double polarityFa) {
    return SimulatedChamber{1e5, BeamKind::Continuous, recombination, polarityFa};
}

class CorrectionProcedureTest : public testing_support::ScreenFixture {
  protected:
    // One second of the screen: readings, the bias read-back, the procedure's tick.
    void Second() {
        board->SendAdc(10);
        doc->SendCommand(0x82);
        procedure->OnSecond();
        fw::Loop().ProcessReady();
    }
    // Runs until the procedure reaches `phase` at `step`, or to its end with `step` < 0.
    bool RunTo(Phase phase, int step) {
        for (int s = 0; s < 2000 && procedure->Running(); ++s) {
            if (procedure->GetPhase() == phase && procedure->StepIndex() == step)
                return true;
            Second();
        }
        return step < 0;
    }
    std::vector<int> BiasCommands() const {
        std::vector<int> volts;
        for (const BOARD_PACKET& p : SentWithCode(0x01))
            volts.push_back(int16_t(p.payload[1] | (p.payload[2] << 8)));
        return volts;
    }

    std::unique_ptr<CCorrectionProcedure> procedure;
};

// Whole procedures (a negative usual bias) find the chamber's factor and keep it; plans
// refused at the start change nothing; a cancel or a fault at any step ends the procedure
// with nothing kept. The bias and the collection set-up are back in every case.
TEST_F(CorrectionProcedureTest, WholeProceduresRefusalsCancelsAndFaults) {
    auto cancel = [this] { procedure->Cancel(); };
    auto nothing = [] {};
    const Phase kRead = Phase::Collecting, kSettle = Phase::Settling, kStart = Phase::Ready;
    const SimulatedChamber usual = Chamber(90.0, 150.0);
    // The reversed bias collects less than the polarity current: no change of sign.
    const SimulatedChamber noReversal = Chamber(0, 1.5e5);
    const SimulatedChamber overRange = Chamber(0, -6e5);
    const struct {
        const char* label;
        bool polarity;
        int16_t bias;
        SimulatedChamber chamber;
        Phase at;  // where `meanwhile` happens, in step `step`; Ready: the start is refused
        int step;
        std::function<void()> meanwhile;
        const char* message;  // told; "Cancelled" when cancelled, empty when done
    } cases[] = {
        {"whole polarity", true, -300, Chamber(0, 150.0), kRead, 0, nothing, ""},
        {"whole recombination", false, -500, Chamber(250.0, 0), kRead, 0, nothing, ""},
        {"no bias", false, 0, usual, kStart, 0, nothing, "Set the chamber's bias"},
        {"V_L below 100 V", false, 150, usual, kStart, 0, nothing, "+150 V / 2 is outside"},
        {"read-back not settled", false, 300, usual, kStart, 0,
         [this] { doc->Channel[0].BiasRead = 250; }, "not at its set"},
        {"cancel, settling at -V", true, 300, usual, kSettle, 1, cancel, "Cancelled"},
        {"cancel, reading at V again", true, 300, usual, kRead, 2, cancel, "Cancelled"},
        {"no chamber signal", true, 300, {}, kRead, 0, nothing, "A reading is zero"},
        {"no sign change", true, 300, noReversal, kRead, 0, nothing, "did not change sign"},
        {"over range", true, 300, overRange, kRead, 0, nothing, "over range"},
        {"read-back off at V again", true, 300, usual, kSettle, 1,
         [this] { doc->Filter.Cal[0].BiasM = 0.5; },
         "did not confirm +300 V\r\n(read back +150 V)"},
        {"bias changed remotely", false, 300, usual, kRead, 1, [this] { doc->SetBias(0, 200); },
         "bias was changed"},
        {"collection stopped", true, 300, usual, kRead, 1,
         [this] {
             doc->Collecting = 0;
             doc->UpdateAllViews(kHintCollection);
         },
         "stopped before its end"},
        {"link lost before -V", true, 300, usual, kRead, 0,
         [this] {
             doc->SetLink(nullptr);
             RunTo(Phase::Done, -1);
             doc->SetLink(board.get());
         },
         "could not be sent"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        // The screen was on continuous collection at the bias, read back, before the start.
        Restart();
        frame->SwitchToView(std::make_unique<ForwardingView>());
        doc->SetRange(0, 0);  // Low: the chamber's 100 pA reads to a tenth of a fA
        doc->ChargeType = 1;
        doc->ChargeDuration = 0;
        board->Board().SetChamber(0, c.chamber);
        doc->SetBias(0, c.bias);
        doc->SendCommand(0x82);
        board->sent.clear();
        procedure = std::make_unique<CCorrectionProcedure>(
            *doc, CorrectionPlan{c.polarity, 0, BeamKind::Continuous, 2.0, 1, 3, 2});
        static_cast<ForwardingView*>(frame->ActiveView())->procedure = procedure.get();
        CCorrectionProcedure& p = *procedure;
        const bool refused = c.at == Phase::Ready, done = *c.message == '\0',
                   cancelled = std::string(c.message) == "Cancelled";
        if (refused) {
            c.meanwhile();
            EXPECT_FALSE(p.Start());
            EXPECT_TRUE(BiasCommands().empty());
        } else {
            ASSERT_TRUE(p.Start()) << p.Message();
            ASSERT_TRUE(RunTo(c.at, c.step));
            Second();  // a second into it
            c.meanwhile();
            RunTo(Phase::Done, -1);
            EXPECT_TRUE(done || p.Message().find("back at +300 V.") != std::string::npos);
        }
        EXPECT_NE(p.Message().find(c.message), std::string::npos) << p.Message();
        EXPECT_EQ(p.GetPhase(), refused     ? Phase::Ready
                                : done      ? Phase::Done
                                : cancelled ? Phase::Cancelled
                                            : Phase::Failed);
        doc->Filter.Cal[0].BiasM = 1.0;
        // The instrument as it was before the start: bias on the board and in the document,
        // the collection set-up (continuous), nothing collecting, no procedure running.
        EXPECT_EQ((std::vector<long>{board->Board().BiasVolts(0), doc->Channel[0].BiasSet,
                                     doc->ChargeType, doc->ChargeDuration, doc->Collecting,
                                     doc->CorrectionRunning}),
                  (std::vector<long>{c.bias, c.bias, 1, 0, 0, 0}));
        ASSERT_EQ(doc->CorrectionResults.size(), done ? 1u : 0u);
        if (done) {
            EXPECT_NEAR(p.Factor(),
                        c.polarity ? c.chamber.PolarityFactorAt(c.bias)
                                   : c.chamber.RecombinationFactorAt(c.bias),
                        2e-5);
            EXPECT_EQ(doc->CorrectionResults[0].Factor, p.Factor());
            EXPECT_EQ(doc->CorrectionResults[0].Readings.size(), c.polarity ? 3u : 2u);
            // The reversed bias or V_L, then the usual bias again.
            EXPECT_EQ(BiasCommands(),
                      (std::vector<int>{c.polarity ? -c.bias : c.bias / 2, c.bias}));
        }
        Second();  // nothing goes on afterwards
        EXPECT_EQ(board->Board().BiasVolts(0), c.bias);
    }
}

}  // namespace
