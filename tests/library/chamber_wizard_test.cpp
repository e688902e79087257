// The chamber wizard as the library page runs it: its pages in order, when Next may be
// pressed, the fields of a record with nothing entered, the coefficient entries and their
// refusals, the report and due dates, and the choice after a new record was stored.
#include "library/CCWizLastDlg.h"
#include "library/CCalInfoDlg.h"
#include "library/CCalReportDlg.h"
#include "library/CChamberSummaryDlg.h"
#include "library/CChamberWiz.h"
#include "library/CChamberWizPage.h"
#include "library/CModelSNDlg.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using Wiz = CChamberWiz;
using Page = CChamberWizPage;

bool NextEnabled(fw::Window* top) {
    fw::Window* next = FindShown(top, Page::kIdNext);
    return next != nullptr && next->IsEnabled();
}

class WizardTest : public ChamberLibraryTest {
  protected:
    // Checks at this point of the script which page is shown and whether Next is enabled.
    void ThenExpectPage(int page, bool nextEnabled) {
        ThenCheck([page, nextEnabled](fw::Window* top) {
            CChamberWiz* wiz = dynamic_cast<CChamberWiz*>(top);
            ASSERT_NE(wiz, nullptr) << "the wizard is not on top";
            EXPECT_EQ(wiz->CurrentPage(), page);
            EXPECT_EQ(NextEnabled(top), nextEnabled) << "page " << page;
        });
    }
    void ThenExpectField(int id, const std::string& text) {
        ThenCheck([id, text](fw::Window* top) { EXPECT_EQ(LabelText(top, id), text) << id; });
    }
    const CalEntry kCal{"Co60", "5.38", "7", 8, "1.002", "-300"};
};

TEST_F(WizardTest, ANewChamberGoesThroughEveryPageAndIsStoredOnFinish) {
    OpenPage();
    ThenExpectPage(Wiz::kPageModelSerial, false);
    ThenCheck([](fw::Window* top) { EXPECT_FALSE(FindShown(top, Page::kIdBack)->IsEnabled()); });
    ThenScreenshot("chamber_wizard_model_serial_empty.png");
    ThenTouch(CModelSNDlg::kIdModel);
    ThenType("NE2571");
    ThenExpectPage(Wiz::kPageModelSerial, false);  // the serial number is still missing
    ThenTouch(CModelSNDlg::kIdSerial);
    ThenType("1234");
    ThenExpectPage(Wiz::kPageModelSerial, true);
    ThenScreenshot("chamber_wizard_model_serial.png");
    ThenTouch(Page::kIdNext);
    ThenExpectPage(Wiz::kPageReport, false);
    ThenExpectField(CCalReportDlg::kIdChamberLine, "NE2571/1234");
    ThenReportPage("PTB 201601");
    ThenExpectPage(Wiz::kPageCalibration, false);
    // A record with nothing entered: only the exponent shows a value.
    ThenExpectField(CCalInfoDlg::kIdMantissa, "");
    ThenExpectField(CCalInfoDlg::kIdExponent, "0");
    ThenExpectField(CCalInfoDlg::kIdUnits, "");
    ThenExpectField(CCalInfoDlg::kIdPolarity, "");
    ThenScreenshot("chamber_wizard_calibration_empty.png");
    ThenCalibrationPage(kCal);
    ThenExpectPage(Wiz::kPageSummary, true);
    ThenCheck([](fw::Window* top) {
        EXPECT_EQ(LabelText(top, CChamberSummaryDlg::kIdFirstValue + 3), "5.380 x 10^7 N_k:Gy/C");
        EXPECT_EQ(LabelText(top, CChamberSummaryDlg::kIdFirstValue + 5), "03/14/2016");
        EXPECT_EQ(LabelText(top, CChamberSummaryDlg::kIdFirstValue + 6), "03/14/2018");
        EXPECT_EQ(LabelText(top, CChamberSummaryDlg::kIdFirstValue + 8), "-300");
        auto* finish = dynamic_cast<CBttn*>(FindShown(top, Page::kIdNext));
        EXPECT_EQ(finish->Caption(), "Finish");
    });
    ThenScreenshot("chamber_wizard_summary.png");
    ThenFinish();
    ThenCheck([](fw::Window* top) {
        EXPECT_NE(dynamic_cast<CCWizLastDlg*>(top), nullptr) << typeid(*top).name();
    });
    ThenScreenshot("chamber_wizard_last.png");
    ThenTouch(CCWizLastDlg::kIdReturn);
    TapControl(CChamberLibView::kIdNew);

    const std::vector<CHAMBER_CAL> stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    const CHAMBER_CAL& cal = stored[0];
    EXPECT_EQ(cal.ChamberModel, "NE2571");
    EXPECT_EQ(cal.ChamberSerial, "1234");
    EXPECT_EQ(cal.ReportName, "PTB 201601");
    EXPECT_EQ(cal.ReportDate, (DATE_YMD{2016, 3, 14}));
    EXPECT_EQ(cal.CalDueDate, (DATE_YMD{2018, 3, 14}));
    EXPECT_EQ(cal.BeamIsotope, "Co60");
    EXPECT_EQ(cal.CoefMantissa, 5380);
    EXPECT_EQ(cal.CoefExponent, 7);
    EXPECT_EQ(cal.CalMode, 8);
    EXPECT_EQ(cal.Aion, "1.002");
    EXPECT_EQ(cal.Polarity, -300);
    EXPECT_EQ(Serials(), std::vector<std::string>{"1234"});
    EXPECT_EQ(View().SelectedRow(), -1);
}

}  // namespace
}  // namespace library_test
