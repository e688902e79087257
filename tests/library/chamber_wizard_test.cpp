// The chamber wizard as the library page runs it, by taps against the store: a chamber with
// two calibrations entered page by page, what each page shows of a record with nothing
// entered, the choice after Finish, and a standby request at any moment of a run.
#include <tuple>

#include "library/CCWizLastDlg.h"
#include "library/CCalInfoDlg.h"
#include "library/CCalReportDlg.h"
#include "library/CChamberSummaryDlg.h"
#include "library/CChamberWiz.h"
#include "library/CChamberWizPage.h"
#include "library/CModelSNDlg.h"
#include "library_fixture.h"
#include "screens/CStandbyView.h"

namespace library_test {
namespace {

using Wiz = CChamberWiz;
using Page = CChamberWizPage;
using Info = CCalInfoDlg;

class WizardTest : public ChamberLibraryTest {
  protected:
    // Checks at this point of the script which page is shown and whether Next is enabled.
    void ThenExpectPage(int page, bool nextEnabled) {
        ThenCheck([page, nextEnabled](fw::Window* top) {
            CChamberWiz* wiz = dynamic_cast<CChamberWiz*>(top);
            ASSERT_NE(wiz, nullptr) << "the wizard is not on top";
            EXPECT_EQ(wiz->CurrentPage(), page);
            fw::Window* next = FindShown(top, Page::kIdNext);
            EXPECT_EQ(next != nullptr && next->IsEnabled(), nextEnabled) << "page " << page;
        });
    }
    // The fields `ids` of the page on top show `texts`.
    void ThenExpectFields(std::vector<int> ids, std::vector<std::string> texts) {
        ThenCheck([ids, texts](fw::Window* top) {
            for (size_t i = 0; i < ids.size(); ++i)
                EXPECT_EQ(LabelText(top, ids[i]), texts[i]) << "field " << ids[i];
        });
    }

  public:
    // Moments of a run, as far as the operator got.
    void ReachCalibrationPage() {
        ThenModelSerialPage("NE2571", "1234");
        ThenReportPage("R1");
        ThenTouch(Info::kIdBeam);  // stored in the record as it is entered
        ThenType("Co60");
    }
    void ReachMantissaKeypad() {
        ReachCalibrationPage();
        ThenTouch(Info::kIdMantissa);
    }
    void ReachSummary() {
        ThenModelSerialPage("NE2571", "1234");
        ThenReportPage("R1");
        ThenCalibrationPage(kRateCal);
    }
    void ReachLastDialog() {
        ReachSummary();
        ThenFinish();
    }

