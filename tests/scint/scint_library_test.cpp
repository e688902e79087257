// The baseline library by taps: the rows with their units, the sets shown per dose type with
// the sample standard deviation, Delete of a baseline and only its points, failed deletes,
// and page command 567 choosing the baseline to measure with.
#include "scint/BaselineStore.h"
#include "scint/CScintLibView.h"
#include "scint/CScintListDlg.h"
#include "scint/scint_fixture.h"
#include "store/faulty_vfs.h"

namespace scint_test {
namespace {

using V = CScintLibView;

// A baseline stamped at 12:00:0`second`; set 0 holds 7 and set 1 the points 1, 2, 3.
void Save(const std::string& serial, int second, int doseType, int unit) {
    SCINT_BASELINE b;
    b.ScintSerial = serial;
    b.DoseType = doseType;
    b.ScintGain = doseType == 1 ? 0.00501 : 0.002;
    b.ScintDoseUnit = static_cast<int16_t>(unit);
    scint::StampBaseline(b, fw::LocalTime{2026, 12, 2, 8, 12, 0, second, 0});
    const scint::PointSets sets{Points({{7, 3.5}}), Points({{1, 0.5}, {2, 1}, {3, 1.5}}), {}};
    ASSERT_EQ(scint::SaveBaseline(b, sets), scint::SaveOutcome::kSaved);
}

TEST_F(ScintPageTest, TheLibraryShowsEachBaselinesSetsChoosesByARowAndDeletesOnlyItsPoints) {
    Save("REL1", 1, 0, -1);
    Save("DOSE2", 2, 1, 2);
    Save("ODD3", 3, 1, 7);  // a unit from outside the table, as a foreign record may hold
    doc->PasswordProtect = 1;
    V& view = *Show<CScintLibView>();
    EXPECT_EQ(Column(V::kIdList, 0), (std::vector<std::string>{"REL1", "DOSE2", "ODD3"}));
    EXPECT_EQ(Column(V::kIdList, 1), (std::vector<std::string>{"----", "cGy", "----"}));
    TapRow(V::kIdList, 0);
    EXPECT_EQ(view.DisplayedSet(), 1);  // a relative baseline opens on the 40x40 min set
    // The sample deviation of 1, 2, 3 (the population's would be 0.816).
    EXPECT_EQ(TextOf(V::kIdStatistics[2]), "1.000");
    EXPECT_EQ(TextOf(V::kIdFactors[0]), "0.002");
    EXPECT_EQ(TextOf(V::kIdFactors[4]), "12:00:01");
    TapControl(V::kIdFirstSet);  // no 10x10 set for a relative baseline
    EXPECT_EQ(view.DisplayedSet(), 1);
    Screenshot("scint_library.png");
    TapRow(V::kIdList, 1);
    EXPECT_EQ(view.DisplayedSet(), 0);  // a dose baseline opens on the 10x10 set
    EXPECT_EQ(Column(V::kIdPoints, 0), std::vector<std::string>{"7.000"});
    EXPECT_EQ(TextOf(V::kIdFactors[0]), "0.005");

    // Page command 567 without a row chosen: OK is not offered and nothing is chosen (a row
    // and OK is the workflow walk's).
    const SCINT_BASELINE before = doc->ScintBaseline;
    ThenTouch(CScintListDlg::kIdOk);
    ThenTouch(CScintListDlg::kIdCancel);
    view.OnCommand(567, nullptr);
    fw::Loop().ProcessReady();
    EXPECT_EQ(doc->ScintBaseline, before);

    // The first write of a delete fails: the retry box, No, and everything is still there.
    const std::string relKey = StoredBaselines()[0].BaselineKey;
    ASSERT_EQ(StoredPoints(relKey).size(), 4u);
    FaultyVfs vfs;
    vfs.Arm(1, FaultyVfs::Fault::kFail);
    TapRow(V::kIdList, 0);
    ThenType("5937");
    ThenAnswer("Yes");
    std::string told;
    ThenAnswer("No", &told);
    TapControl(V::kIdDelete);
    vfs.Disarm();
    EXPECT_EQ(told, "Could not save data.\r\nWould you like to try again?");
    EXPECT_EQ(StoredBaselines().size(), 3u);
    EXPECT_EQ(StoredPoints(relKey).size(), 4u);
    // Again (the password was given once this visit): gone with its points, the others kept.
    TapRow(V::kIdList, 0);
    ThenAnswer("Yes");
    TapControl(V::kIdDelete);
    EXPECT_EQ(Column(V::kIdList, 0), (std::vector<std::string>{"DOSE2", "ODD3"}));
    EXPECT_TRUE(StoredPoints(relKey).empty());
}

}  // namespace
}  // namespace scint_test
