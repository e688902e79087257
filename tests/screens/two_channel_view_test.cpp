// The two-channel screen as an operator uses it: both channels' values from known currents,
// the ratio column and its rows by calibration, collections on both channels at once by
// taps, the range and bias of the touched channel, and zeroing of both.
#include <fstream>

#include "controls/MenuCommands.h"
#include "two_channel_fixture.h"

namespace two_channel_test {
namespace {

using Ratio = CRatioColumn;

TEST_F(TwoChannelTest, EachColumnShowsItsChannelInItsRange) {
    OpenTwoChannels(0, 1);
    InjectCurrent(0, 1500.0);  // 1.500 pA on Low
    InjectCurrent(1, 3000.0);  // 0.003 nA on High
    Readings(200);
    EXPECT_EQ(Text(Ids::kIdRateValue1), "1.500");
    EXPECT_EQ(Text(1035), "pA");
    EXPECT_EQ(Text(Ids::kIdRateValue2), "0.003");
    EXPECT_EQ(Text(1052), "nA");
    EXPECT_EQ(Text(Ids::kIdChargeValue1), "0.000");
    EXPECT_EQ(Text(1040), "pC");
    EXPECT_EQ(Text(Ids::kIdRangeCaption1), "Low\r\n(0-500pA)");
    EXPECT_EQ(Text(Ids::kIdRangeCaption2), "High\r\n(0-500nA)");
    EXPECT_EQ(Caption(Ids::kIdPageButton), "CH\r\n1/2");
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Start");
    EXPECT_EQ(Text(Ids::kIdStatus), "Idle");
    EXPECT_FALSE(Shown(Ratio::kIdRateValue));
    // Channel 1 on the left of channel 2.
    EXPECT_LT(RectOf(Ids::kIdRateValue1).right, RectOf(Ids::kIdRateValue2).left);
    ExpectEverythingFits();
    Screenshot("two_channel_idle.png");

    Touch(Ids::kIdRatio);
    EXPECT_EQ(Screen().RatioMode(), 1);
    SetRates(1500.0, 3000.0);                       // without the board's noise
    EXPECT_EQ(Text(Ratio::kIdRateValue), "0.500");  // not 500: one unit inside
    EXPECT_TRUE(ScreenHasText("Rate Ratio:"));
    // The ratio column sits between the two channels.
    EXPECT_GT(RectOf(Ratio::kIdRateValue).left, RectOf(Ids::kIdRateValue1).right - 1);
    EXPECT_LT(RectOf(Ratio::kIdRateValue).right, RectOf(Ids::kIdRateValue2).left + 1);
    ExpectEverythingFits();
    Screenshot("two_channel_ratio.png");
    Touch(Ids::kIdRatio);
    EXPECT_EQ(Screen().RatioMode(), 0);
    EXPECT_FALSE(Shown(Ratio::kIdRateValue));
    EXPECT_FALSE(ScreenHasText("Rate Ratio:"));
}

TEST_F(TwoChannelTest, RatioValuesGuardZeroCrossesAndNonNumbers) {
    OpenTwoChannels();
    Touch(Ids::kIdRatio);
    const struct {
        double fa1, fa2;
        bool over2;
        const char* text;
        fw::Color color;
    } cases[] = {
        {2000.0, 0.0, false, "0.000", fw::colors::kBlack},
        {0.0, 2000.0, false, "0.000", fw::colors::kBlack},
        {123456.0, 1000.0, false, "123.46", fw::colors::kBlack},
        {2000.0, 1000.0, true, "XXXXX", fw::colors::kOverRange},
        {1e300, 1e-300, false, "XXXXX", fw::colors::kOverRange},
        {std::nan(""), 1.0, false, "XXXXX", fw::colors::kOverRange},
    };
    for (const auto& c : cases) {
        doc->Filter.Chan[1].OverRange = c.over2;
        SetRates(c.fa1, c.fa2);
        EXPECT_EQ(Text(Ratio::kIdRateValue), c.text) << c.fa1 << " / " << c.fa2;
        EXPECT_EQ(ColorIn(Ratio::kIdRateValue, c.text), c.color) << c.text;
    }
}

// The rows of the ratio column by what the two channels' calibrations allow to compare.
TEST_F(TwoChannelTest, RatioRowsFollowTheCalibrations) {
    const struct {
        int16_t mode1, mode2;  // -1: no chamber
        const char* doseCaption;
        bool doseBelowCharge;
    } cases[] = {
        {-1, -1, nullptr, false},
        {kGyMode, kOtherGyMode, "Dose Ratio:", true},  // "Gy" under two string ids
        {kGyMode, kRoentgenMode, nullptr, false},      // Gy against R: mixed
        {kStrengthMode, kStrengthMode, "Source Strength Ratio:", false},
        {kStrengthMode, kActivityMode, nullptr, false},  // two units
        {kGyMode, kStrengthMode, nullptr, false},        // charge against current
        {kGyMode, -1, nullptr, false},
    };
    OpenTwoChannels();
    Touch(Ids::kIdRatio);
    for (const auto& c : cases) {
        for (uint8_t ch = 0; ch < 2; ++ch) {
            const int16_t mode = ch == 0 ? c.mode1 : c.mode2;
            if (mode < 0)
                Uncalibrate(ch);
            else
                Calibrate(ch, mode);
        }
        SCOPED_TRACE(testing::Message() << c.mode1 << " against " << c.mode2);
        EXPECT_TRUE(Shown(Ratio::kIdRateValue));
        EXPECT_TRUE(Shown(Ratio::kIdChargeValue));
        EXPECT_EQ(Shown(Ratio::kIdDoseValue), c.doseCaption != nullptr);
        if (c.doseCaption == nullptr) {
            EXPECT_EQ(Text(Ratio::kIdDoseValue), "");
            continue;
        }
        EXPECT_EQ(Text(Ratio::kIdDoseCaption), c.doseCaption);
        const int doseTop = RectOf(Ratio::kIdDoseValue).top;
        const int chargeTop = RectOf(Ratio::kIdChargeValue).top;
        EXPECT_EQ(doseTop > chargeTop, c.doseBelowCharge);
        EXPECT_GT(std::min(doseTop, chargeTop), RectOf(Ratio::kIdRateValue).top);
        ExpectEverythingFits();
        Screenshot(c.doseBelowCharge ? "two_channel_ratio_dose.png"
                                     : "two_channel_ratio_dose_rate.png");
    }
}

// Switching a channel's factor in ratio mode lays out its column again, not only the ratios.
TEST_F(TwoChannelTest, AChamberChangeInRatioModeRebuildsTheChannelColumns) {
    OpenTwoChannels();
    Touch(Ids::kIdRatio);
    const fw::Rect narrowRate = RectOf(Ids::kIdRateValue2);
    Calibrate(1, kGyMode);
    EXPECT_TRUE(Shown(Ids::kIdDoseValue2));
    EXPECT_EQ(Text(1064), "Dose:");
    EXPECT_LE(RectOf(Ids::kIdDoseValue2).right, 636);
    EXPECT_GE(RectOf(Ids::kIdDoseValue2).left, narrowRate.left);
    EXPECT_LT(RectOf(Ids::kIdChargeValue2).top, RectOf(Ids::kIdDoseValue2).top);
    EXPECT_FALSE(Shown(Ids::kIdDoseValue1));
    ExpectEverythingFits();
    Screenshot("two_channel_ratio_dose_line.png");
    Uncalibrate(1);
    EXPECT_FALSE(Shown(Ids::kIdDoseValue2));
    Calibrate(0, kStrengthMode);  // the dose rate goes between rate and charge
    EXPECT_TRUE(Shown(Ids::kIdDoseValue1));
    EXPECT_EQ(Text(1061), "Source Strength:");
    EXPECT_LT(RectOf(Ids::kIdDoseValue1).top, RectOf(Ids::kIdChargeValue1).top);
    Touch(Ids::kIdRatio);  // leaving ratio mode keeps the dose line, at full half width
    EXPECT_TRUE(Shown(Ids::kIdDoseValue1));
    EXPECT_GT(RectOf(Ids::kIdRateValue2).Width(), narrowRate.Width());
}

TEST_F(TwoChannelTest, ALostChamberDropsItsFactorOnThisScreen) {
    OpenTwoChannels();
    Calibrate(1, kGyMode);
    doc->Channel[1].TPCorrection = 1;
    ASSERT_TRUE(Shown(Ids::kIdDoseValue2));
    CCLibDB library;
    ASSERT_TRUE(library.DeleteRecord(doc->Channel[1].ChamberIndex));
    doc->ResolveChamberSelections();
    doc->UpdateAllViews(kHintChamber);
    EXPECT_EQ(doc->Channel[1].SystemFactor, 0);
    EXPECT_EQ(doc->Channel[1].TPCorrection, 0);
    EXPECT_DOUBLE_EQ(doc->Filter.Chan[1].CalCoefficient, 1.0);
    EXPECT_FALSE(Shown(Ids::kIdDoseValue2));
    EXPECT_FALSE(Shown(Ids::kIdAdc2));
    auto* factor = dynamic_cast<CBttn*>(Screen().SetupPage(1).FindChild(1114));
    ASSERT_NE(factor, nullptr);
    EXPECT_FALSE(factor->IsMarked());
}

// ---- collections on both channels ---------------------------------------------------------

TEST_F(TwoChannelTest, ATimedCollectionByTapsCollectsBothChannelsIntoOneRow) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    ChooseTimed(10);
    ASSERT_EQ(doc->ChargeDuration, 10);
    InjectCurrent(0, 2000.0);
    InjectCurrent(1, 1000.0);
    Readings(200);
    Touch(Ids::kIdRatio);
    board->sent.clear();
    Touch(Ids::kIdStartStop);
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Stop");
    EXPECT_EQ(Text(Ids::kIdStatus), "Collecting (1/1)");
    EXPECT_FALSE(Screen().ControlsEnabled());
    for (int id : {Ids::kIdRange1, Ids::kIdRange2, Ids::kIdBias1, Ids::kIdBias2, Ids::kIdZero,
                   Ids::kIdAddMeasurement, Ids::kIdChargeType, Ids::kIdPageButton, Ids::kIdTabs})
        EXPECT_FALSE(Control(id)->IsEnabled()) << id;
    EXPECT_TRUE(Control(Ids::kIdRatio)->IsEnabled());  // the view of the values stays free
    Seconds(4);
    EXPECT_EQ(Caption(Ids::kIdChargeType), "6 sec");
    Screenshot("two_channel_collecting.png");
    ForgetSounds();
    Seconds(6);
    EXPECT_EQ(Text(Ids::kIdChargeValue1), "20.00");
    EXPECT_EQ(Text(Ids::kIdChargeValue2), "10.00");
    EXPECT_EQ(Text(Ratio::kIdChargeValue), "2.000");
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Clear");
    EXPECT_EQ(LastSound(), "SNDCHGDONE");
    EXPECT_TRUE(Screen().ControlsEnabled());
    std::vector<BOARD_PACKET> locks = SentWithCode(0x04);
    ASSERT_EQ(locks.size(), 2u);
    EXPECT_EQ(locks[0].payload[0], 0);
    EXPECT_EQ(locks[1].payload[0], 1);
    // One row for both channels, on each channel's data page and on the ratio page.
    ASSERT_EQ(doc->MeasList.size(), 1u);
    EXPECT_EQ(doc->MeasList[0].Charge[0], "20.00");
    EXPECT_EQ(doc->MeasList[0].Charge[1], "10.00");
    EXPECT_EQ(doc->MeasList[0].ChargeRatio, "2.000");
    for (COneChannelDataDlg* page :
         {&Screen().DataPage(0), &Screen().DataPage(1), (COneChannelDataDlg*)&Screen().RatioPage()})
        EXPECT_EQ(page->List().GetItemCount(), 1);
    Seconds(3);
    EXPECT_EQ(Text(Ids::kIdChargeValue1), "20.00");  // held
    ExpectEverythingFits();
    Screenshot("two_channel_held.png");