  protected:
    const std::vector<int> kCalFields{Info::kIdBeam,  Info::kIdMantissa, Info::kIdExponent,
                                      Info::kIdUnits, Info::kIdAion,     Info::kIdPolarity};
    const std::vector<std::string> kNothingEntered{"", "", "0", "", "", ""};
    // A rate-based calibration (dose rate from the current) and a charge-based one.
    const CalEntry kRateCal{"Co60", "5.38", "7", 5, "1.002", "-300"};
    const CalEntry kChargeCal{"X6", "32.75", "-2", 8, "0.998", "300"};
};

TEST_F(WizardTest, AChamberWithTwoCalibrationsIsEnteredPageByPage) {
    OpenPage();
    ThenExpectPage(Wiz::kPageModelSerial, false);
    ThenCheck([](fw::Window* top) { EXPECT_FALSE(FindShown(top, Page::kIdBack)->IsEnabled()); });
    ThenTouch(CModelSNDlg::kIdModel);
    ThenType("NE2571");
    ThenExpectPage(Wiz::kPageModelSerial, false);  // the serial number is still missing
    ThenTouch(CModelSNDlg::kIdSerial);
    ThenType("1234");
    ThenExpectPage(Wiz::kPageModelSerial, true);
    ThenScreenshot("chamber_wizard_model_serial.png");
    ThenTouch(Page::kIdNext);
    ThenExpectPage(Wiz::kPageReport, false);
    ThenExpectFields({CCalReportDlg::kIdChamberLine}, {"NE2571/1234"});
    ThenTouch(CCalReportDlg::kIdReport);
    ThenType("PTB 201601");
    ThenTouch(CCalReportDlg::kIdDueDate);
    ThenPickDate(0, 0, 1);
    ThenExpectPage(Wiz::kPageReport, false);  // the report date is still missing
    ThenTouch(CCalReportDlg::kIdReportDate);
    ThenDo([] { TouchCentreOf(CDatePickerDlg::CancelRect()); });
    ThenExpectPage(Wiz::kPageReport, false);
    ThenTouch(CCalReportDlg::kIdReportDate);
    ThenPickDate(0, 0, 0);  // today; the due date becomes two years on
    ThenExpectFields({CCalReportDlg::kIdReportDate, CCalReportDlg::kIdDueDate},
                     {"03/14/2016", "03/14/2018"});
    ThenExpectPage(Wiz::kPageReport, true);
    ThenScreenshot("chamber_wizard_report.png");
    ThenTouch(Page::kIdNext);
    ThenExpectFields(kCalFields, kNothingEntered);
    ThenScreenshot("chamber_wizard_calibration_empty.png");
    ThenCalibrationPage(kRateCal);
    ThenExpectPage(Wiz::kPageSummary, true);
    ThenCheck([](fw::Window* top) {
        const int first = CChamberSummaryDlg::kIdFirstValue;
        EXPECT_EQ(LabelText(top, first + 3), "5.380 x 10^7 N_D _W:mGy/(sec*A)");
        EXPECT_EQ(LabelText(top, first + 8), "-300");
        EXPECT_EQ(dynamic_cast<CBttn*>(FindShown(top, Page::kIdNext))->Caption(), "Finish");
    });
    ThenScreenshot("chamber_wizard_summary.png");
    ThenFinish();
    ThenScreenshot("chamber_wizard_last.png");
    // A further calibration: page 1 with the chamber and report kept, the calibration cleared.
    ThenTouch(CCWizLastDlg::kIdAnotherCalibration);
    ThenExpectPage(Wiz::kPageReport, true);
    ThenExpectFields({CCalReportDlg::kIdChamberLine, CCalReportDlg::kIdReport},
                     {"NE2571/1234", "PTB 201601"});
    ThenTouch(Page::kIdNext);
    ThenExpectFields(kCalFields, kNothingEntered);
    ThenCalibrationPage(kChargeCal);
    ThenFinish();
    // Another chamber: page 0 with everything kept as the defaults.
    ThenTouch(CCWizLastDlg::kIdAnotherChamber);
    ThenExpectPage(Wiz::kPageModelSerial, true);
    ThenExpectFields({CModelSNDlg::kIdModel, CModelSNDlg::kIdSerial}, {"NE2571", "1234"});
    ThenTouch(Page::kIdCancel);
    TapControl(CChamberLibView::kIdNew);

    const std::vector<CHAMBER_CAL> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    const int rateRow = stored[0].BeamIsotope == "Co60" ? 0 : 1;
    const auto fields = [](const CHAMBER_CAL& c) {
        return std::make_tuple(c.ChamberModel, c.ChamberSerial, c.ReportName, c.ReportDate,
                               c.CalDueDate, c.BeamIsotope, c.CoefMantissa, c.CoefExponent,
                               c.CalMode, c.Aion, c.Polarity);
    };
    const DATE_YMD today{2016, 3, 14}, due{2018, 3, 14};
    EXPECT_EQ(fields(stored[rateRow]), std::make_tuple("NE2571", "1234", "PTB 201601", today, due,
                                                       "Co60", 5380, 7, 5, "1.002", -300));
    EXPECT_EQ(fields(stored[1 - rateRow]), std::make_tuple("NE2571", "1234", "PTB 201601", today,
                                                           due, "X6", 32750, -2, 8, "0.998", 300));
    EXPECT_EQ(List().GetItemCount(), 2);
}

// A standby request closes whatever is open without its answer: the record entered so far
// is not stored, and only a record already stored before the choice after Finish remains.
TEST_F(WizardTest, AStandbyRequestAtAnyMomentOfARunStoresNothingHalfEntered) {
    struct Moment {
        const char* name;
        void (WizardTest::*reach)();
        size_t stored;
    };
    const Moment moments[] = {
        {"a wizard page", &WizardTest::ReachCalibrationPage, 0},
        {"a keypad of the wizard", &WizardTest::ReachMantissaKeypad, 0},
        {"the summary page", &WizardTest::ReachSummary, 0},
        {"the choice after Finish", &WizardTest::ReachLastDialog, 1},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        OpenPage();
        (this->*moment.reach)();
        script->Then([this] {
            board->Board().RaisePowerKey();
            fw::Loop().ProcessReady();
        });
        TapControl(CChamberLibView::kIdNew);
        EXPECT_NE(dynamic_cast<CStandbyView*>(frame->ActiveView()), nullptr);
        EXPECT_EQ(fw::Loop().ModalDepth(), 0);
        EXPECT_EQ(Stored().size(), moment.stored);
    }
}

}  // namespace
}  // namespace library_test
