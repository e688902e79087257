// The two-channel screen as an operator uses it: both channels' values from known currents,
// the ratio column and its rows by calibration, collections on both channels at once by
// taps saved to a data file, triggers, the range and bias of the touched channel, rows
// added, and zeroing of both.
#include "controls/MenuCommands.h"
#include "support/repaint_check.h"
#include "two_channel_fixture.h"

namespace two_channel_test {
namespace {

using Data = COneChannelDataDlg;

// The dose row of the ratio column by what the two channels' calibrations allow to compare;
// a dose ratio shown before empties when the doses stop comparing. A chamber change lays the
// channel columns out again, and a chamber gone from the library takes its factor, correction
// and coefficient along. The ratio page offers the dose where the doses compare, falls back
// to the rate where they stop, and tells of a factor or correction applied on both channels.
TEST_F(TwoChannelTest, RatioRowsAndTheRatioPageFollowTheCalibrations) {
    const struct {
        int16_t mode1, mode2;
        const char* doseCaption;  // none: no dose row, an empty dose ratio
    } cases[] = {
        {kGyMode, kOtherGyMode, "Dose Ratio:"},  // "Gy" under two string ids
        {kGyMode, kRoentgenMode, nullptr},       // Gy against R: mixed
        {kStrengthMode, kStrengthMode, "Source Strength Ratio:"},
        {kNoChamber, kGyMode, nullptr},
    };
    OpenTwoChannels();
    TapControl(Ids::kIdRatio);
    CRatioDataDlg& page = Screen().RatioPage();
    fw::Window* doseButton = page.FindChild(Data::kQuantityIds[Data::kDose]);
    auto notice = [&](int id) { return testing_support::LabelText(&page, id); };
    ShowTab(Ids::kDataRatio);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode1 << " against " << c.mode2);
        Calibrate(0, c.mode1);
        Calibrate(1, c.mode2);
        EXPECT_EQ(Shown(Ratio::kIdDoseValue), c.doseCaption != nullptr);
        EXPECT_EQ(page.ShownQuantity(), Data::kRate);
        EXPECT_EQ(notice(Data::kIdFactorApplied) == "System Factor Applied", c.mode1 != kNoChamber);
        EXPECT_EQ(doseButton->IsVisible(), c.doseCaption != nullptr && c.mode1 == kGyMode);
        if (doseButton->IsVisible()) {
            TouchCentreOf(doseButton);
            fw::Loop().ProcessReady();
            EXPECT_EQ(page.ShownQuantity(), Data::kDose);
        }
        if (c.doseCaption == nullptr) {
            EXPECT_EQ(TextOf(Ratio::kIdDoseValue), "");
            continue;
        }
        EXPECT_EQ(TextOf(Ratio::kIdDoseCaption), c.doseCaption);
        ExpectEverythingFits();
        Screenshot(c.mode1 == kGyMode ? "two_channel_ratio_dose.png"
                                      : "two_channel_ratio_dose_rate.png");
    }
    EXPECT_TRUE(Shown(Ids::kIdDoseValue2) && !Shown(Ids::kIdDoseValue1));
    doc->Channel[1].TPCorrection = 1;
    doc->Channel[1].ChamberIndex = -1;  // as when its record left the library
    doc->UpdateAllViews(kHintChamber);
    EXPECT_FALSE(Shown(Ids::kIdDoseValue2) || Shown(Ids::kIdAdc2));
    EXPECT_EQ(doc->Channel[1].TPCorrection, 0);
    Calibrate(0, kGyMode);
    Calibrate(1, kGyMode);
    for (uint8_t ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(notice(Data::kIdTpApplied), "");
        doc->Channel[ch].TPCorrection = 1;
        doc->UpdateAllViews(kHintCorrection);
    }
    EXPECT_EQ(notice(Data::kIdTpApplied), "Temp/Pressure Applied");
}

