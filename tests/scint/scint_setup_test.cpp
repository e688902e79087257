// "Baseline Setup" by taps against the in-process board: collecting the three sets, the
// statistics, deleting a point, the dose dialog, calculating and saving with every point.
#include "link/WindowMessages.h"
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
    void OpenSetup() {
        OpenPage<CScintSetup>();
        board->sent.clear();
    }
    V& View() { return *Page<CScintSetup>(); }
    std::vector<std::string> Statistics() {
        std::vector<std::string> texts;
        for (int id : V::kIdStatistics)
            texts.push_back(TextOf(id));
        return texts;
    }
    // Sets 1 and 2 of the worked example: 1000/250 pC and 1400/450 pC (10 s each).
    void CollectRelativeSets() {
        Probe(100000, 25000);
        CollectPoint();
        TapControl(V::kIdFirstSet + 2);
        Probe(140000, 45000);
        CollectPoint();
    }
    void ThenSetDose(const std::string& keys, int unitItem) {
        ThenTouch(CScintDoseValDlg::kIdDose);
        ThenTouch(CScintDoseValDlg::kIdValue);
        ThenKeys(keys);
        ThenTouch(CScintDoseValDlg::kIdUnits);
        ThenDo([unitItem] {
            // The units menu lists MU, Gy, cGy, R, mR from the top.
            fw::Window* menu = fw::Loop().TopLevel();
            const fw::Rect r = menu->GetRect();
            TouchCentreOf({r.left, r.top + unitItem * 30, r.right, r.top + unitItem * 30 + 30});
        });
        ThenTouch(CScintDoseValDlg::kIdOk);
    }
};

TEST_F(ScintSetupPage, OpensWithTheProbeInputsLowAndBiasOffAndNothingToCalculate) {
    board->sent.clear();
    OpenPage<CScintSetup>();
    std::vector<std::pair<int, int>> commands;
    for (const BOARD_PACKET& p : board->sent)
        commands.push_back({p.code, p.payload[0]});
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(TextOf(V::kIdActiveSet), "40x40 cm min fiber");
    EXPECT_FALSE(Enabled(V::kIdFirstSet));  // the 10x10 set is for dose baselines
    EXPECT_FALSE(Enabled(V::kIdCalculate));
    EXPECT_FALSE(Enabled(V::kIdSave));
    EXPECT_EQ(TextOf(V::kIdGain), "----");
    EXPECT_EQ(Statistics(), (std::vector<std::string>{"----", "----", "----", "----"}));
    Screenshot("scint_setup_empty.png");
}

TEST_F(ScintSetupPage, CollectedPointsFillTheSetsAndTheRowsDeletePoints) {
    OpenSetup();
    Probe(100000, 25000);
    CollectPoint();
    EXPECT_EQ(CaptionOf(1011), "Start");  // no held result on this page
    EXPECT_EQ(Column(V::kIdList, 1), std::vector<std::string>{"1000.000"});
    EXPECT_EQ(Statistics()[0], "----");  // one point: no statistics yet
    Probe(102000, 26000);
    CollectPoint();
    EXPECT_EQ(Statistics(), (std::vector<std::string>{"1010.000", "255.000", "14.142", "7.071"}));
    // A timed collection stopped early adds nothing.
    TapControl(1011);
    Seconds(3);
    TapControl(1011);
    EXPECT_EQ(View().Sets()[1].size(), 2u);
    // Touching a row asks; No keeps the point, Yes deletes it.
    ThenAnswer("No");
    TapRow(V::kIdList, 0);
    EXPECT_EQ(View().Sets()[1].size(), 2u);
    std::string asked;
    ThenAnswer("Yes", &asked);
    TapRow(V::kIdList, 0);
    EXPECT_EQ(asked, "Are you sure?\r\nThis data cannot be recovered!");
    EXPECT_EQ(Column(V::kIdList, 1), std::vector<std::string>{"1020.000"});
    EXPECT_EQ(Statistics()[0], "----");
    // Points go to the set chosen: the second 40x40 set is empty.
    TapControl(V::kIdFirstSet + 2);
    EXPECT_EQ(TextOf(V::kIdActiveSet), "40x40 cm max fiber");
    EXPECT_TRUE(Column(V::kIdList, 1).empty());
}

