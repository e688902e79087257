// A whole baseline by taps against the in-process board: the sets collected, calculated and
// saved, the baseline found in the library and chosen, measured with on the scintillator
// screen, and the rows saved to a data file.
#include <fstream>

#include "scint/CScintLibView.h"
#include "scint/CScintListDlg.h"
#include "scint/CScintMeasView.h"
#include "scint/CScintSaveBaselineDlg.h"
#include "scint/CScintSetup.h"
#include "scint/scint_fixture.h"
#include "screens/CFileDlg.h"

namespace scint_test {
namespace {

TEST_F(ScintPageTest, ABaselineIsCollectedSavedChosenAndMeasuredWith) {
    Show<CScintLibView>();
    TapControl(CScintLibView::kIdNew);
    ASSERT_NE(Page<CScintSetup>(), nullptr);
    ThenSetDose();
    TapControl(CScintSetup::kIdSetDose);
    // One point of 10 s in each set: 901/201, 1000/250 and 1400/450 pC.
    const std::pair<double, double> currents[] = {{90100, 20100}, {100000, 25000}, {140000, 45000}};
    for (int set = 0; set < 3; ++set) {
        TapControl(CScintSetup::kIdFirstSet + set);
        Probe(currents[set].first, currents[set].second);
        CollectPoint();
    }
    TapControl(CScintSetup::kIdCalculate);
    ThenTouch(CScintSaveBaselineDlg::kIdDescription);
    ThenType("Probe A");
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    TapControl(CScintSetup::kIdSave);

    // In the library with its three points, chosen by page command 567.
    ASSERT_NE(Page<CScintLibView>(), nullptr);
    ASSERT_EQ(Column(CScintLibView::kIdList, 2), std::vector<std::string>{"Probe A"});
    const std::vector<SCINT_MMNT> points = StoredPoints(StoredBaselines()[0].BaselineKey);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].SetIndex * 100 + points[1].SetIndex * 10 + points[2].SetIndex, 12);
    ThenDo([] { TouchListRow(fw::Loop().TopLevel(), CScintListDlg::kIdList, 0); });
    ThenTouch(CScintListDlg::kIdOk);
    Page<CScintLibView>()->OnCommand(567, nullptr);
    fw::Loop().ProcessReady();
    ASSERT_NE(Page<CScintMeasView>(), nullptr);

    // Gain 2.5 / 499 and CLR 2: a 10 s collection of (115000, 30000) fA gives (1150, 300) pC
    // and 2.756 cGy.
    Probe(115000, 30000);
    CollectPoint();
    EXPECT_EQ(TextOf(CScintMeasView::kIdCorrectedCharge), "2.756");
    EXPECT_EQ(TextOf(CScintMeasView::kIdCorrectedChargeUnit), "cGy");
    Screenshot("scint_measure.png");

    // The rows go to a data file from the File page.
    TapText("File");
    ThenTapText("OK");  // the data set's own name
    ASSERT_TRUE(TapText("Save"));
    std::ifstream in(root->Usb() / (doc->Title + ".csv"), std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(file.find("2.756"), std::string::npos);
    EXPECT_NE(file.find("Probe A"), std::string::npos);
    EXPECT_EQ(doc->ScintUnsaved, 0);
}

}  // namespace
}  // namespace scint_test