// The operator's whole path: both channels measured with the ratio column on, a timed
// collection held over a trip to the channel 2 screen and back, and the six pages. (Saving
// from the file page: the file page's own test; the ratio layout: the data file's test.)
TEST_F(TwoChannelTest, ACollectionOnBothChannelsIsHeldOverAPageTripAndEveryPageFits) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    script->Then([this] { TapText("Timed Collection"); });
    ThenKeypadEntry("5");
    TapControl(Ids::kIdChargeType);
    Measure(3000.0, 1500.0);
    TapControl(Ids::kIdRatio);
    TapControl(Ids::kIdStartStop);
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Collecting (1/1)");
    EXPECT_FALSE(Control(Ids::kIdRange2)->IsEnabled());
    EXPECT_TRUE(Control(Ids::kIdRatio)->IsEnabled());  // the view of the values stays free
    Seconds(5);
    EXPECT_EQ(TextOf(Ratio::kIdChargeValue), "2.000");
    Screen().OnCommand(menu_cmd::kChannel2, nullptr);
    fw::Loop().ProcessReady();
    auto* one = dynamic_cast<COneChannelView*>(frame->ActiveView());
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(CaptionOf(COneChannelView::kIdStartStop), "Clear");
    one->OnCommand(menu_cmd::kChannels1And2, nullptr);
    fw::Loop().ProcessReady();
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    for (int page = Ids::kSetup1; page <= Ids::kFile; ++page) {
        ShowTab(page);
        ExpectEverythingFits();
        Screenshot("two_channel_page_" + std::to_string(page) + ".png");
    }
}

TEST_F(TwoChannelTest, ATriggerOnChannelOneCollectsBothChannels) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    doc->LStart = 10.0;  // pA
    doc->LStop = 5.0;
    Choose(Ids::kIdChargeType, "Trigger (Ch.1)");  // offered on this screen always
    Measure(0.0, 0.0);
    TapControl(Ids::kIdStartStop);
    const struct {
        double fa1, fa2;
        const char* status;
    } steps[] = {{0.0, 50000.0, "Armed (Ch.1)"},  // channel 2 alone starts nothing
                 {50000.0, 25000.0, "Triggered (Ch.1)"},
                 {0.0, 0.0, "Armed (Ch.1)"},  // re-armed for the next shot
                 {50000.0, 25000.0, "Triggered (Ch.1)"},
                 {0.0, 0.0, "Armed (Ch.1)"}};
    for (const auto& s : steps) {
        InjectCurrent(0, s.fa1);
        InjectCurrent(1, s.fa2);
        Seconds(3);
        EXPECT_EQ(TextOf(Ids::kIdStatus), s.status) << s.fa1;
    }
    ASSERT_EQ(doc->MeasList.size(), 2u);
    EXPECT_EQ(doc->MeasList[0].ChargeRatio.substr(0, 3), "2.0");
    TapControl(Ids::kIdStartStop);  // stopped: no more shots
    InjectCurrent(0, 50000.0);
    Seconds(3);
    EXPECT_EQ(doc->MeasList.size(), 2u);
}

TEST_F(TwoChannelTest, RangeAndBiasActOnTheChannelTouched) {
    OpenTwoChannels(1, 1);
    Choose(Ids::kIdRange2, "Low (0-500pA)");
    ASSERT_EQ(SentWithCode(0x00).size(), 1u);
    EXPECT_EQ(SentWithCode(0x00)[0].payload[0], 1);  // channel 2
    EXPECT_EQ(TextOf(Ids::kIdRangeCaption2), "Low\r\n(0-500pA)");
    script->Then([this] { TapText("Select Bias"); });
    ThenKeypadEntry("300");
    TapControl(Ids::kIdBias1);
    EXPECT_EQ(doc->Channel[0].BiasSet, 300);
    EXPECT_EQ(doc->Channel[1].BiasSet, 0);
}

