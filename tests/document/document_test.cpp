#include <gtest/gtest.h>

#include "support/HintView.h"

#include "document/CKelvarinDoc.h"
#include "fw/Clock.h"

namespace {

class Document : public ::testing::Test {
  protected:
    void SetUp() override {
        clock = std::make_shared<fw::ManualClock>();
        fw::SetClock(clock);
        frame = std::make_unique<fw::Frame>(doc);
        frame->SwitchToView(std::make_unique<testing_support::HintView>());
        view = static_cast<testing_support::HintView*>(frame->ActiveView());
    }
    void TearDown() override {
        frame.reset();
        fw::SetClock(std::make_shared<fw::SystemClock>());
    }
    std::shared_ptr<fw::ManualClock> clock;
    CKelvarinDoc doc;
    std::unique_ptr<fw::Frame> frame;
    testing_support::HintView* view = nullptr;
};

TEST_F(Document, StartsWithItsDefaults) {
    EXPECT_EQ(doc.Title, "Untitled1");
    EXPECT_EQ(doc.UntitledCounter, 2);
    EXPECT_EQ(doc.SerialNumber, "0000000");
    EXPECT_EQ(doc.ChargeDuration, 15);
    EXPECT_EQ(doc.Channel[1].ChamberIndex, -1);
    EXPECT_EQ(doc.Channel[0].BiasSetSeen, -1);
    EXPECT_DOUBLE_EQ(doc.Channel[0].Temperature, 20.0);
    EXPECT_DOUBLE_EQ(doc.Channel[0].Pressure, 760.0);
    std::string title;
    doc.MakeTitle(title);
    EXPECT_EQ(title, "Untitled2");
    EXPECT_EQ(doc.Untitled, 1);
    EXPECT_EQ(doc.TitleSaved, 0);
}

TEST_F(Document, ChargeTypeChangesClearTheChargeOnlyWhenSomethingChanged) {
    doc.Filter.Chan[0].Charge = 5.0;
    doc.TriggerArmed = 1;
    doc.SetChargeType(0, 15);  // same type and duration
    EXPECT_EQ(doc.TriggerArmed, 0);
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[0].Charge, 5.0);
    EXPECT_TRUE(view->hints.empty());

    doc.Repeating = 1;
    doc.RepeatCount = 7;
    doc.SetChargeType(1, 15);  // continuous never repeats
    EXPECT_EQ(doc.ChargeType, 1);
    EXPECT_EQ(doc.RepeatCount, 1);
    EXPECT_EQ(doc.Repeating, 0);
    EXPECT_EQ(doc.PrevChargeDuration, 15);
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[0].Charge, 0.0);
    EXPECT_EQ(view->hints, std::vector<int>{9});
}

TEST_F(Document, CollectionsPrepareTheClock) {
    doc.SetChargeType(0, 30);
    doc.StartCollection();
    EXPECT_EQ(doc.Filter.ElapsedSeconds, 30);
    EXPECT_FALSE(doc.Filter.CountUp);
    EXPECT_EQ(doc.Collecting, 1);
    doc.SetChargeType(1, 30);
    doc.StartCollection();
    EXPECT_EQ(doc.Filter.ElapsedSeconds, 0);
    EXPECT_TRUE(doc.Filter.CountUp);
    EXPECT_EQ(view->hints.back(), 6);
}

TEST_F(Document, TriggerLevelsFollowChannelOnesRange) {
    doc.SetChargeType(2, 15);
    doc.LStart = 10.0;
    doc.LStop = 5.0;
    doc.HStart = 10000.0;
    doc.HStop = 5000.0;
    doc.StartCollection();
    CFilter low = doc.Filter;
    doc.Channel[0].Range = 1;
    doc.StartCollection();
    // 10 pA on Low and 10 nA on High are the same share of full scale.
    EXPECT_NEAR(double(low.StartHigh) - 0x800000, double(doc.Filter.StartHigh) - 0x800000,
                0x800000 * 0.01);
    EXPECT_EQ(doc.TriggerArmed, 1);
    EXPECT_EQ(doc.Collecting, 0);
}

