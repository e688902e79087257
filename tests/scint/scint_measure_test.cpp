// A whole baseline by taps against the in-process board: the sets collected, calculated and
// saved, the baseline found in the library and chosen, measured with on the scintillator
// screen, and the rows saved to a data file.
#include <filesystem>
#include <fstream>

#include "scint/CScintDoseValDlg.h"
#include "scint/CScintLibView.h"
#include "scint/CScintListDlg.h"
#include "scint/CScintMeasView.h"
#include "scint/CScintSaveBaselineDlg.h"
#include "scint/CScintSetup.h"
#include "scint/scint_fixture.h"
#include "screens/CFileDlg.h"

namespace scint_test {
namespace {

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ScintWorkflow : public ScintPageTest {
  protected:
    // The worked sets at 10 s a point: 901/201, 1000/250 and 1400/450 pC on average.
    void CollectWorkedSets() {
        TapControl(CScintSetup::kIdFirstSet);
        for (auto [blue, green] : {std::pair{90500, 19800}, {89500, 20200}, {90300, 20300}}) {
            Probe(blue, green);
            CollectPoint();
        }
        TapControl(CScintSetup::kIdFirstSet + 1);
        for (auto [blue, green] : {std::pair{99800, 24900}, {100000, 25000}, {100200, 25100}}) {
            Probe(blue, green);
            CollectPoint();
        }
        TapControl(CScintSetup::kIdFirstSet + 2);
        for (auto [blue, green] : {std::pair{139000, 44000}, {141000, 46000}}) {
            Probe(blue, green);
            CollectPoint();
        }
    }
    void ThenDoseOf2_5cGy() {
        ThenTouch(CScintDoseValDlg::kIdDose);
        ThenTouch(CScintDoseValDlg::kIdValue);
        ThenKeys("2.5");
        ThenTouch(CScintDoseValDlg::kIdUnits);
        ThenDo([] {
            const fw::Rect r = fw::Loop().TopLevel()->GetRect();  // MU, Gy, cGy, R, mR
            TouchCentreOf({r.left, r.top + 60, r.right, r.top + 90});
        });
        ThenTouch(CScintDoseValDlg::kIdOk);
    }
};

TEST_F(ScintWorkflow, ABaselineIsCollectedSavedChosenAndMeasuredWith) {
    Show<CScintLibView>();
    TapControl(CScintLibView::kIdNew);
    ASSERT_NE(Page<CScintSetup>(), nullptr);
    ThenDoseOf2_5cGy();
    TapControl(CScintSetup::kIdSetDose);
    CollectWorkedSets();
    EXPECT_EQ(TextOf(CScintSetup::kIdStatistics[0]), "1400.000");
    EXPECT_EQ(TextOf(CScintSetup::kIdStatistics[2]), "14.142");
    TapControl(CScintSetup::kIdCalculate);
    EXPECT_EQ(TextOf(CScintSetup::kIdClr), "2.000");
    EXPECT_EQ(TextOf(CScintSetup::kIdGain), "0.005");
    EXPECT_EQ(TextOf(CScintSetup::kIdType), "Dose(cGy)");
    ThenTouch(CScintSaveBaselineDlg::kIdDescription);
    ThenType("Probe A");
    ThenTouch(CScintSaveBaselineDlg::kIdOk);
    TapControl(CScintSetup::kIdSave);

    // In the library, with all eight points.
    ASSERT_NE(Page<CScintLibView>(), nullptr);
    ASSERT_EQ(Column(CScintLibView::kIdList, 2), std::vector<std::string>{"Probe A"});
    EXPECT_EQ(StoredPoints(StoredBaselines()[0].BaselineKey).size(), 8u);
    TapRow(CScintLibView::kIdList, 0);
    EXPECT_EQ(TextOf(CScintLibView::kIdStatistics[0]), "901.000");
    // The board's readings carry the converter's steps: 5.292 within them.
    EXPECT_EQ(TextOf(CScintLibView::kIdStatistics[2]).substr(0, 4), "5.29");

    // Page command 567: chosen, then the scintillator screen.
    ThenDo([] { TouchListRow(fw::Loop().TopLevel(), CScintListDlg::kIdList, 0); });
    ThenTouch(CScintListDlg::kIdOk);
    Page<CScintLibView>()->OnCommand(567, nullptr);
    fw::Loop().ProcessReady();
    ASSERT_NE(Page<CScintMeasView>(), nullptr);
    EXPECT_EQ(TextOf(CScintMeasView::kIdCorrectedRateCaption), "Dose Rate:");
    EXPECT_EQ(TextOf(CScintMeasView::kIdCorrectedChargeUnit), "cGy");

    // (40000, 10000) fA read 0.100 cGy/sec; a 10 s collection of (115000, 30000) fA gives
    // (1150, 300) pC and 2.756 cGy.
    Probe(40000, 10000);
    Seconds(40);  // the rate's sliding sums settle
    EXPECT_EQ(TextOf(CScintMeasView::kIdCorrectedRate), "0.100");
    EXPECT_EQ(TextOf(CScintMeasView::kIdCorrectedRateUnit), "cGy/sec");
    Probe(115000, 30000);
    CollectPoint();
    EXPECT_EQ(TextOf(CScintMeasView::kIdCorrectedCharge), "2.756");
    ASSERT_EQ(doc->ScintMeasList.size(), 1u);
    EXPECT_EQ(doc->ScintMeasList[0].ChargeValue, "2.756");
    EXPECT_EQ(doc->ScintMeasList[0].ChargeUnit, "cGy");
    EXPECT_EQ(CaptionOf(1011), "Clear");
    Screenshot("scint_measure.png");

    // The rows go to a data file from the File page.
    TapText("File");
    Screenshot("scint_measure_file.png");
    ThenTapText("OK");  // the data set's own name
    ASSERT_TRUE(TapText("Save"));
    const std::string file = ReadFile(root->Usb() / (doc->Title + ".csv"));
    EXPECT_NE(file.find("2.756"), std::string::npos);
    EXPECT_NE(file.find("Probe A"), std::string::npos);
    EXPECT_EQ(doc->ScintUnsaved, 0);
}

}  // namespace
}  // namespace scint_test
