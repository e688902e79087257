// The chamber wizard as the library page runs it, by taps against the store: a chamber with
// two calibrations entered page by page, the choice after Finish, and a standby request at
// any moment of a run.
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

using Page = CChamberWizPage;

class WizardTest : public ChamberLibraryTest {
  protected:
    // Checks at this point of the script that Next is refused on the page on top.
    void ThenExpectNextRefused() {
        ThenCheck([](fw::Window* top) {
            ASSERT_NE(dynamic_cast<CChamberWiz*>(top), nullptr) << "the wizard is not on top";
            EXPECT_FALSE(FindShown(top, Page::kIdNext)->IsEnabled());
        });
    }

  public:
    // Moments of a run, as far as the operator got.
    void ReachMantissaKeypad() {
        ThenModelSerialPage("NE2571", "1234");
        ThenReportPage("R1");
        ThenTouch(CCalInfoDlg::kIdMantissa);
    }
    void ReachLastDialog() {
        ThenModelSerialPage("NE2571", "1234");
        ThenReportPage("R1");
        ThenCalibrationPage(kRateCal);
        ThenFinish();
    }

  protected:
    // A rate-based calibration (dose rate from the current) and a charge-based one.
    const CalEntry kRateCal{"Co60", "5.38", "7", 5, "1.002", "-300"};
    const CalEntry kChargeCal{"X6", "32.75", "-2", 8, "0.998", "300"};
};

TEST_F(WizardTest, AChamberWithTwoCalibrationsIsEnteredPageByPage) {
    OpenPage();
    ThenTouch(CModelSNDlg::kIdModel);
    ThenType("NE2571");
    ThenExpectNextRefused();  // the serial number is still missing
    ThenTouch(CModelSNDlg::kIdSerial);
    ThenType("1234");
    ThenTouch(Page::kIdNext);
    ThenTouch(CCalReportDlg::kIdReport);
    ThenType("PTB 201601");
    ThenTouch(CCalReportDlg::kIdDueDate);
    ThenPickDate(0, 0, 1);
    ThenExpectNextRefused();  // the report date is still missing
    ThenTouch(CCalReportDlg::kIdReportDate);
    ThenDo([] { TouchCentreOf(CDatePickerDlg::CancelRect()); });
    ThenExpectNextRefused();
    ThenTouch(CCalReportDlg::kIdReportDate);
    ThenPickDate(0, 0, 0);  // today; the due date becomes two years on
    ThenTouch(Page::kIdNext);
    ThenCalibrationPage(kRateCal);
    ThenCheck([](fw::Window* top) {
        EXPECT_EQ(LabelText(top, CChamberSummaryDlg::kIdFirstValue + 3),
                  "5.380 x 10^7 N_D _W:mGy/(sec*A)");
    });
    ThenScreenshot("chamber_wizard_summary.png");
    ThenFinish();
    ThenScreenshot("chamber_wizard_last.png");
    // A further calibration: page 1 with the chamber and report kept.
    ThenTouch(CCWizLastDlg::kIdAnotherCalibration);
    ThenTouch(Page::kIdNext);
    ThenCalibrationPage(kChargeCal);
    ThenFinish();
    // Another chamber: page 0 with everything kept as the defaults.
    ThenTouch(CCWizLastDlg::kIdAnotherChamber);
    ThenCheck([](fw::Window* top) {
        EXPECT_EQ(LabelText(top, CModelSNDlg::kIdModel), "NE2571");
        EXPECT_EQ(LabelText(top, CModelSNDlg::kIdSerial), "1234");
    });
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
        {"a keypad of the wizard", &WizardTest::ReachMantissaKeypad, 0},
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
