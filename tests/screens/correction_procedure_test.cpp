// The guided corrections' procedure against the in-process board with a simulated chamber
// whose signal follows the bias. The test plays the screen: it passes the document's hints
// on, asks for the bias read-back and ticks the procedure once a second, with ten ADC
// packets per second on the test's own count (no clock, no sleeps).
#include "screens/CCorrectionProcedure.h"

#include <memory>
#include <optional>

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

class CorrectionProcedureTest : public testing_support::ScreenFixture {
  protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        frame->SwitchToView(std::make_unique<ForwardingView>());
        doc->SetRange(0, 0);  // Low: the chamber's 100 pA reads to a tenth of a fA
        doc->ChargeType = 1;  // the screen was on continuous: it must be so again after
        doc->ChargeDuration = 0;
    }
    ForwardingView& View() { return *static_cast<ForwardingView*>(frame->ActiveView()); }

    static SimulatedChamber Chamber(BeamKind beam, double recombination, double polarityFa) {
        return SimulatedChamber{1e5, beam, recombination, polarityFa};
    }
    // The usual bias set and read back, as the screen shows it before a start.
    void UseChamber(const SimulatedChamber& chamber, int16_t bias) {
        board->Board().SetChamber(0, chamber);
        doc->SetBias(0, bias);
        doc->SendCommand(0x82);
    }
    CCorrectionProcedure& Make(CorrectionPlan plan) {
        procedure = std::make_unique<CCorrectionProcedure>(*doc, plan);
        View().procedure = procedure.get();
        return *procedure;
    }
    // One second of the screen: readings, the bias read-back, the procedure's tick.
    void Second() {
        board->SendAdc(10);
        doc->SendCommand(0x82);
        procedure->OnSecond();
        fw::Loop().ProcessReady();
    }
    // Runs until the procedure reaches `phase` at `step` (or ends); false when it never did.
    bool RunTo(Phase phase, size_t step) {
        for (int s = 0; s < 2000; ++s) {
            if (procedure->GetPhase() == phase && size_t(procedure->StepIndex()) == step)
                return true;
            if (!procedure->Running())
                return false;
            Second();
        }
        return false;
    }
    void RunToEnd() {
        for (int s = 0; s < 2000 && procedure->Running(); ++s)
            Second();
    }
    std::vector<int> BiasCommands() const {
        std::vector<int> volts;
        for (const BOARD_PACKET& p : SentWithCode(0x01))
            volts.push_back(int16_t(p.payload[1] | (p.payload[2] << 8)));
        return volts;
    }
    // The instrument as it was before the start: bias, collection set-up, nothing running.
    void ExpectPutBack(int16_t bias, const std::string& label) {
        EXPECT_EQ(board->Board().BiasVolts(0), bias) << label;
        EXPECT_EQ(doc->Channel[0].BiasSet, bias) << label;
        EXPECT_EQ(doc->ChargeType, 1) << label;
        EXPECT_EQ(doc->ChargeDuration, 0) << label;
        EXPECT_EQ(doc->Collecting, 0) << label;
        EXPECT_EQ(doc->CorrectionRunning, 0) << label;
    }

    std::unique_ptr<CCorrectionProcedure> procedure;
};