TEST_F(ScintSetupPage, ACollectionWhileAChannelIsOverRangeAddsNoPoint) {
    OpenSetup();
    Probe(900000, 25000);  // 900 pA: past the low range
    CollectPoint();
    EXPECT_TRUE(View().Sets()[1].empty());
    EXPECT_EQ(CaptionOf(1011), "Start");
}

TEST_F(ScintSetupPage, CalculatesTheWorkedRelativeAndDoseBaselines) {
    OpenSetup();
    CollectRelativeSets();
    ASSERT_TRUE(Enabled(V::kIdCalculate));
    TapControl(V::kIdCalculate);
    EXPECT_EQ(TextOf(V::kIdClr), "2.000");
    EXPECT_EQ(TextOf(V::kIdGain), "0.002");
    EXPECT_EQ(TextOf(V::kIdType), "Relative");
    EXPECT_TRUE(Enabled(V::kIdSave));
    Screenshot("scint_setup_calculated.png");

    // A dose of 2.5 cGy: the old factors go, and calculating waits for the 10x10 set.
    ThenSetDose("2.5", 2);
    TapControl(V::kIdSetDose);
    EXPECT_EQ(TextOf(V::kIdGain), "----");
    EXPECT_FALSE(Enabled(V::kIdSave));
    EXPECT_FALSE(Enabled(V::kIdCalculate));
    TapControl(V::kIdFirstSet);
    Probe(90100, 20100);
    CollectPoint();
    TapControl(V::kIdCalculate);
    EXPECT_EQ(TextOf(V::kIdGain), "0.005");
    EXPECT_NEAR(View().Baseline().ScintGain, 2.5 / 499.0, 1e-4);
    EXPECT_EQ(TextOf(V::kIdType), "Dose(cGy)");

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
    EXPECT_EQ(View().ActiveSet(), 1);
    EXPECT_FALSE(Enabled(V::kIdFirstSet));
    EXPECT_EQ(View().Baseline().ScintDoseUnit, -1);
}

TEST_F(ScintSetupPage, TheDoseDialogRefusesNoDoseAndADoseWithoutUnit) {
    OpenSetup();
    std::string refusal, unitMissing;
    ThenTouch(CScintDoseValDlg::kIdDose);
    ThenTouch(CScintDoseValDlg::kIdValue);
    ThenKeys("0");
    ThenAnswer("OK", &refusal);
    ThenTouch(CScintDoseValDlg::kIdValue);
    ThenKeys(".");  // a lone point is no entry
    ThenScreenshot("scint_dose_dialog.png");
    ThenTouch(CScintDoseValDlg::kIdOk);
    ThenAnswer("OK", &unitMissing);
    ThenTouch(CScintDoseValDlg::kIdCancel);
    TapControl(V::kIdSetDose);
    EXPECT_EQ(refusal, "The dose value must be a number greater than 0.");
    EXPECT_EQ(unitMissing, "Absolute calculation requires dose unit type to be selected.");
    EXPECT_EQ(View().Baseline().DoseType, 0);
    EXPECT_EQ(View().Baseline().DoseValue, 1.0);
}

TEST_F(ScintSetupPage, EqualSetsEndWithTheCalculationMessageAndNoSave) {
    OpenSetup();
    Probe(50000, 50000);
    CollectPoint();
    TapControl(V::kIdFirstSet + 2);
    Probe(80000, 80000);
    CollectPoint();
    std::string told;
    ThenAnswer("OK", &told);
    TapControl(V::kIdCalculate);
    EXPECT_EQ(told.substr(0, 46), "The Scintillator baseline calculation failed.\r");
    EXPECT_EQ(TextOf(V::kIdGain), "----");
    EXPECT_FALSE(Enabled(V::kIdSave));
}