    Touch(Ids::kIdStartStop);  // Clear
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Start");
    EXPECT_EQ(Text(Ids::kIdChargeValue1), "0.000");
    EXPECT_EQ(Text(Ids::kIdChargeValue2), "0.000");
    EXPECT_EQ(Text(Ratio::kIdChargeValue), "0.000");
}

TEST_F(TwoChannelTest, StoppingEarlyAddsARowOnlyForAContinuousCollection) {
    const struct {
        const char* menuText;
        size_t rows;
    } cases[] = {{"Timed Collection", 0}, {"Continuous", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menuText);
        doc->MeasList.clear();
        OpenTwoChannels();
        doc->AutoDataCapture = 1;
        const std::string item = c.menuText;
        script->Then([this, item] { TapText(item); });
        if (item == "Timed Collection")
            ThenKeypadEntry("30");
        Touch(Ids::kIdChargeType);
        InjectCurrent(0, 2000.0);
        InjectCurrent(1, 4000.0);
        Touch(Ids::kIdStartStop);
        Seconds(3);
        Touch(Ids::kIdStartStop);  // Stop
        EXPECT_EQ(Caption(Ids::kIdStartStop), "Clear");
        EXPECT_EQ(Text(Ids::kIdStatus), "Idle");
        EXPECT_EQ(doc->MeasList.size(), c.rows);
        EXPECT_EQ(Screen().RatioPage().List().GetItemCount(), int(c.rows));
        Touch(Ids::kIdStartStop);  // Clear
        EXPECT_EQ(Caption(Ids::kIdStartStop), "Start");
    }
}

TEST_F(TwoChannelTest, ATriggerOnChannelOneCollectsBothChannels) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    doc->LStart = 10.0;  // pA
    doc->LStop = 5.0;
    script->Then([this] {
        EXPECT_TRUE(ScreenHasText("Trigger (Ch.1)"));
        Screenshot("two_channel_charge_type_menu.png");
        TapText("Trigger (Ch.1)");
    });
    Touch(Ids::kIdChargeType);
    ASSERT_EQ(doc->ChargeType, 2);
    InjectCurrent(0, 0.0);
    InjectCurrent(1, 0.0);
    Readings(200);
    Touch(Ids::kIdStartStop);
    EXPECT_EQ(Text(Ids::kIdStatus), "Armed (Ch.1)");
    InjectCurrent(1, 50000.0);  // channel 2 alone starts nothing
    Seconds(3);
    EXPECT_EQ(Text(Ids::kIdStatus), "Armed (Ch.1)");
    InjectCurrent(0, 50000.0);
    InjectCurrent(1, 25000.0);
    Seconds(3);
    EXPECT_EQ(Text(Ids::kIdStatus), "Triggered (Ch.1)");
    InjectCurrent(0, 0.0);
    InjectCurrent(1, 0.0);
    Seconds(2);
    EXPECT_EQ(Text(Ids::kIdStatus), "Armed (Ch.1)");
    ASSERT_EQ(doc->MeasList.size(), 1u);
    EXPECT_NE(doc->MeasList[0].Charge[0], "0.000");
    EXPECT_NE(doc->MeasList[0].Charge[1], "0.000");
    EXPECT_EQ(doc->MeasList[0].ChargeRatio.substr(0, 3), "2.0");
    Touch(Ids::kIdStartStop);
    EXPECT_EQ(Text(Ids::kIdStatus), "Idle");
    EXPECT_EQ(doc->TriggerArmed, 0);
}

