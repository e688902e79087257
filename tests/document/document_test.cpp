// The document's own rules: charge types, collection and trigger set-up, the air-density
// correction, the calibration coefficient, the bias tolerance and the calibration due date.

#include "document/remote_fixture.h"

namespace {

using Document = remote_testing::RemoteTest;

TEST_F(Document, ChargeTypesCorrectionCollectionsCoefficientBiasAndDueDate) {
    doc.Filter.Chan[0].Charge = 5.0;
    doc.TriggerArmed = 1;
    doc.SetChargeType(0, 15);  // same type and duration
    EXPECT_EQ(doc.TriggerArmed, 0);
    EXPECT_TRUE(screen->hints.empty() && doc.Filter.Chan[0].Charge == 5.0);
    doc.Repeating = 1;
    doc.RepeatCount = 7;
    doc.SetChargeType(1, 15);  // continuous never repeats
    EXPECT_EQ(std::tuple(doc.RepeatCount, doc.Repeating, doc.Filter.Chan[0].Charge),
              std::tuple(1, 0, 0.0));
    EXPECT_EQ(screen->hints, std::vector<int>{9});
    // Temperature and pressure set the correction.
    doc.TempStd = 1;   // 22.0 °C
    doc.PressStd = 2;  // 101.3 kPa
    doc.SetTemperature(25.0);
    doc.SetPressure(98.0);
    doc.SetPressure(98.0);  // unchanged: no hint
    const double expected = (25.0 + 273.15) / (22.0 + 273.15) * 101.3 / 98.0;
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[0].TPFactor, expected);
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[1].TPFactor, expected);
    EXPECT_EQ(screen->hints, (std::vector<int>{9, 9, 9}));
    // Collections prepare the clock and the trigger levels follow the range; the coefficient and
    // dose mode; the bias within 2 % and safe at zero; the calibration due within sixty days, past
    // or invalid.
    for (const auto& [type, elapsed, countUp] : {std::tuple{0, 30, false}, {1, 0, true}}) {
        doc.SetChargeType(type, 30);
        doc.StartCollection();
        EXPECT_EQ(std::tuple(doc.Filter.ElapsedSeconds, doc.Filter.CountUp, doc.Collecting),
                  std::tuple(elapsed, countUp, 1));
    }

    doc.Collecting = 0;
    doc.SetChargeType(2, 15);
    doc.LStart = 10.0;
    doc.HStart = 10000.0;
    doc.StartCollection();
    const int64_t low = int64_t(doc.Filter.StartHigh) - 0x800000;
    doc.Channel[0].Range = 1;
    doc.StartCollection();
    // 10 pA on Low and 10 nA on High are the same share of full scale.
    EXPECT_NEAR(low, int64_t(doc.Filter.StartHigh) - 0x800000, 0x800000 * 0.01);
    EXPECT_EQ(std::tuple(doc.TriggerArmed, doc.Collecting), std::tuple(1, 0));
    CHANNEL_INFO& c = doc.Channel[0];
    c.CoefMantissa = 5410;  // 5.410
    c.CoefExponent = 7;
    c.CalMode = 8;  // Gy/C, charge-based
    c.SystemFactor = 1;
    EXPECT_DOUBLE_EQ(doc.GetCalCoefficient(0), 1.0);  // no chamber selected
    c.ChamberIndex = 3;
    c.Polarity = 300;
    doc.ApplyChamber(0);
    EXPECT_EQ(doc.Filter.Chan[0].DoseMode, kDoseFromCharge);
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[0].CalCoefficient, -5.41e-5);
    c.CalMode = 40;  // a damaged mode is not charge-based
    doc.ApplyChamber(0);
    EXPECT_EQ(doc.Filter.Chan[0].DoseMode, kDoseFromRate);
    c.SystemFactor = 0;
    EXPECT_DOUBLE_EQ(doc.GetCalCoefficient(0), 1.0);
    const struct {
        int set, read;
        bool within;
        const char* text;
    } cases[] = {
        {300, 306, true, "+300 V\r\n(+306 V)"},
        {300, 307, false, nullptr},  // 2.33 %: integer division would have called it 2 %
        {-300, -294, true, "-300 V\r\n(-294 V)"},
        {0, 0, true, nullptr},  // after every warm-up
        {0, 1, false, nullptr},
    };
    for (const auto& b : cases) {
        c.BiasSet = int16_t(b.set);
        c.BiasRead = int16_t(b.read);
        std::string text;
        EXPECT_EQ(doc.CheckBias(0, text), b.within) << b.set << " " << b.read;
        EXPECT_TRUE(b.text == nullptr || text == b.text) << text;
    }
    ASSERT_TRUE(clock->SetLocalTime({2026, 12, 0, 6, 15, 30, 0, 0}));
    const struct {
        int year, month, day;
        bool due;
    } dates[] = {{2027, 2, 4, true}, {2027, 2, 5, false}, {2020, 1, 1, true}, {2027, 2, 30, true}};
    for (const auto& d : dates)
        EXPECT_EQ(doc.IsCalDueSoon(d.year, d.month, d.day), d.due) << d.year << d.month << d.day;
}

}  // namespace
