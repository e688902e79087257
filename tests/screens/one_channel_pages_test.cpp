// The set-up and data pages of the one-channel screen: chamber calibration from the chamber
// library, temperature/pressure correction with its keypad limits, and the data list.
#include "controls/ModalRegistry.h"
#include "one_channel_fixture.h"
#include "screens/CChamberListDlg.h"
#include "screens/COneChannelDataDlg.h"
#include "screens/COneChannelSetupDlg.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;
using Setup = COneChannelSetupDlg;
using Data = COneChannelDataDlg;

constexpr int16_t kDoseMode = 8;      // N_k, Gy/C: a dose from the charge
constexpr int16_t kStrengthMode = 1;  // Gym^2/(h*A): a source strength from the current

class PagesTest : public OneChannelTest {
  protected:
    void ShowTab(int index) {
        auto* tabs = dynamic_cast<CTouchTabCtrl*>(FindById(&View(), Ids::kIdTabs));
        ASSERT_NE(tabs, nullptr);
        const fw::Rect r = tabs->TabRect(index);
        Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    bool Marked(int id) {
        auto* box = dynamic_cast<CBttn*>(FindById(&View(), id));
        return box != nullptr && box->IsMarked();
    }
    bool Shown(int id) {
        fw::Window* w = FindById(&View(), id);
        return w != nullptr && w->IsVisible();
    }
    void SelectDoseChamber() {
        AddChamber("FC65-G", "1234", kDoseMode);
        ThenPickChamber(0);
        TapControl(Setup::kIdSystemFactor);
    }
};

// ---- system factor and chamber -----------------------------------------------------------

TEST_F(PagesTest, ApplyingTheSystemFactorTakesTheChosenChamberAndShowsTheDoseLine) {
    AddChamber("FC65-G", "1234", kDoseMode);
    AddChamber("TN30013", "5678", kStrengthMode);
    OpenScreen(0, 0);
    EXPECT_EQ(CaptionOf(Setup::kIdChamber), "No Chamber Selected");
    EXPECT_FALSE(Shown(Setup::kIdTpCorrection));
    ThenPickChamber(1);
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(doc->Channel[0].ChamberIndex, 1);
    EXPECT_EQ(doc->Channel[0].SystemFactor, 1);
    EXPECT_EQ(CaptionOf(Setup::kIdChamber), "TN30013, 5678, Co-60");
    EXPECT_TRUE(Shown(Setup::kIdTpCorrection));
    // A current-based calibration: rate, then the source strength, then charge.
    EXPECT_EQ(TextOf(Ids::kIdDoseCaption), "Source Strength:");
    auto rate = FindById(&View(), Ids::kIdRateValue)->GetRect();
    auto dose = FindById(&View(), Ids::kIdDoseValue)->GetRect();
    auto charge = FindById(&View(), Ids::kIdChargeValue)->GetRect();
    EXPECT_LT(rate.top, dose.top);
    EXPECT_LT(dose.top, charge.top);
    Screenshot("one_channel_source_strength.png");
}

TEST_F(PagesTest, AChargeBasedChamberPutsTheDoseBelowTheCharge) {
    OpenScreen(0, 0);
    SelectDoseChamber();
    EXPECT_EQ(TextOf(Ids::kIdDoseCaption), "Dose:");
    auto dose = FindById(&View(), Ids::kIdDoseValue)->GetRect();
    auto charge = FindById(&View(), Ids::kIdChargeValue)->GetRect();
    EXPECT_LT(charge.top, dose.top);
    // 2 pA for the 15 s default: 30 pC, times 5.000E7 Gy/C (× 1E-12 per pC) is 1.5 mGy.
    InjectCurrent(0, 2000.0);
    Readings(200);
    TapControl(Ids::kIdStartStop);
    Seconds(15);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "30.00");
    EXPECT_EQ(TextOf(Ids::kIdDoseValue), "1.500");
    EXPECT_EQ(TextOf(Ids::kIdDoseUnit), "mGy");
    EXPECT_TRUE(OverflowingTexts().empty());
    Screenshot("one_channel_dose.png");
}