TEST_F(TwoChannelTest, RemoteStartAndStopActLikeTheButton) {
    OpenTwoChannels();
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(doc->Collecting, 1);
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Stop");
    EXPECT_FALSE(Screen().ControlsEnabled());
    doc->UpdateAllViews(kHintRemoteStop);
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Clear");
    doc->UpdateAllViews(kHintRemoteStart);  // over a held result: only cleared
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Start");
    doc->UpdateAllViews(kHintRemoteStart);  // the next one starts
    EXPECT_EQ(doc->Collecting, 1);
}

// ---- range, bias, add and zero ------------------------------------------------------------

TEST_F(TwoChannelTest, RangeAndBiasActOnTheChannelTouched) {
    OpenTwoChannels(1, 1);
    script->Then([this] {
        Screenshot("two_channel_range_menu.png");
        TapText("Low (0-500pA)");
    });
    Touch(Ids::kIdRange2);
    EXPECT_EQ(Screen().SelChannel(), 1);
    std::vector<BOARD_PACKET> ranges = SentWithCode(0x00);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].payload[0], 1);  // channel 2
    EXPECT_EQ(doc->Channel[1].Range, 0);
    EXPECT_EQ(doc->Channel[0].Range, 1);
    EXPECT_EQ(Text(Ids::kIdRangeCaption2), "Low\r\n(0-500pA)");
    EXPECT_EQ(Text(Ids::kIdRangeCaption1), "High\r\n(0-500nA)");

    script->Then([this] { TapText("Select Bias"); });
    script->Then([this] { Screenshot("two_channel_bias_keypad.png"); });
    ThenKeypadEntry("300");
    Touch(Ids::kIdBias1);
    EXPECT_EQ(Screen().SelChannel(), 0);
    EXPECT_EQ(doc->Channel[0].BiasSet, 300);
    EXPECT_EQ(doc->Channel[1].BiasSet, 0);
    board->sent.clear();
    std::string message;
    script->Then([this] { TapText("Select Bias"); });
    ThenKeypadEntry("99");
    ThenAcknowledge(&message);
    Touch(Ids::kIdBias2);
    EXPECT_EQ(message.rfind("This bias setting is invalid.", 0), 0u);
    EXPECT_TRUE(SentWithCode(0x01).empty());
    EXPECT_EQ(doc->Channel[1].BiasSet, 0);
}

