// The set-up and data pages of the one-channel screen: chamber calibration from the chamber
// library, temperature/pressure correction with its keypad limits, and the data list.

#include "controls/ModalRegistry.h"
#include "one_channel_fixture.h"
#include "screens/COneChannelDataDlg.h"
#include "screens/COneChannelSetupDlg.h"
#include "screens/OneChannelEntry.h"

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
    void SelectDoseChamber() {
        AddChamber("FC65-G", "1234", kDoseMode);
        ThenPickChamber(0);
        TapControl(Setup::kIdSystemFactor);
    }
};

// ---- system factor and chamber -----------------------------------------------------------

// The dose line follows the calibration mode: a source strength from the current, a dose
// from the charge. The picker shows the touched row's calibration; switching the factor off
// drops the chamber and the correction.
TEST_F(PagesTest, TheChosenChamberPutsItsQuantityWhereItsCalibrationModeSays) {
    AddChamber("FC65-G", "1234", kDoseMode);
    AddChamber("TN30013", "5678", kStrengthMode);
    OpenScreen(0, 0);
    EXPECT_FALSE(Shown(Setup::kIdTpCorrection));
    std::string coefficient, polarity;
    ThenPickChamber(1, -1);
    ThenDo([&] {
        fw::Window* picker = fw::Loop().TopLevel();
        coefficient = testing_support::LabelText(picker, 1178);
        polarity = testing_support::LabelText(picker, 1185);
        ExpectEverythingFits();
        Screenshot("one_channel_chamber_picker.png");
        TouchCentreOf(picker->FindChild(CChamberListDlg::kIdOk));
    });
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(coefficient, "5.000 x 10^7 N_s_k:Gym^2/(h*A)");  // the second row's mode 1
    EXPECT_EQ(polarity, "0");
    EXPECT_EQ(doc->Channel[0].ChamberIndex, 1);
    EXPECT_EQ(CaptionOf(Setup::kIdChamber), "TN30013, 5678, Co-60");
    EXPECT_TRUE(Shown(Setup::kIdTpCorrection));
    EXPECT_EQ(TextOf(Ids::kIdDoseCaption), "Source Strength:");
    doc->Channel[0].TPCorrection = 1;
    TapControl(Setup::kIdSystemFactor);  // off
    EXPECT_EQ(doc->Channel[0].ChamberIndex, -1);
    EXPECT_EQ(doc->Channel[0].TPCorrection, 0);
    EXPECT_FALSE(Shown(Ids::kIdDoseValue));
    ThenPickChamber(0);
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(TextOf(Ids::kIdDoseCaption), "Dose:");
    ExpectEverythingFits();
    Screenshot("one_channel_dose.png");
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
    ThenAnswer("OK", &message);
    ThenDo([] { testing_support::TouchOnTop(CChamberListDlg::kIdOk); });
    TapControl(Setup::kIdSystemFactor);
    EXPECT_EQ(message.rfind("This chamber is currently in use.", 0), 0u);
    EXPECT_EQ(doc->Channel[1].ChamberIndex, -1);
    EXPECT_EQ(doc->Channel[1].SystemFactor, 0);
}

// ---- temperature and pressure ------------------------------------------------------------

// Temperature, then pressure; a cancelled pressure leaves no correction, and refused entries
// keep the values in force.
TEST_F(PagesTest, CorrectionTakesTemperatureThenPressureAndKeepsThemOnARefusal) {
    OpenScreen(0, 0);
    SelectDoseChamber();
    ThenKeypadEntry("25");
    // The pressure cancelled: the new temperature stays, no correction.
    ThenDo([] { testing_support::TouchOnTop(CNumKeypadDlg::kIdCancel); });
    TapControl(Setup::kIdTpCorrection);
    EXPECT_EQ(doc->Channel[0].TPCorrection, 0);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Temperature, 25.0);
    EXPECT_EQ(CaptionOf(Setup::kIdPressure), "----");
    ThenKeypadEntry("23.5");
    ThenKeypadEntry("750");
    TapControl(Setup::kIdTpCorrection);
    ASSERT_EQ(doc->Channel[0].TPCorrection, 1);
    EXPECT_DOUBLE_EQ(doc->Channel[1].Temperature, 23.5);
    EXPECT_EQ(CaptionOf(Setup::kIdPressure), "750.0");
    EXPECT_TRUE(ScreenHasText("Pressure (mmHg)"));
    Screenshot("one_channel_tp_correction.png");
    const double factor = doc->Filter.Chan[0].TPFactor;
    struct Case {
        int control;
        const char* keys;
        const char* refusal;
    } cases[] = {{Setup::kIdTemperature, "60.1", "The temperature is invalid."},
                 // no pressure may divide the correction by 0
                 {Setup::kIdPressure, "0", "The pressure is invalid."},
                 {Setup::kIdPressure, "2000", "The pressure is invalid."}};
    for (const Case& c : cases) {
        std::string message;
        ThenKeypadEntry(c.keys);
        ThenAnswer("OK", &message);
        TapControl(c.control);
        EXPECT_EQ(message.rfind(c.refusal, 0), 0u) << c.keys;
    }
    EXPECT_DOUBLE_EQ(doc->Channel[0].Temperature, 23.5);
    EXPECT_DOUBLE_EQ(doc->Channel[0].Pressure, 750.0);
    EXPECT_DOUBLE_EQ(doc->Filter.Chan[0].TPFactor, factor);
    // In atm, three decimals.
    EXPECT_EQ(one_channel::PressureText(0.987, 1) + one_channel::PressureUnit(1), "0.987atm");
}

// ---- data and file pages -----------------------------------------------------------------

// Rows take a flag by a touch and wake the scroll at the fifth; the quantity shown follows
// the calibration, and one a row lacks shows no unit. (The name with its star and Save: the
// file page's own test.)
TEST_F(PagesTest, RowsTakeAFlagWakeTheScrollAndShowTheQuantityChosen) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    Measure(61.0);
    AddMeasurementRow();
    const CTouchListCtrl& list = View().DataPage().List();
    EXPECT_EQ(list.GetItemText(0, 2), "0.061 pA");
    ShowTab(1);
    const fw::Rect r = list.GetRect();
    Tap(r.left + 12, r.top + 10);
    EXPECT_NE(doc->MeasList[0].Flagged, 0);
    for (int i = 0; i < 3; ++i)
        AddMeasurementRow();
    EXPECT_FALSE(Control(Data::kIdScrollDown)->IsEnabled());
    AddMeasurementRow();
    EXPECT_TRUE(Control(Data::kIdScrollDown)->IsEnabled());
    ExpectEverythingFits();
    Screenshot("one_channel_data_page.png");
    EXPECT_FALSE(Shown(Data::kQuantityIds[Data::kDose]));
    TapControl(Data::kQuantityIds[Data::kCharge]);
    EXPECT_EQ(list.GetItemText(0, 2), "----");

    ShowTab(0);
    SelectDoseChamber();
    ShowTab(1);
    EXPECT_TRUE(Shown(Data::kQuantityIds[Data::kDose]));
    EXPECT_TRUE(ScreenHasText("System Factor Applied"));
    ExpectEverythingFits();
}

}  // namespace
}  // namespace one_channel_test