TEST_F(CorrectionProcedureTest, WholeProceduresFindTheChambersFactors) {
    struct Case {
        const char* label;
        CorrectionPlan plan;
        SimulatedChamber chamber;
        int16_t bias;
        std::vector<int> biasCommands;
    };
    auto polarity = [](int readings) {
        return CorrectionPlan{true, 0, BeamKind::Continuous, 2.0, readings, 5, 3};
    };
    auto recombination = [](BeamKind beam, double ratio) {
        return CorrectionPlan{false, 0, beam, ratio, 2, 4, 2};
    };
    const Case cases[] = {
        {"polarity +300 V", polarity(1), Chamber(BeamKind::Continuous, 0, 150.0), 300, {-300, 300}},
        {"polarity -300 V",
         polarity(2),
         Chamber(BeamKind::Continuous, 0, 150.0),
         -300,
         {300, -300}},
        {"continuous n = 2",
         recombination(BeamKind::Continuous, 2.0),
         Chamber(BeamKind::Continuous, 90.0, 0),
         300,
         {150, 300}},
        {"pulsed n = 3",
         recombination(BeamKind::Pulsed, 3.0),
         Chamber(BeamKind::Pulsed, 1.5, 0),
         300,
         {100, 300}},
        {"continuous n = 2.5, negative",
         recombination(BeamKind::Continuous, 2.5),
         Chamber(BeamKind::Continuous, 250.0, 0),
         -500,
         {-200, -500}},
    };
    for (const Case& c : cases) {
        Restart();
        UseChamber(c.chamber, c.bias);
        board->sent.clear();
        CCorrectionProcedure& p = Make(c.plan);
        ASSERT_TRUE(p.Start()) << c.label << ": " << p.Message();
        RunToEnd();
        ASSERT_EQ(p.GetPhase(), Phase::Done) << c.label << ": " << p.Message();
        const double expected = c.plan.polarity ? c.chamber.PolarityFactorAt(c.bias)
                                                : c.chamber.RecombinationFactorAt(c.bias);
        EXPECT_NEAR(p.Factor(), expected, 2e-5) << c.label;
        EXPECT_NE(p.Factor(), 1.0) << c.label;  // the chamber's effect was really measured
        EXPECT_EQ(BiasCommands(), c.biasCommands) << c.label;  // each change, then back
        ExpectPutBack(c.bias, c.label);
        ASSERT_EQ(doc->CorrectionResults.size(), 1u) << c.label;
        const CORRECTION_RESULT& kept = doc->CorrectionResults[0];
        EXPECT_EQ(kept.Factor, p.Factor()) << c.label;
        EXPECT_EQ(kept.Readings.size(), size_t((c.plan.polarity ? 3 : 2) * c.plan.readingsPerStep))
            << c.label;
        EXPECT_TRUE(doc->MeasList.empty()) << c.label;  // no dose row: the operator decides
    }
}