TEST_F(TwoChannelTest, AddPutsARateRowOnAllThreeDataPages) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    InjectCurrent(0, 3000.0);
    InjectCurrent(1, 1000.0);
    Readings(200);
    AddRateRow();
    ASSERT_EQ(doc->MeasList.size(), 1u);
    EXPECT_EQ(doc->MeasList[0].RateRatio, "3.000");
    EXPECT_EQ(Screen().DataPage(0).List().GetItemText(0, 2), "3.000 pA");
    EXPECT_EQ(Screen().DataPage(1).List().GetItemText(0, 2), "1.000 pA");
    EXPECT_EQ(Screen().RatioPage().List().GetItemText(0, 2), "3.000");
    EXPECT_EQ(Screen().FilePage().ShownName(), "Untitled1*");
    EXPECT_TRUE(Screen().FilePage().SaveEnabled());
    // Nothing is added while either channel is over range.
    ForgetSounds();
    InjectCurrent(1, 5e9);
    Readings(10);
    EXPECT_EQ(LastSound(), "SNDOVERLOAD");  // channel 2 alone sounds it
    EXPECT_EQ(Text(Ids::kIdRateValue2), "XXXXX");
    Touch(Ids::kIdAddMeasurement);
    EXPECT_EQ(doc->MeasList.size(), 1u);
}