// Each bias text takes its own channel's colour: yellow out of tolerance (the document's
// test holds the 2 % bounds), white within.
TEST_F(TwoChannelTest, EachBiasTextTakesItsOwnChannelsColour) {
    const fw::Color kYellow = fw::Color::Rgb(255, 255, 0), kWhite = fw::colors::kWhite;
    OpenTwoChannels();
    for (uint8_t ch = 0; ch < 2; ++ch) {
        doc->Channel[ch].BiasSet = 300;
        doc->Channel[ch].BiasRead = 300;
        doc->Channel[1 - ch].BiasSet = 100;
        doc->Channel[1 - ch].BiasRead = 50;
        doc->UpdateAllViews(kHintBiasRead);
        const int caption = ch == 0 ? Ids::kIdBiasCaption1 : Ids::kIdBiasCaption2;
        const int other = ch == 0 ? Ids::kIdBiasCaption2 : Ids::kIdBiasCaption1;
        EXPECT_EQ(ColorIn(caption, "+300 V"), kWhite) << "channel " << ch + 1;
        EXPECT_EQ(ColorIn(other, "+100 V"), kYellow) << "channel " << 2 - ch;
    }
}

// Add puts a rate row on the three data pages, only with automatic capture (without it not
// even the notice shows) and with neither channel over range; Zero zeroes both.
TEST_F(TwoChannelTest, AddPutsARateRowOnAllThreeDataPagesAndZeroZeroesBoth) {
    OpenTwoChannels();
    Measure(3000.0, 1000.0);
    TapControl(Ids::kIdAddMeasurement);
    EXPECT_TRUE(doc->MeasList.empty());
    doc->AutoDataCapture = 1;
    ThenExpectShown("Data Point Added to List.");
    AddMeasurementRow();
    EXPECT_EQ(Screen().DataPage(0).List().GetItemText(0, 2), "3.000 pA");
    EXPECT_EQ(Screen().DataPage(1).List().GetItemText(0, 2), "1.000 pA");
    EXPECT_EQ(Screen().RatioPage().List().GetItemText(0, 2), "3.000");
    fw::PlayResourceSound("SndNotify");  // only what plays afterwards counts
    InjectCurrent(1, 5e9);               // channel 2 alone over range: sounded, nothing added
    Readings(10);
    EXPECT_EQ(fw::LastPlayedSound(), "SNDOVERLOAD");
    TapControl(Ids::kIdAddMeasurement);
    EXPECT_EQ(doc->MeasList.size(), 1u);
    doc->ZeroChannels = 0;
    TapControl(Ids::kIdZero);
    ASSERT_TRUE(TapText("Cancel"));  // on "Zeroing Channel 1 & 2"
    EXPECT_EQ(doc->ZeroChannels, 2);
}

// Each column shows its channel in its range's unit, the ratio between them; a new reading
// repaints only the strip of the changed values, and leaves the panel as a full repaint would.
TEST_F(TwoChannelTest, EachColumnShowsItsChannelAndARateUpdatePresentsOnlyTheValues) {
    OpenTwoChannels(0, 1);
    TapControl(Ids::kIdRatio);
    SetRates(61.0, 22.0);
    fw::Loop().RepaintNow();
    SetRates(1500.0, 3000.0);  // every value and the ratio change
    fw::Loop().RepaintNow();
    const fw::Rect values = RectOf(Ids::kIdRateValue1)
                                .Union(RectOf(Ids::kIdRateValue2))
                                .Union(RectOf(Ratio::kIdRateValue));
    EXPECT_EQ(script->LastPresented(), values);
    EXPECT_LT(values.Height(), 50);
    EXPECT_EQ(testing_support::DifferenceFromFullRepaint(), "");
    EXPECT_EQ(TextOf(Ids::kIdRateValue1) + TextOf(1035), "1.500pA");  // Low
    EXPECT_EQ(TextOf(Ids::kIdRateValue2) + TextOf(1052), "0.003nA");  // High
    EXPECT_EQ(TextOf(Ratio::kIdRateValue), "0.500");                  // not 500: one unit inside
    ExpectEverythingFits();
    Screenshot("two_channel_ratio.png");
    doc->Filter.Chan[1].OverRange = true;
    SetRates(2000.0, 1000.0);
    EXPECT_EQ(ColorIn(Ratio::kIdRateValue, "XXXXX"), fw::colors::kOverRange);
}

}  // namespace
}  // namespace two_channel_test
