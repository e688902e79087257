// The set-up and data pages of the one-channel screen: chamber calibration from the chamber
// library, temperature/pressure correction with its keypad limits, and the data list.
#include <functional>

#include "controls/ModalRegistry.h"
#include "one_channel_fixture.h"
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
        auto* tabs = dynamic_cast<CTouchTabCtrl*>(Control(Ids::kIdTabs));
        ASSERT_NE(tabs, nullptr);
        TouchCentreOf(tabs->TabRect(index));
        fw::Loop().ProcessReady();
    }
    bool Marked(int id) {
        auto* box = dynamic_cast<CBttn*>(Control(id));
        return box != nullptr && box->IsMarked();
    }
    int Top(int id) { return Control(id)->GetRect().top; }
    void SelectDoseChamber() {
        AddChamber("FC65-G", "1234", kDoseMode);
        ThenPickChamber(0);
        TapControl(Setup::kIdSystemFactor);
    }
};

// ---- system factor and chamber -----------------------------------------------------------

TEST_F(PagesTest, TheChosenChamberPutsItsQuantityWhereItsCalibrationModeSays) {
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
    EXPECT_LT(Top(Ids::kIdRateValue), Top(Ids::kIdDoseValue));
    EXPECT_LT(Top(Ids::kIdDoseValue), Top(Ids::kIdChargeValue));
    Screenshot("one_channel_source_strength.png");

    // A charge-based one puts the dose below the charge. 2 pA for the 15 s default: 30 pC,
    // times 5.000E7 Gy/C (x 1E-12 per pC) is 1.5 mGy.
    TapControl(Setup::kIdSystemFactor);  // off
    ThenPickChamber(0);
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(TextOf(Ids::kIdDoseCaption), "Dose:");
    EXPECT_LT(Top(Ids::kIdChargeValue), Top(Ids::kIdDoseValue));
    InjectCurrent(0, 2000.0);
    Readings(200);
    TapControl(Ids::kIdStartStop);
    Seconds(15);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "30.00");
    EXPECT_EQ(TextOf(Ids::kIdDoseValue), "1.500");
    EXPECT_EQ(TextOf(Ids::kIdDoseUnit), "mGy");
    ExpectEverythingFits();
    Screenshot("one_channel_dose.png");
}

TEST_F(PagesTest, ThePickerShowsTheCalibrationOfTheTouchedRow) {
    AddChamber("FC65-G", "1234", kDoseMode);
    AddChamber("TN30013", "5678", kStrengthMode);
    OpenScreen(0, 0);
    std::string coefficient, polarity;
    ThenPickChamber(1, -1);
    ThenDo([&] {
        fw::Window* picker = fw::Loop().TopLevel();
        coefficient = testing_support::LabelText(picker, 1178);
        polarity = testing_support::LabelText(picker, 1185);
        ExpectEverythingFits();
        Screenshot("one_channel_chamber_picker.png");
        TouchCentreOf(picker->FindChild(CChamberListDlg::kIdCancel));
    });
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(coefficient, "5.000 x 10^7 N_s_k:Gym^2/(h*A)");  // the second row's mode 1
    EXPECT_EQ(polarity, "0");
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

TEST_F(PagesTest, OnChannelTwoAChamberBecomesItsOwnUnlessChannelOneUsesIt) {
    AddChamber("FC65-G", "1234", kDoseMode);
    AddChamber("TN30013", "5678", kStrengthMode);
    OpenScreen(1, 0);
    doc->OneChannelShown = 0;
    ThenPickChamber(1);
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(doc->Channel[1].ChamberIndex, 1);
    EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
    EXPECT_EQ(doc->OneChannelShown, 1);  // the chamber's channel is the one shown

    TapControl(Setup::kIdSystemFactor);  // off again
    ASSERT_TRUE(doc->SelectChamber(0, 0));
    doc->Channel[0].SystemFactor = 1;
    std::string message;
    ThenPickChamber(0, -1);
    ThenAcknowledge(&message);
    ThenDo([] { testing_support::TouchOnTop(CChamberListDlg::kIdOk); });
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(message.rfind("This chamber is currently in use.", 0), 0u);
    EXPECT_EQ(doc->Channel[1].ChamberIndex, -1);
    EXPECT_EQ(doc->Channel[1].SystemFactor, 0);
}

// ---- temperature and pressure ------------------------------------------------------------

TEST_F(PagesTest, CorrectionTakesTemperatureThenPressureInTheChosenUnit) {
    struct Case {
        int16_t pressStd;
        const char* pressureKeys;
        double pressure;
        const char* shown;
        const char* label;
    } cases[] = {{0, "750", 750.0, "750.0", "Pressure (mmHg)"},
                 {1, "0.987", 0.987, "0.987", "Pressure (atm)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        doc->PressStd = c.pressStd;
        OpenScreen(0, 0);
        SelectDoseChamber();
        ThenKeypadEntry("23.5");
        ThenKeypadEntry(c.pressureKeys);
        TapControl(Setup::kIdTpCorrection);
        EXPECT_EQ(doc->Channel[0].TPCorrection, 1);
        EXPECT_DOUBLE_EQ(doc->Channel[1].Temperature, 23.5);
        EXPECT_DOUBLE_EQ(doc->Channel[0].Pressure, c.pressure);
        EXPECT_EQ(CaptionOf(Setup::kIdTemperature), "23.5");
        EXPECT_EQ(CaptionOf(Setup::kIdPressure), c.shown);
        EXPECT_TRUE(ScreenHasText(c.label));
        EXPECT_TRUE(Shown(Ids::kIdAdc));
        if (c.pressStd == 0) {
            EXPECT_NEAR(doc->Filter.Chan[0].TPFactor, (23.5 + 273.15) / 293.15 * 760.0 / 750.0,
                        1e-12);
            Screenshot("one_channel_tp_correction.png");
        }
        Restart();
    }
}

TEST_F(PagesTest, RefusedOrCancelledEntriesKeepTheOldValues) {
    OpenScreen(0, 0);
    SelectDoseChamber();
    ThenKeypadEntry("25");
    ThenKeypadCancel();  // the pressure: the new temperature stays, no correction
    TapControl(Setup::kIdTpCorrection);
    EXPECT_EQ(doc->Channel[0].TPCorrection, 0);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Temperature, 25.0);
    EXPECT_FALSE(Marked(Setup::kIdTpCorrection));
    EXPECT_EQ(CaptionOf(Setup::kIdPressure), "----");

    ThenKeypadEntry("21");
    ThenKeypadEntry("755");
    TapControl(Setup::kIdTpCorrection);
    ASSERT_EQ(doc->Channel[0].TPCorrection, 1);
    const double factor = doc->Filter.Chan[0].TPFactor;
    struct Case {
        int control;
        const char* keys;
        const char* refusal;
    } cases[] = {{Setup::kIdTemperature, "99", "The temperature is invalid."},
                 {Setup::kIdTemperature, "60.1", "The temperature is invalid."},
                 // no pressure may divide the correction by 0
                 {Setup::kIdPressure, "0", "The pressure is invalid."},
                 {Setup::kIdPressure, "2000", "The pressure is invalid."}};
    for (const Case& c : cases) {
        std::string message;
        ThenKeypadEntry(c.keys);
        ThenAcknowledge(&message);
        TapControl(c.control);
        EXPECT_EQ(message.rfind(c.refusal, 0), 0u) << c.keys;
    }
    EXPECT_DOUBLE_EQ(doc->Channel[0].Temperature, 21.0);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Pressure, 755.0);
    EXPECT_DOUBLE_EQ(doc->Filter.Chan[0].TPFactor, factor);
    EXPECT_EQ(CaptionOf(Setup::kIdTemperature), "21.0");
}