TEST_F(Document, TemperatureAndPressureSetTheCorrection) {
    doc.TempStd = 1;   // 22.0 °C
    doc.PressStd = 2;  // 101.3 kPa
    doc.SetTemperature(25.0);
    doc.SetPressure(98.0);
    double expected = (25.0 + 273.15) / (22.0 + 273.15) * 101.3 / 98.0;
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[0].TPFactor, expected);
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[1].TPFactor, expected);
    EXPECT_EQ(view->hints, (std::vector<int>{9, 9}));
    doc.SetPressure(98.0);  // unchanged: no hint
    EXPECT_EQ(view->hints.size(), 2u);
}

TEST_F(Document, CalibrationCoefficient) {
    CHANNEL_INFO& c = doc.Channel[0];
    c.CoefMantissa = 5410;  // 5.410
    c.CoefExponent = 7;
    c.CalMode = 8;  // Gy/C, charge-based
    c.SystemFactor = 1;
    EXPECT_DOUBLE_EQ(doc.GetCalCoefficient(0), 1.0);  // no chamber selected
    c.ChamberIndex = 3;
    EXPECT_DOUBLE_EQ(doc.GetCalCoefficient(0), 5.41e7 * 1e-12);
    c.Polarity = 300;
    EXPECT_DOUBLE_EQ(doc.GetCalCoefficient(0), -5.41e7 * 1e-12);
    doc.ApplyChamber(0);
    EXPECT_EQ(doc.Filter.Chan[0].DoseMode, kDoseFromCharge);
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[0].CalCoefficient, -5.41e-5);
    c.CalMode = 40;  // a damaged mode is not charge-based
    doc.ApplyChamber(0);
    EXPECT_EQ(doc.Filter.Chan[0].DoseMode, kDoseFromRate);
    c.CalMode = -3;
    doc.ApplyChamber(0);
    EXPECT_EQ(doc.Filter.Chan[0].DoseMode, kDoseFromRate);
    c.SystemFactor = 0;
    EXPECT_DOUBLE_EQ(doc.GetCalCoefficient(0), 1.0);
}

TEST_F(Document, BiasToleranceIsTwoPercentAndSafeAtZero) {
    std::string text;
    CHANNEL_INFO& c = doc.Channel[0];
    c.BiasSet = 300;
    c.BiasRead = 306;
    EXPECT_TRUE(doc.CheckBias(0, text));
    EXPECT_EQ(text, "+300 V\r\n(+306 V)");
    c.BiasRead = 307;  // 2.33 %: integer division would have called it 2 %
    EXPECT_FALSE(doc.CheckBias(0, text));
    c.BiasSet = -300;
    c.BiasRead = -294;
    EXPECT_TRUE(doc.CheckBias(0, text));
    EXPECT_EQ(text, "-300 V\r\n(-294 V)");
    c.BiasSet = 0;  // after every warm-up
    c.BiasRead = 0;
    EXPECT_TRUE(doc.CheckBias(0, text));
    c.BiasRead = 1;
    EXPECT_FALSE(doc.CheckBias(0, text));
}

TEST_F(Document, CalibrationDueWithinSixtyDaysPastOrInvalid) {
    ASSERT_TRUE(clock->SetLocalTime({2026, 12, 0, 6, 15, 30, 0, 0}));
    EXPECT_TRUE(doc.IsCalDueSoon(2027, 2, 4));   // 60 days ahead
    EXPECT_FALSE(doc.IsCalDueSoon(2027, 2, 5));  // 61 days ahead
    EXPECT_TRUE(doc.IsCalDueSoon(2026, 12, 6));  // today
    EXPECT_TRUE(doc.IsCalDueSoon(2020, 1, 1));   // past
    EXPECT_TRUE(doc.IsCalDueSoon(2027, 2, 30));  // no such day
    EXPECT_TRUE(doc.IsCalDueSoon(0, 0, 0));
    EXPECT_FALSE(doc.IsCalDueSoon(2030, 1, 1));
}

}  // namespace