TEST_F(ScintSetupPage, SaveWritesTheBaselineAndEveryPointUnderOneKey) {
    OpenSetup();
    CollectRelativeSets();
    TapControl(V::kIdFirstSet + 1);
    Probe(100000, 25000);
    CollectPoint();
    TapControl(V::kIdCalculate);
    ThenTouch(CScintSaveBaselineDlg::kIdSerial);
    ThenType("SN42");
    ThenTouch(CScintSaveBaselineDlg::kIdDescription);
    ThenType("Probe A");
    ThenScreenshot("scint_save_summary.png");
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    TapControl(V::kIdSave);
    const std::vector<SCINT_BASELINE> stored = StoredBaselines();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].ScintSerial, "SN42");
    EXPECT_EQ(stored[0].Description, "Probe A");
    EXPECT_EQ(stored[0].BaselineKey, MakeBaselineKey(stored[0]));
    EXPECT_NEAR(stored[0].CLR, 2.0, 1e-2);
    const std::vector<SCINT_MMNT> points = StoredPoints(stored[0].BaselineKey);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].SetIndex, 1);
    EXPECT_EQ(points[2].SetIndex, 2);
    EXPECT_EQ(Page<CScintSetup>(), nullptr);  // on to the library

    // A second save in the same second would share the key: refused, points kept.
    OpenSetup();
    CollectRelativeSets();
    TapControl(V::kIdCalculate);
    std::string told;
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    ThenAnswer("OK", &told);
    TapControl(V::kIdSave);
    EXPECT_NE(told.find("already exists"), std::string::npos);
    EXPECT_EQ(StoredBaselines().size(), 1u);
    ASSERT_NE(Page<CScintSetup>(), nullptr);
    EXPECT_EQ(View().Sets()[1].size(), 1u);
}

TEST_F(ScintSetupPage, AFailedWriteStoresNothingAndKeepsThePoints) {
    OpenSetup();
    CollectRelativeSets();
    TapControl(V::kIdCalculate);
    ASSERT_EQ(CScintDB().GetRecordCount(), 0);  // both volumes exist before the fault
    ASSERT_EQ(CScintMeasDB().GetRecordCount(), 0);
    FaultyVfs vfs;
    vfs.Arm(1, FaultyVfs::Fault::kFail);
    std::string told;
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    ThenAnswer("OK", &told);
    TapControl(V::kIdSave);
    EXPECT_TRUE(vfs.FaultHit());
    EXPECT_EQ(told.substr(0, 20), "Could not save data.");
    vfs.Disarm();
    EXPECT_TRUE(StoredBaselines().empty());
    ASSERT_NE(Page<CScintSetup>(), nullptr);
    EXPECT_TRUE(Enabled(V::kIdSave));
    EXPECT_EQ(View().Sets()[2].size(), 1u);
}

}  // namespace
}  // namespace scint_test

namespace scint_test {
namespace {

// A standby request while the summary (or the dose dialog) is open closes it unanswered:
// nothing is saved or changed, and the screen goes only after the dialog's loop has unwound.
TEST_F(ScintSetupPage, AStandbyRequestOverADialogSavesAndChangesNothing) {
    for (int dialogButton : {V::kIdSetDose, V::kIdSave}) {
        SCOPED_TRACE(dialogButton);
        OpenSetup();
        CollectRelativeSets();
        TapControl(V::kIdCalculate);
        fw::Window* view = ActiveView();
        ThenDo([view] {
            fw::Loop().Post(view->Handle(), WM_BOARD_STANDBY);
            fw::Loop().ProcessReady();
        });
        TapControl(dialogButton);
        fw::Loop().ProcessReady();
        EXPECT_TRUE(StoredBaselines().empty());
        EXPECT_EQ(fw::Loop().ModalDepth(), 0);
        EXPECT_EQ(Page<CScintSetup>(), nullptr);  // on to standby once the dialog was gone
    }
}

}  // namespace
}  // namespace scint_test