TEST_F(TwoChannelTest, ZeroAlwaysZeroesBothChannels) {
    OpenTwoChannels();
    doc->ZeroChannels = 0;
    Touch(Ids::kIdZero);
    EXPECT_TRUE(doc->Filter.Zeroing);
    EXPECT_TRUE(ScreenHasText("Zeroing Channel 1 & 2"));
    Screenshot("two_channel_zeroing.png");
    ASSERT_TRUE(TapText("Cancel"));
    EXPECT_EQ(doc->ZeroChannels, 2);
    EXPECT_FALSE(doc->Filter.Zeroing);
}

TEST_F(TwoChannelTest, PageCommandsKeepTheHeldResultOnlyForTheChannelScreens) {
    OpenTwoChannels();
    Touch(Ids::kIdStartStop);
    Seconds(int(doc->ChargeDuration));
    ASSERT_EQ(doc->CollectionFinished, 1);
    Screen().OnCommand(menu_cmd::kChannel2, nullptr);
    fw::Loop().ProcessReady();
    auto* one = dynamic_cast<COneChannelView*>(frame->ActiveView());
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->ShownChannel(), 1);
    EXPECT_EQ(doc->CollectionFinished, 1);
    EXPECT_EQ(CaptionOf(COneChannelView::kIdStartStop), "Clear");
    one->OnCommand(menu_cmd::kChannels1And2, nullptr);
    fw::Loop().ProcessReady();
    ASSERT_NE(dynamic_cast<CTwoChannelView*>(frame->ActiveView()), nullptr);
    EXPECT_EQ(Caption(Ids::kIdStartStop), "Clear");
    EXPECT_EQ(Screen().RatioMode(), 0);  // a new screen starts without the ratio column
    Screen().OnCommand(menu_cmd::kChannels1And2, nullptr);  // already shown
    ASSERT_NE(dynamic_cast<CTwoChannelView*>(frame->ActiveView()), nullptr);
}

}  // namespace
}  // namespace two_channel_test