TEST_F(PagesTest, ThePickerShowsTheCalibrationOfTheTouchedRow) {
    AddChamber("FC65-G", "1234", kDoseMode);
    AddChamber("TN30013", "5678", kStrengthMode);
    OpenScreen(0, 0);
    std::string coefficient, polarity;
    script->Then([] {
        const fw::Rect r = fw::Loop().TopLevel()->FindChild(CChamberListDlg::kIdList)->GetRect();
        fw::Loop().InjectTouch({fw::TouchKind::Down, {r.left + 60, r.top + 40}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {r.left + 60, r.top + 40}});
    });
    script->Then([&] {
        fw::Window* picker = fw::Loop().TopLevel();
        coefficient = dynamic_cast<CLabel*>(picker->FindChild(1178))->Text();
        polarity = dynamic_cast<CLabel*>(picker->FindChild(1185))->Text();
        for (const fw::DrawnText& t : OverflowingTexts())
            ADD_FAILURE() << "\"" << t.text << "\" does not fit its place";
        Screenshot("one_channel_chamber_picker.png");
        TouchCentreOf(picker->FindChild(CChamberListDlg::kIdCancel));
    });
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(coefficient, "5.000 x 10^7 N_s_k:Gym^2/(h*A)");  // the second row's mode 1
    EXPECT_EQ(polarity, "0");
}

TEST_F(PagesTest, CancellingThePickerWithoutAChamberLeavesTheFactorOff) {
    AddChamber("FC65-G", "1234", kDoseMode);
    OpenScreen(0, 0);
    ThenPickChamber(-1, CChamberListDlg::kIdCancel);
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(doc->Channel[0].SystemFactor, 0);
    EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
    EXPECT_FALSE(Marked(Setup::kIdSystemFactor));
}

TEST_F(PagesTest, AStandbyRequestClosingThePickerChangesNothing) {
    AddChamber("FC65-G", "1234", kDoseMode);
    OpenScreen(0, 0);
    script->Then([] { controls::DismissOpenModalsForStandby(); });
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(doc->Channel[0].SystemFactor, 0);
    EXPECT_FALSE(Marked(Setup::kIdSystemFactor));
}

TEST_F(PagesTest, SwitchingTheFactorOffDropsTheChamberAndTheCorrection) {
    OpenScreen(0, 0);
    SelectDoseChamber();
    doc->Channel[0].TPCorrection = 1;
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
    EXPECT_EQ(doc->Channel[0].SystemFactor, 0);
    EXPECT_EQ(doc->Channel[0].TPCorrection, 0);
    EXPECT_EQ(CaptionOf(Setup::kIdChamber), "No Chamber Selected");
    EXPECT_FALSE(Shown(Ids::kIdDoseValue));
    EXPECT_FALSE(Shown(Ids::kIdAdc));
}

TEST_F(PagesTest, AChamberChosenOnChannelTwoMakesItTheChannelShown) {
    AddChamber("FC65-G", "1234", kDoseMode);
    OpenScreen(1, 0);
    doc->OneChannelShown = 0;
    ThenPickChamber(0);
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(doc->Channel[1].ChamberIndex, 0);
    EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
    EXPECT_EQ(doc->OneChannelShown, 1);
}

