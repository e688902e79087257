// "Baseline Setup" by taps against the in-process board: collecting the three sets, the
// statistics, deleting a point, the dose dialog, calculating and saving with every point.
#include <tuple>

#include "scint/CScintDoseValDlg.h"
#include "scint/CScintSaveBaselineDlg.h"
#include "scint/CScintSetup.h"
#include "scint/scint_fixture.h"
#include "store/faulty_vfs.h"

namespace scint_test {
namespace {

using V = CScintSetup;

class ScintSetupPage : public ScintPageTest {
  protected:
    // Sets 1 and 2 of the worked example: 1000/250 pC and 1400/450 pC, then calculated.
    void CollectRelativeSetsAndCalculate() {
        Probe(100000, 25000);
        CollectPoint();
        TapControl(V::kIdFirstSet + 2);
        Probe(140000, 45000);
        CollectPoint();
        TapControl(V::kIdCalculate);
    }
};

TEST_F(ScintSetupPage, PointsGoToTheActiveSetAndTheirRowsDeleteThem) {
    board->sent.clear();
    V& view = *Show<CScintSetup>();
    std::vector<std::tuple<int, int, int>> commands;  // code, channel, value
    for (const BOARD_PACKET& p : board->sent)
        commands.emplace_back(p.code, p.payload[0], p.payload[1]);
    commands.resize(4);
    // Both inputs in the low range, then both biases off.
    EXPECT_EQ(commands, (std::vector<std::tuple<int, int, int>>{
                            {0x00, 0, 0}, {0x00, 1, 0}, {0x01, 0, 0}, {0x01, 1, 0}}));

    Probe(100000, 25000);
    CollectPoint();
    Probe(900000, 25000);  // 900 pA: past the low range, no point
    CollectPoint();
    Probe(102000, 26000);
    CollectPoint();
    EXPECT_EQ(Column(V::kIdList, 1), (std::vector<std::string>{"1000.000", "1020.000"}));
    TapControl(1011);  // a timed collection stopped early adds nothing
    Seconds(3);
    TapControl(1011);
    EXPECT_EQ(view.Sets()[1].size(), 2u);
    ThenAnswer("No");
    TapRow(V::kIdList, 0);
    EXPECT_EQ(view.Sets()[1].size(), 2u);
    std::string asked;
    ThenAnswer("Yes", &asked);
    TapRow(V::kIdList, 0);
    EXPECT_EQ(asked, "Are you sure?\r\nThis data cannot be recovered!");
    EXPECT_EQ(Column(V::kIdList, 1), std::vector<std::string>{"1020.000"});
    TapControl(V::kIdFirstSet + 2);
    EXPECT_TRUE(Column(V::kIdList, 1).empty());

    // Equal blue averages in both sets: the calculation's message, and no Save.
    Probe(102000, 45000);
    CollectPoint();
    std::string told;
    ThenAnswer("OK", &told);
    TapControl(V::kIdCalculate);
    EXPECT_EQ(told.substr(0, 46), "The Scintillator baseline calculation failed.\r");
    EXPECT_EQ(TextOf(V::kIdGain), "----");
    EXPECT_FALSE(Enabled(V::kIdSave));
}

// The dose dialog's refusals, the factors forgotten when the dose changes, and the save.
TEST_F(ScintSetupPage, ABaselineIsCalculatedForgottenOnADoseChangeAndSavedWholeOrNotAtAll) {
    V& view = *Show<CScintSetup>();
    std::string refusal, unitMissing;
    ThenTouch(CScintDoseValDlg::kIdDose);
    ThenTouch(CScintDoseValDlg::kIdValue);
    ThenKeys("0");
    ThenAnswer("OK", &refusal);
    ThenTouch(CScintDoseValDlg::kIdValue);
    ThenKeys(".");  // a lone point is no entry
    ThenTouch(CScintDoseValDlg::kIdOk);
    ThenAnswer("OK", &unitMissing);
    ThenTouch(CScintDoseValDlg::kIdCancel);
    TapControl(V::kIdSetDose);
    EXPECT_EQ(refusal, "The dose value must be a number greater than 0.");
    EXPECT_EQ(unitMissing, "Absolute calculation requires dose unit type to be selected.");
    EXPECT_EQ(view.Baseline().DoseType, 0);

    CollectRelativeSetsAndCalculate();
    EXPECT_EQ(TextOf(V::kIdGain), "0.002");
    Screenshot("scint_setup_calculated.png");

    // A dose of 2.5 cGy: the old factors go, and calculating waits for the 10x10 set.
    ThenSetDose();
    TapControl(V::kIdSetDose);
    EXPECT_EQ(TextOf(V::kIdGain), "----");
    EXPECT_FALSE(Enabled(V::kIdSave));
    TapControl(V::kIdFirstSet);
    Probe(90100, 20100);
    CollectPoint();
    TapControl(V::kIdCalculate);
    EXPECT_EQ(TextOf(V::kIdGain), "0.005");

    // Only the dose value changes: Save must not keep a gain made for another dose.
    ThenTouch(CScintDoseValDlg::kIdValue);
    ThenKeys("2");
    ThenTouch(CScintDoseValDlg::kIdOk);
    TapControl(V::kIdSetDose);
    EXPECT_EQ(TextOf(V::kIdGain), "----");
    EXPECT_FALSE(Enabled(V::kIdSave));

    // Back to relative: the 10x10 set is left and locked.
    ThenTouch(CScintDoseValDlg::kIdRelative);
    ThenTouch(CScintDoseValDlg::kIdOk);
    TapControl(V::kIdSetDose);
    EXPECT_EQ(view.ActiveSet(), 1);
    EXPECT_FALSE(Enabled(V::kIdFirstSet));
    EXPECT_EQ(view.Baseline().ScintDoseUnit, -1);

    // Saved under one new key or not at all: a failed write stores nothing and keeps the page
    // with its points; the save after it goes through.
    TapControl(V::kIdCalculate);
    FaultyVfs vfs;
    vfs.Arm(1, FaultyVfs::Fault::kFail);
    std::string told;
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    ThenAnswer("OK", &told);
    TapControl(V::kIdSave);
    EXPECT_TRUE(vfs.FaultHit());
    vfs.Disarm();
    EXPECT_NE(told.find("Could not save data."), std::string::npos) << told;
    EXPECT_TRUE(StoredBaselines().empty());
    ASSERT_EQ(Page<CScintSetup>(), &view);
    EXPECT_EQ(view.Sets()[2].size(), 1u);
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    TapControl(V::kIdSave);
    ASSERT_EQ(StoredBaselines().size(), 1u);
    // A second save in the same second would share the key.
    V& again = *Show<CScintSetup>();
    CollectRelativeSetsAndCalculate();
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    ThenAnswer("OK", &told);
    TapControl(V::kIdSave);
    EXPECT_NE(told.find("already exists"), std::string::npos) << told;
    EXPECT_EQ(StoredBaselines().size(), 1u);
    EXPECT_EQ(Page<CScintSetup>(), &again);
}

}  // namespace
}  // namespace scint_test