namespace two_channel_test {
namespace {

using Data = COneChannelDataDlg;

class RatioPageTest : public TwoChannelTest {
  protected:
    bool PageShows(int id) {
        fw::Window* w = Screen().RatioPage().FindChild(id);
        return w != nullptr && w->IsVisible();
    }
    std::string PageText(int id) {
        auto* label = dynamic_cast<CLabel*>(Screen().RatioPage().FindChild(id));
        return label ? label->Text() : std::string("<no label>");
    }
    void ChooseQuantity(Data::Quantity q) {
        TouchCentreOf(Screen().RatioPage().FindChild(Data::kQuantityIds[q]));
        fw::Loop().ProcessReady();
    }
};

TEST_F(RatioPageTest, QuantitiesAndNoticesFollowBothChannels) {
    OpenTwoChannels();
    ShowTab(CTwoChannelView::kDataRatio);
    EXPECT_TRUE(PageShows(Data::kQuantityIds[Data::kRate]));
    EXPECT_TRUE(PageShows(Data::kQuantityIds[Data::kCharge]));
    EXPECT_FALSE(PageShows(Data::kQuantityIds[Data::kDose]));
    EXPECT_FALSE(PageShows(Data::kQuantityIds[Data::kDoseRate]));
    EXPECT_EQ(PageText(Data::kIdFactorApplied), "");
    Calibrate(0, kGyMode);
    EXPECT_EQ(PageText(Data::kIdFactorApplied), "");  // one channel alone is not enough
    EXPECT_FALSE(PageShows(Data::kQuantityIds[Data::kDose]));
    Calibrate(1, kOtherGyMode);
    EXPECT_EQ(PageText(Data::kIdFactorApplied), "System Factor Applied");
    ASSERT_TRUE(PageShows(Data::kQuantityIds[Data::kDose]));
    ChooseQuantity(Data::kDose);
    EXPECT_EQ(Screen().RatioPage().ShownQuantity(), Data::kDose);
    doc->Channel[0].TPCorrection = 1;
    doc->UpdateAllViews(kHintCorrection);
    EXPECT_EQ(PageText(Data::kIdTpApplied), "");
    doc->Channel[1].TPCorrection = 1;
    doc->UpdateAllViews(kHintCorrection);
    EXPECT_EQ(PageText(Data::kIdTpApplied), "Temp/Pressure Applied");
    ExpectEverythingFits();
    Screenshot("two_channel_ratio_data_page.png");
    Calibrate(1, kRoentgenMode);  // Gy against R: no dose ratio, back to the rate
    EXPECT_FALSE(PageShows(Data::kQuantityIds[Data::kDose]));
    EXPECT_EQ(Screen().RatioPage().ShownQuantity(), Data::kRate);
}

// The operator's whole path: both channels measured with the ratio column on, a collection,
// and the rows saved to a data file with the ratio section.
TEST_F(RatioPageTest, RowsOfACollectionReachTheDataFileInTheRatioLayout) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    ChooseTimed(5);
    InjectCurrent(0, 3000.0);
    InjectCurrent(1, 1500.0);
    Readings(200);
    Touch(Ids::kIdRatio);
    Touch(Ids::kIdStartStop);
    Seconds(5);
    ASSERT_EQ(doc->MeasList.size(), 1u);
    const std::string chargeRatio = doc->MeasList[0].ChargeRatio;
    EXPECT_EQ(chargeRatio, "2.000");
    Touch(Ids::kIdStartStop);  // Clear
    ShowTab(CTwoChannelView::kDataRatio);
    ChooseQuantity(Data::kCharge);
    EXPECT_EQ(Screen().RatioPage().List().GetItemText(0, 2), chargeRatio);
    for (int page : {CTwoChannelView::kSetup1, CTwoChannelView::kData1, CTwoChannelView::kSetup2,
                     CTwoChannelView::kData2}) {
        ShowTab(page);
        ExpectEverythingFits();
        Screenshot("two_channel_page_" + std::to_string(page) + ".png");
    }
    ShowTab(CTwoChannelView::kFile);
    script->Then([this] {
        Screenshot("two_channel_file_save_box.png");
        TapText("OK");
    });
    ASSERT_TRUE(TapText("Save"));
    std::ifstream in(root->Usb() / "Untitled1.csv", std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t ratio = file.find("Ratio\r\nFlagged,Date,Time,Rate,,Dose Rate,,Charge,,Dose,,");
    ASSERT_NE(ratio, std::string::npos);
    const std::string row = "----,,,,2.000,,----,,";
    EXPECT_NE(file.find(row, ratio), std::string::npos) << file.substr(ratio);
    EXPECT_EQ(doc->DataUnsaved, 0);
}

}  // namespace
}  // namespace two_channel_test