TEST_F(PagesTest, AChamberInUseOnTheOtherChannelCannotBePicked) {
    AddChamber("FC65-G", "1234", kDoseMode);
    AddChamber("TN30013", "5678", kStrengthMode);
    OpenScreen(1, 0);
    ASSERT_TRUE(doc->SelectChamber(0, 0));
    doc->Channel[0].SystemFactor = 1;
    script->Then([] {  // touch the first row, which channel 1 uses
        const fw::Rect r = fw::Loop().TopLevel()->FindChild(CChamberListDlg::kIdList)->GetRect();
        fw::Loop().InjectTouch({fw::TouchKind::Down, {r.left + 60, r.top + 5}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {r.left + 60, r.top + 5}});
    });
    std::string message;
    ThenAcknowledge(&message);
    script->Then([] { TouchCentreOf(fw::Loop().TopLevel()->FindChild(CChamberListDlg::kIdOk)); });
    const int starvedBefore = fw::Loop().StarvedModalLoops();
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(message.rfind("This chamber is currently in use.", 0), 0u);
    EXPECT_EQ(doc->Channel[1].ChamberIndex, -1);
    EXPECT_EQ(doc->Channel[1].SystemFactor, 0);
    EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedBefore);  // every dialog was answered
}

// ---- temperature and pressure ------------------------------------------------------------

TEST_F(PagesTest, CorrectionTakesTemperatureThenPressure) {
    OpenScreen(0, 0);
    SelectDoseChamber();
    ThenKeypadEntry("23.5");
    ThenKeypadEntry("750");
    TapControl(Setup::kIdTpCorrection);
    EXPECT_EQ(doc->Channel[0].TPCorrection, 1);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Temperature, 23.5);
    EXPECT_DOUBLE_EQ(doc->Channel[1].Temperature, 23.5);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Pressure, 750.0);
    EXPECT_EQ(CaptionOf(Setup::kIdTemperature), "23.5");
    EXPECT_EQ(CaptionOf(Setup::kIdPressure), "750.0");
    EXPECT_TRUE(Shown(Ids::kIdAdc));
    EXPECT_NEAR(doc->Filter.Chan[0].TPFactor, (23.5 + 273.15) / 293.15 * 760.0 / 750.0, 1e-12);
    Screenshot("one_channel_tp_correction.png");
}

TEST_F(PagesTest, CancellingThePressureKeepsTheNewTemperatureButNoCorrection) {
    OpenScreen(0, 0);
    SelectDoseChamber();
    ThenKeypadEntry("25");
    ThenKeypadCancel();
    TapControl(Setup::kIdTpCorrection);
    EXPECT_EQ(doc->Channel[0].TPCorrection, 0);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Temperature, 25.0);
    EXPECT_FALSE(Marked(Setup::kIdTpCorrection));
    EXPECT_EQ(CaptionOf(Setup::kIdTemperature), "----");
    EXPECT_EQ(CaptionOf(Setup::kIdPressure), "----");
}

TEST_F(PagesTest, TemperatureAndPressureOutsideTheirLimitsKeepTheOldValues) {
    OpenScreen(0, 0);
    SelectDoseChamber();
    ThenKeypadEntry("21");
    ThenKeypadEntry("755");
    TapControl(Setup::kIdTpCorrection);
    ASSERT_EQ(doc->Channel[0].TPCorrection, 1);
    const double factor = doc->Filter.Chan[0].TPFactor;
    for (const char* keys : {"99", "60.1"}) {
        std::string message;
        ThenKeypadEntry(keys);
        ThenAcknowledge(&message);
        TapControl(Setup::kIdTemperature);
        EXPECT_EQ(message.rfind("The temperature is invalid.", 0), 0u) << keys;
    }
    for (const char* keys : {"0", "2000"}) {  // no pressure may divide the correction by 0
        std::string message;
        ThenKeypadEntry(keys);
        ThenAcknowledge(&message);
        TapControl(Setup::kIdPressure);
        EXPECT_EQ(message.rfind("The pressure is invalid.", 0), 0u) << keys;
    }
    EXPECT_DOUBLE_EQ(doc->Channel[0].Temperature, 21.0);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Pressure, 755.0);
    EXPECT_DOUBLE_EQ(doc->Filter.Chan[0].TPFactor, factor);
    EXPECT_EQ(CaptionOf(Setup::kIdTemperature), "21.0");
}