// ---- data and file pages -----------------------------------------------------------------

TEST_F(PagesTest, RowsOfferTheSaveWakeTheScrollAtTheFifthAndTakeAFlag) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    Readings(200);
    EXPECT_FALSE(View().FilePage().SaveEnabled());
    AddMeasurementRow();
    EXPECT_EQ(View().FilePage().ShownName(), doc->Title + "*");
    EXPECT_TRUE(View().FilePage().SaveEnabled());
    ShowTab(1);
    const fw::Rect r = View().DataPage().List().GetRect();
    Tap(r.left + 12, r.top + 10);
    EXPECT_EQ(doc->MeasList[0].Flagged, View().DataPage().List().GetItemData(0));
    EXPECT_NE(doc->MeasList[0].Flagged, 0);
    for (int i = 0; i < 3; ++i)
        AddMeasurementRow();
    EXPECT_FALSE(Control(Data::kIdScrollDown)->IsEnabled());
    AddMeasurementRow();
    EXPECT_EQ(View().DataPage().List().GetItemCount(), 5);
    EXPECT_TRUE(Control(Data::kIdScrollDown)->IsEnabled());
    EXPECT_TRUE(ScreenHasText(doc->Title + "*"));
    ExpectEverythingFits();
    Screenshot("one_channel_data_page.png");
    ShowTab(2);
    ExpectEverythingFits();
    Screenshot("one_channel_file_page.png");
}

TEST_F(PagesTest, QuantitiesFollowTheCalibrationAndOneARowLacksShowsNoUnit) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    InjectCurrent(0, 61.0);
    Readings(200);
    AddMeasurementRow();
    const CTouchListCtrl& list = View().DataPage().List();
    EXPECT_EQ(list.GetItemText(0, 2), "0.061 pA");
    ShowTab(1);
    EXPECT_FALSE(Shown(Data::kQuantityIds[Data::kDose]));
    TapControl(Data::kQuantityIds[Data::kCharge]);
    EXPECT_EQ(list.GetItemText(0, 2), "----");
    EXPECT_EQ(list.GetItemText(0, 1), doc->MeasList[0].Time);

    ShowTab(0);
    SelectDoseChamber();
    ShowTab(1);
    EXPECT_TRUE(Shown(Data::kQuantityIds[Data::kDose]));
    EXPECT_FALSE(Shown(Data::kQuantityIds[Data::kDoseRate]));
    EXPECT_TRUE(ScreenHasText("System Factor Applied"));
    ExpectEverythingFits();
    Screenshot("one_channel_dose_data_page.png");
}

}  // namespace
}  // namespace one_channel_test