// Cancel at each step, and each fault, end the procedure with the bias and the collection
// set-up back and nothing kept.
TEST_F(CorrectionProcedureTest, CancelAndFaultsAtEachStepPutTheInstrumentBack) {
    struct Case {
        const char* label;
        bool polarity;
        SimulatedChamber chamber;
        Phase at;  // where `meanwhile` happens, in step 1 (or 0)
        size_t step;
        std::function<void()> meanwhile;
        const char* message;  // empty: cancelled
    };
    auto cancel = [this] { procedure->Cancel(); };
    auto nothing = [] {};
    const SimulatedChamber usual = Chamber(BeamKind::Continuous, 90.0, 150.0);
    // The reversed bias collects less than the polarity current: no change of sign.
    const SimulatedChamber noReversal = Chamber(BeamKind::Continuous, 0, 1.5e5);
    SimulatedChamber signFlip = Chamber(BeamKind::Continuous, 9e4, 0);  // V_H, V_L: -, +
    signFlip.polarityFa = -(signFlip.CurrentAt(300) + signFlip.CurrentAt(150)) / 2;
    const Case cases[] = {
        {"cancel, reading at V", true, usual, Phase::Collecting, 0, cancel, ""},
        {"cancel, settling at -V", true, usual, Phase::Settling, 1, cancel, ""},
        {"cancel, reading at -V", true, usual, Phase::Collecting, 1, cancel, ""},
        {"cancel, settling at V", true, usual, Phase::Settling, 2, cancel, ""},
        {"cancel, reading at V again", true, usual, Phase::Collecting, 2, cancel, ""},
        {"cancel, reading at V_H", false, usual, Phase::Collecting, 0, cancel, ""},
        {"cancel, settling at V_L", false, usual, Phase::Settling, 1, cancel, ""},
        {"cancel, reading at V_L", false, usual, Phase::Collecting, 1, cancel, ""},
        {"no chamber signal", true, SimulatedChamber{}, Phase::Collecting, 0, nothing,
         "A reading is zero"},
        {"no sign change", true, noReversal, Phase::Collecting, 0, nothing, "did not change sign"},
        {"V_H and V_L differ in sign", false, signFlip, Phase::Collecting, 0, nothing,
         "V_H and V_L differ"},
        {"over range", true, Chamber(BeamKind::Continuous, 0, -6e5), Phase::Collecting, 0, nothing,
         "over range"},
        {"read-back off at V again", true, usual, Phase::Settling, 1,
         [this] { doc->Filter.Cal[0].BiasM = 0.5; },
         "did not confirm +300 V\r\n(read back +150 V)"},
        {"bias changed remotely", false, usual, Phase::Collecting, 1,
         [this] { doc->SetBias(0, 200); }, "bias was changed"},
        {"collection stopped", true, usual, Phase::Collecting, 1,
         [this] {
             doc->Collecting = 0;
             doc->UpdateAllViews(kHintCollection);
         },
         "stopped before its end"},
        {"link lost before -V", true, usual, Phase::Collecting, 0,
         [this] {
             doc->SetLink(nullptr);
             RunToEnd();
             doc->SetLink(board.get());
         },
         "could not be sent"},
    };
    for (const Case& c : cases) {
        Restart();
        UseChamber(c.chamber, 300);
        CCorrectionProcedure& p =
            Make(CorrectionPlan{c.polarity, 0, BeamKind::Continuous, 2.0, 1, 3, 2});
        ASSERT_TRUE(p.Start()) << c.label << ": " << p.Message();
        ASSERT_TRUE(RunTo(c.at, c.step)) << c.label;
        Second();  // a second into it
        c.meanwhile();
        RunToEnd();
        const bool cancelled = *c.message == '\0';
        EXPECT_EQ(p.GetPhase(), cancelled ? Phase::Cancelled : Phase::Failed) << c.label;
        EXPECT_NE(p.Message().find(cancelled ? "Cancelled" : c.message), std::string::npos)
            << c.label << ": " << p.Message();
        EXPECT_NE(p.Message().find("back at +300 V."), std::string::npos) << c.label;
        board->Board().SetChamber(0, std::nullopt);
        doc->Filter.Cal[0].BiasM = 1.0;
        ExpectPutBack(300, c.label);
        EXPECT_TRUE(doc->CorrectionResults.empty()) << c.label;
        Second();  // nothing goes on afterwards
        EXPECT_EQ(board->Board().BiasVolts(0), 300) << c.label;
    }
}

TEST_F(CorrectionProcedureTest, PlansThatCannotRunAreRefusedBeforeAnythingChanges) {
    struct Case {
        const char* label;
        int16_t bias;
        double ratio;
        std::function<void(CKelvarinDoc&)> before;
        const char* message;
    };
    auto nothing = [](CKelvarinDoc&) {};
    const Case cases[] = {
        {"no bias", 0, 2.0, nothing, "Set the chamber's bias first"},
        {"V_L below 100 V", 300, 4.0, nothing, "+300 V / 4 is outside the bias"},
        {"read-back not settled", 300, 2.0, [](CKelvarinDoc& d) { d.Channel[0].BiasRead = 250; },
         "not at its set"},
    };
    for (const Case& c : cases) {
        Restart();
        UseChamber(Chamber(BeamKind::Continuous, 90, 0), c.bias);
        c.before(*doc);
        board->sent.clear();
        CCorrectionProcedure& p =
            Make(CorrectionPlan{false, 0, BeamKind::Continuous, c.ratio, 1, 2, 2});
        EXPECT_FALSE(p.Start()) << c.label;
        EXPECT_NE(p.Message().find(c.message), std::string::npos) << c.label << ": " << p.Message();
        EXPECT_EQ(p.GetPhase(), Phase::Ready) << c.label;
        EXPECT_TRUE(BiasCommands().empty()) << c.label;
        EXPECT_EQ(doc->CorrectionRunning, 0) << c.label;
    }
}

}  // namespace