TEST_F(PagesTest, PressureInAtmospheresTakesThreeDecimals) {
    doc->PressStd = 1;
    OpenScreen(0, 0);
    SelectDoseChamber();
    ThenKeypadEntry("20");
    ThenKeypadEntry("0.987");
    TapControl(Setup::kIdTpCorrection);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Pressure, 0.987);
    EXPECT_EQ(CaptionOf(Setup::kIdPressure), "0.987");
    EXPECT_TRUE(ScreenHasText("Pressure (atm)"));
}

// ---- data page ---------------------------------------------------------------------------

TEST_F(PagesTest, ScrollButtonsWakeAtTheFifthRow) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    Readings(200);
    ShowTab(1);
    for (int i = 0; i < 4; ++i) {
        AddMeasurementRow();
    }
    EXPECT_EQ(View().DataPage().List().GetItemCount(), 4);
    EXPECT_FALSE(FindById(&View(), Data::kIdScrollDown)->IsEnabled());
    AddMeasurementRow();
    EXPECT_EQ(View().DataPage().List().GetItemCount(), 5);
    EXPECT_TRUE(FindById(&View(), Data::kIdScrollDown)->IsEnabled());
    EXPECT_TRUE(ScreenHasText(doc->Title + "*"));
    for (const fw::DrawnText& t : OverflowingTexts())
        ADD_FAILURE() << "\"" << t.text << "\" does not fit its place";
    Screenshot("one_channel_data_page.png");
}

TEST_F(PagesTest, ANewRowOffersTheFilePagesSave) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    Readings(200);
    EXPECT_FALSE(View().FilePage().SaveEnabled());
    AddMeasurementRow();
    EXPECT_EQ(View().FilePage().ShownName(), doc->Title + "*");
    EXPECT_TRUE(View().FilePage().SaveEnabled());
    ShowTab(2);
    for (const fw::DrawnText& t : OverflowingTexts())
        ADD_FAILURE() << "\"" << t.text << "\" does not fit its place";
    Screenshot("one_channel_file_page.png");
}

TEST_F(PagesTest, AQuantityARowDoesNotHaveShowsNoUnit) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    InjectCurrent(0, 61.0);
    Readings(200);
    AddMeasurementRow();
    const CTouchListCtrl& list = View().DataPage().List();
    EXPECT_EQ(list.GetItemText(0, 2), "0.061 pA");
    ShowTab(1);
    TapControl(Data::kQuantityIds[Data::kCharge]);
    EXPECT_EQ(list.GetItemText(0, 2), "----");
    EXPECT_EQ(list.GetItemText(0, 1), doc->MeasList[0].Time);
}

TEST_F(PagesTest, ATouchedFlagReachesTheRow) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    Readings(200);
    AddMeasurementRow();
    ShowTab(1);
    const fw::Rect r = View().DataPage().List().GetRect();
    Tap(r.left + 12, r.top + 10);
    EXPECT_EQ(doc->MeasList[0].Flagged, View().DataPage().List().GetItemData(0));
    EXPECT_NE(doc->MeasList[0].Flagged, 0);
}

TEST_F(PagesTest, DoseQuantitiesFollowTheCalibrationMode) {
    OpenScreen(0, 0);
    ShowTab(1);
    EXPECT_FALSE(Shown(Data::kQuantityIds[Data::kDose]));
    EXPECT_FALSE(Shown(Data::kQuantityIds[Data::kDoseRate]));
    ShowTab(0);
    SelectDoseChamber();
    ShowTab(1);
    EXPECT_TRUE(Shown(Data::kQuantityIds[Data::kDose]));
    EXPECT_FALSE(Shown(Data::kQuantityIds[Data::kDoseRate]));
    EXPECT_TRUE(ScreenHasText("System Factor Applied"));
    for (const fw::DrawnText& t : OverflowingTexts())
        ADD_FAILURE() << "\"" << t.text << "\" does not fit its place";
    Screenshot("one_channel_dose_data_page.png");
}

}  // namespace
}  // namespace one_channel_test
