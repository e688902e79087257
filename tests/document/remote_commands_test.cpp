// The remote commands as a remote computer sees them: every reply format, the conditions of
// screen and state, and the limits of every setting.
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "document/remote_fixture.h"
#include "fw/Resources.h"

namespace {

using remote_testing::FakeScreen;
using remote_testing::RemoteTest;

constexpr RemoteScreenKind kOne = RemoteScreenKind::OneChannel;
constexpr RemoteScreenKind kTwo = RemoteScreenKind::TwoChannel;
constexpr RemoteScreenKind kScint = RemoteScreenKind::Scintillator;
constexpr RemoteScreenKind kOther = RemoteScreenKind::Other;

// ---- identity and screens ------------------------------------------------------------------

using RemoteIdentity = RemoteTest;

TEST_F(RemoteIdentity, AnswersOnEveryScreenButStandby) {
    for (RemoteScreenKind kind : {kOne, kTwo, kScint, kOther}) {
        Show(kind);
        EXPECT_EQ(Send("<GID>"), "*KELVARIN\r\n");
    }
    ShowPlainView();
    EXPECT_EQ(Send("<GID>"), "*KELVARIN\r\n");
    Show(RemoteScreenKind::Standby);
    EXPECT_EQ(Send("<GID>"), "");
    EXPECT_EQ(Send("<SRU1>"), "");
    EXPECT_EQ(doc.StreamRaw, 0);
}

TEST_F(RemoteIdentity, OtherBodiesStartingWithGiAreRefused) {
    EXPECT_EQ(Send("<GIDX>"), "!\r\n");
    EXPECT_EQ(Send("<GIX>"), "!\r\n");
    EXPECT_EQ(Send("<GISX>"), "!\r\n");
    Show(kScint);
    EXPECT_EQ(Send("<GIS>"), "!\r\n");
}

TEST_F(RemoteIdentity, UnknownFirstLettersAndShapesAreUnrecognised) {
    for (const char* line : {"<XYZ>", "<gid>", "<>", "<G>", "<GSNX>", "<GR3>", "<GR1 >", "<GRG3>",
                             "<GBX1>", "<GHTX>", "<SX>", "<CZZ>", "<DZ1>", "<EDC>"})
        EXPECT_EQ(Send(line), "?\r\n") << line;
}

TEST_F(RemoteIdentity, SerialNumberIsSetAndReadInThePortsSingleByteText) {
    EXPECT_EQ(Send("<GSN>"), "*0000000\r\n");
    EXPECT_EQ(Send("<SSN AB12345>"), "*\r\n");
    EXPECT_EQ(doc.SerialNumber, "AB12345");
    EXPECT_EQ(Send("<GSN>"), "*AB12345\r\n");
    // A Latin-1 byte is kept as the character it stands for and comes back as that byte.
    EXPECT_EQ(Send("<SSN \xB5"
                   "123456>"),
              "*\r\n");
    EXPECT_EQ(doc.SerialNumber,
              "\xC2\xB5"
              "123456");
    EXPECT_EQ(Send("<GSN>"),
              "*\xB5"
              "123456\r\n");
    // Wrong length, and characters that would break the reply line.
    EXPECT_EQ(Send("<SSN 123456>"), "?\r\n");
    EXPECT_EQ(Send("<SSN 12345678>"), "?\r\n");
    EXPECT_EQ(Send("<SSN 12\r\n345>"), "!\r\n");
    EXPECT_EQ(doc.SerialNumber,
              "\xC2\xB5"
              "123456");
}

TEST_F(RemoteIdentity, VersionsComeWithoutTheStar) {
    doc.FirmwareVersion = "2.1.0.3";
    EXPECT_EQ(Send("<GFVER>"), "2.1.0.3\r\n");
    EXPECT_EQ(Send("<GFVERX>"), "?\r\n");
    // Without a staged program, the running program's own stamp.
    EXPECT_TRUE(std::regex_match(Send("<GSVER>"), std::regex("[0-9]+(\\.[0-9]+){3}\r\n")));
    // The staged program's stamp, when one is on the flash disk.
    std::filesystem::create_directories(root.FlashDisk() / "App");
    std::ofstream(root.FlashDisk() / "App" / "ZELTarvo_v2.exe", std::ios::binary)
        << std::string("\x01KVPRODUCTVERSION=3.4.5.6") << '\0';
    EXPECT_EQ(Send("<GSVER>"), "3.4.5.6\r\n");
}

// ---- queries on the measurement screens ------------------------------------------------------

using RemoteQueries = RemoteTest;

TEST_F(RemoteQueries, InstrumentStateLine) {
    doc.Channel[0].Range = 1;
    doc.Channel[0].BiasRead = -300;
    doc.Channel[1].BiasRead = 250;
    doc.Collecting = 1;
    EXPECT_EQ(Send("<GIS>"), "1,-300,0,250,1\r\n");
}

TEST_F(RemoteQueries, RateAndChargeTextsWithUnits) {
    doc.Channel[0].Range = 0;
    doc.Filter.Chan[0].Rate = 1234.0;  // fA, shown in pA
    doc.Channel[1].Range = 1;
    doc.Filter.Chan[1].Charge = 2500.0;  // pC, shown in nC
    EXPECT_EQ(Send("<GR1>"), "*1.234 pA\r\n");
    EXPECT_EQ(Send("<GC2>"), "*2.500 nC\r\n");
    doc.Filter.Chan[0].OverRange = true;
    EXPECT_EQ(Send("<GR1>"), "*XXXXX pA\r\n");
    Show(kOther);
    EXPECT_EQ(Send("<GR1>"), "!\r\n");
    EXPECT_EQ(Send("<GC1>"), "!\r\n");
}

TEST_F(RemoteQueries, MicrocoulombsGoOutAsOneLatin1Byte) {
    doc.Filter.Chan[0].Charge = 2.5e6;  // pC
    EXPECT_EQ(Send("<GC1>"),
              "*2.500 \xB5"
              "C\r\n");
}

TEST_F(RemoteQueries, DoseNeedsAChargeCalibrationAndDoseRateARateCalibration) {
    doc.Channel[0].SystemFactor = 1;
    doc.Channel[0].ChamberIndex = 0;
    doc.Channel[0].CalMode = 1;  // a rate-based mode
    doc.Channel[0].CoefMantissa = 1000;
    doc.ApplyChamber(0);
    doc.Filter.Chan[0].Dose = 1.5;
    EXPECT_EQ(Send("<GD1>"), "!\r\n");
    EXPECT_EQ(Send("<GDR1>"), "*1.500 " + fw::LoadString(309) + "\r\n");

    doc.Channel[0].CalMode = 8;  // charge-based, in Gy
    doc.ApplyChamber(0);
    doc.Filter.Chan[0].Dose = 2.0;
    EXPECT_EQ(Send("<GDR1>"), "!\r\n");
    EXPECT_EQ(Send("<GD1>"), "*2.000 Gy\r\n");
    // Without any calibration neither is available.
    EXPECT_EQ(Send("<GD2>"), "!\r\n");
    EXPECT_EQ(Send("<GDR2>"), "!\r\n");
    EXPECT_EQ(Send("<GDR3>"), "?\r\n");
    EXPECT_EQ(Send("<GD1 >"), "?\r\n");
}

TEST_F(RemoteQueries, ScintillatorScreenGivesTheCorrectedValues) {
    Show(kScint);
    doc.ScintBaseline.ScintGain = 2.0;
    doc.ScintBaseline.CLR = 0.5;
    doc.Filter.Chan[0].Rate = 3000.0;
    doc.Filter.Chan[1].Rate = 2000.0;  // (3000 − 0.5·2000) · 2 fA = 4 pA
    doc.Filter.Chan[0].Charge = 5.0;
    doc.Filter.Chan[1].Charge = 2.0;  // (5 − 1) · 2 pC
    EXPECT_EQ(Send("<GDR1>"), "*4.000 pA\r\n");
    EXPECT_EQ(Send("<GD2>"), "*8.000 pC\r\n");
    // The measurement-screen-only queries are refused there.
    EXPECT_EQ(Send("<GRG1>"), "!\r\n");
    EXPECT_EQ(Send("<GBV1>"), "!\r\n");
}

TEST_F(RemoteQueries, RangeAndBiasOfEachChannel) {
    doc.Channel[1].Range = 1;
    doc.Channel[0].BiasSet = -500;
    doc.Channel[1].BiasRead = 498;
    doc.Filter.Cal[1].BiasM = 0.5;
    doc.Filter.Cal[1].BiasB = -1.25;
    EXPECT_EQ(Send("<GRG1>"), "*L\r\n");
    EXPECT_EQ(Send("<GRG2>"), "*H\r\n");
    EXPECT_EQ(Send("<GBS1>"), "*-500\r\n");
    EXPECT_EQ(Send("<GBV2>"), "*498\r\n");
    EXPECT_EQ(Send("<GBC2>"), "*0.500000,-1.250000\r\n");
    Show(kTwo);
    EXPECT_EQ(Send("<GRG2>"), "*H\r\n");
}

TEST_F(RemoteQueries, CalibrationPolynomialsHighThenLow) {
    RANGE_CAL& high = doc.Filter.Cal[0].High;
    RANGE_CAL& low = doc.Filter.Cal[0].Low;
    high = {1, 1, 1.5, 0, 0.1, 0.2, 0.3, 0.4, 100};
    low = {1, 1, 0.5, 0, -1, -2, -3, -4, 0};
    EXPECT_EQ(Send("<GCP1>"),
              "*1.500000,0.100000,0.200000,0.300000,0.400000,100.000000,"
              "0.500000,-1.000000,-2.000000,-3.000000,-4.000000,0.000000\r\n");
}

// All 301 digits of 1e300 and its six decimals, as the C library's exact conversion gives them.
std::string Fixed6(double v) {
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 6);
    return std::string(buffer, end);
}

TEST_F(RemoteQueries, HugeCalibrationValuesAreSentWhole) {
    doc.Filter.Cal[1].High.E = 1e300;
    std::string reply = Send("<GCP2>");
    EXPECT_NE(reply.find("," + Fixed6(1e300) + ",1.000000,"), std::string::npos) << reply;
    EXPECT_EQ(reply.substr(reply.size() - 2), "\r\n");
    doc.Filter.Cal[1].BiasM = -1e300;
    EXPECT_EQ(Send("<GBC2>"), "*" + Fixed6(-1e300) + ",0.000000\r\n");
}

TEST_F(RemoteQueries, FilterCountsAndTemperatures) {
    doc.Filter.Chan[0].MeanCount = 8388608;
    doc.Filter.Chan[1].MeanCount = -5;
    doc.Filter.Chan[0].Temperature = 22.5;
    doc.Filter.Chan[1].Temperature = -1.25;
    doc.Filter.Chan[0].LastCount = 4000000000u;
    doc.Filter.Chan[1].LastCount = 17;
    EXPECT_EQ(Send("<GFO>"), "*8388608,22.500000,-5,-1.250000\r\n");
    EXPECT_EQ(Send("<GLS>"), "*4000000000,17,22.500000,-1.250000\r\n");
    Show(kScint);
    EXPECT_EQ(Send("<GFO>"), "!\r\n");
    EXPECT_EQ(Send("<GLS>"), "!\r\n");
}

TEST_F(RemoteQueries, CollectionStateAndType) {
    doc.ChargeType = 0;
    doc.ChargeDuration = 60;
    EXPECT_EQ(Send("<GCS>"), "*I\r\n");
    EXPECT_EQ(Send("<GCT>"), "*T 60\r\n");
    doc.Collecting = 1;
    EXPECT_EQ(Send("<GCS>"), "*C\r\n");
    doc.Collecting = 0;
    doc.ChargeType = 1;
    EXPECT_EQ(Send("<GCT>"), "*C\r\n");
    doc.ChargeType = 2;
    EXPECT_EQ(Send("<GCT>"), "*TRG\r\n");
    doc.TriggerArmed = 1;  // armed, not yet started
    EXPECT_EQ(Send("<GCS>"), "*A\r\n");
    doc.TriggerArmed = 2;
    doc.Collecting = 1;
    EXPECT_EQ(Send("<GCS>"), "*C\r\n");
    doc.ChargeType = 7;
    EXPECT_EQ(Send("<GCS>"), "?\r\n");
    EXPECT_EQ(Send("<GCT>"), "?\r\n");
}

TEST_F(RemoteQueries, ThresholdsOnAnyScreenWithOneDecimal) {
    Show(kOther);
    doc.HStart = 3.25;
    doc.HStop = 1.0;
    doc.LStart = 9.9;
    doc.LStop = 0.04;
    EXPECT_EQ(Send("<GHTS>"), "*3.2\r\n");
    EXPECT_EQ(Send("<GHTP>"), "*1.0\r\n");
    EXPECT_EQ(Send("<GLTS>"), "*9.9\r\n");
    EXPECT_EQ(Send("<GLTP>"), "*0.0\r\n");
}

TEST_F(RemoteQueries, ZeroingFlagOfTheScreen) {
    EXPECT_EQ(Send("<GZS>"), "*0\r\n");
    screen->zeroDialogOpen = true;
    EXPECT_EQ(Send("<GZS>"), "*1\r\n");
    ShowPlainView();
    EXPECT_EQ(Send("<GZS>"), "!\r\n");
}

// ---- settings --------------------------------------------------------------------------------

using RemoteSettings = RemoteTest;

TEST_F(RemoteSettings, BiasLimitsAndBoardCommand) {
    EXPECT_EQ(Send("<SBS1 50>"), "!\r\n");
    EXPECT_EQ(Send("<SBS1 1001>"), "!\r\n");
    EXPECT_EQ(Send("<SBS2 -99>"), "!\r\n");
    EXPECT_TRUE(board.sent.empty());
    EXPECT_EQ(Send("<SBS1 0>"), "*\r\n");
    EXPECT_EQ(Send("<SBS1 -1000>"), "*\r\n");
    EXPECT_EQ(Send("<SBS2 100xyz>"), "*\r\n");  // read as far as the digits go
    ASSERT_EQ(board.sent.size(), 3u);
    EXPECT_EQ(board.sent[1].code, 0x01);
    EXPECT_EQ(board.sent[1].payload[0], 0);
    EXPECT_EQ(int16_t(board.sent[1].payload[1] | board.sent[1].payload[2] << 8), -1000);
    // BiasSet follows the board's answer.
    EXPECT_EQ(doc.Channel[0].BiasSet, -1000);
    EXPECT_EQ(doc.Channel[1].BiasSet, 100);
    Show(kScint);
    EXPECT_EQ(Send("<SBS1 200>"), "!\r\n");
}

TEST_F(RemoteSettings, BiasNumbersThatOverflowOrAreMissingChangeNothing) {
    EXPECT_EQ(Send("<SBS1 4294967396>"), "!\r\n");  // would wrap to 100 in 32 bits
    EXPECT_EQ(Send("<SBS1 18446744073709551716>"), "!\r\n");
    EXPECT_EQ(Send("<SBS1 -4294966296>"), "!\r\n");
    EXPECT_EQ(Send("<SBS1 >"), "?\r\n");
    EXPECT_EQ(Send("<SBS1 abc>"), "?\r\n");
    EXPECT_EQ(Send("<SBS1 nan>"), "?\r\n");
    EXPECT_EQ(Send("<SBS3 100>"), "?\r\n");
    EXPECT_TRUE(board.sent.empty());
}

TEST_F(RemoteSettings, BiasCalibrationTakesTwoNumbersOrNothing) {
    EXPECT_EQ(Send("<SBC1 0.5,-2.5>"), "*\r\n");
    EXPECT_EQ(doc.Filter.Cal[0].BiasM, 0.5);
    EXPECT_EQ(doc.Filter.Cal[0].BiasB, -2.5);
    EXPECT_EQ(Send("<SBC2  1e-3;  +4>"), "*\r\n");  // blanks before a number are skipped
    EXPECT_EQ(doc.Filter.Cal[1].BiasM, 1e-3);
    EXPECT_EQ(doc.Filter.Cal[1].BiasB, 4.0);
    for (const char* bad :
         {"<SBC1 0.7>", "<SBC1 0.7,>", "<SBC1 0.7,1 >", "<SBC1 ,1>", "<SBC1 0.7,,1>",
          "<SBC1 0.7,1,2>", "<SBC1 nan,1>", "<SBC1 0.7,inf>", "<SBC1 1e999,1>", "<SBC10.7,1>"}) {
        EXPECT_EQ(Send(bad), "?\r\n") << bad;
    }
    EXPECT_EQ(doc.Filter.Cal[0].BiasM, 0.5);
    EXPECT_EQ(doc.Filter.Cal[0].BiasB, -2.5);
    Show(kOther);
    EXPECT_EQ(Send("<SBC1 9,9>"), "!\r\n");
    EXPECT_EQ(doc.Filter.Cal[0].BiasM, 0.5);
}

TEST_F(RemoteSettings, CalibrationPolynomialsTakeTwelveNumbersOrNothing) {
    EXPECT_EQ(Send("<SCP2 1.1,2,3,4,5,6,0.9,-2,-3,-4,-5,-6>"), "*\r\n");
    const CHANNEL_CAL& cal = doc.Filter.Cal[1];
    EXPECT_EQ(cal.High.Gain, 1.1);
    EXPECT_EQ(cal.High.E, 6.0);
    EXPECT_EQ(cal.Low.Gain, 0.9);
    EXPECT_EQ(cal.Low.A, -2.0);
    EXPECT_EQ(cal.Low.E, -6.0);
    EXPECT_EQ(Send("<GCP2>"),
              "*1.100000,2.000000,3.000000,4.000000,5.000000,6.000000,"
              "0.900000,-2.000000,-3.000000,-4.000000,-5.000000,-6.000000\r\n");

    const CHANNEL_CAL before = doc.Filter.Cal[0];
    for (const char* bad :
         {"<SCP1 1,2,3,4,5,6,7,8,9,10,11>", "<SCP1 1,2,3,4,5,6,7,8,9,10,11,12,13>",
          "<SCP1 1,2,3,4,5,nan,7,8,9,10,11,12>", "<SCP1 1,2,3,4,5,6,7,8,9,10,11,x>"}) {
        EXPECT_EQ(Send(bad), "?\r\n") << bad;
    }
    EXPECT_EQ(doc.Filter.Cal[0].High.Gain, before.High.Gain);
    EXPECT_EQ(doc.Filter.Cal[0].High.E, before.High.E);
    EXPECT_EQ(doc.Filter.Cal[0].Low.A, before.Low.A);
}

TEST_F(RemoteSettings, RangeNeedsAnIdleMeasurementScreen) {
    EXPECT_EQ(Send("<SRG1 X>"), "?\r\n");
    EXPECT_EQ(Send("<SRG1 HH>"), "?\r\n");
    EXPECT_EQ(Send("<SRG2 H>"), "*\r\n");
    EXPECT_EQ(doc.Channel[1].Range, 1);  // from the board's answer
    doc.Collecting = 1;
    EXPECT_EQ(Send("<SRG1 H>"), "!\r\n");
    doc.Collecting = 0;
    screen->zeroDialogOpen = true;
    EXPECT_EQ(Send("<SRG1 H>"), "!\r\n");
    EXPECT_EQ(doc.Channel[0].Range, 0);
}

TEST_F(RemoteSettings, StreamingAndDataCaptureSwitches) {
    Show(kOther);
    EXPECT_EQ(Send("<SRU1>"), "*\r\n");
    EXPECT_EQ(Send("<SRR1>"), "*\r\n");
    EXPECT_EQ(doc.StreamRaw, 1);
    EXPECT_EQ(doc.StreamRate, 1);
    EXPECT_EQ(Send("<SRU2>"), "!\r\n");
    EXPECT_EQ(Send("<SRR9>"), "!\r\n");
    EXPECT_EQ(Send("<SRU0>"), "*\r\n");
    EXPECT_EQ(doc.StreamRaw, 0);
    EXPECT_EQ(doc.StreamRate, 1);
    EXPECT_EQ(Send("<EDC1>"), "*\r\n");
    EXPECT_EQ(doc.AutoDataCapture, 1);
    EXPECT_EQ(Send("<EDC2>"), "?\r\n");
    EXPECT_EQ(Send("<EDC0>"), "*\r\n");
    EXPECT_EQ(doc.AutoDataCapture, 0);
    EXPECT_EQ(Send("<SRU11>"), "?\r\n");
}

TEST_F(RemoteSettings, ThresholdsKeepStartAboveStop) {
    doc.HStart = 5.0;
    doc.HStop = 3.0;
    EXPECT_EQ(Send("<SHTS 3.0>"), "!\r\n");
    EXPECT_EQ(Send("<SHTS 10>"), "!\r\n");
    EXPECT_EQ(Send("<SHTS 3.1 pA>"), "*\r\n");  // text after the number is ignored
    EXPECT_EQ(doc.HStart, 3.1);
    doc.HStart = 3.0;
    EXPECT_EQ(Send("<SHTP 3.0>"), "!\r\n");
    EXPECT_EQ(Send("<SHTP 0.05>"), "!\r\n");
    EXPECT_EQ(Send("<SHTP 0.1>"), "*\r\n");
    EXPECT_EQ(doc.HStop, 0.1);
    doc.LStart = 9.9;
    doc.LStop = 9.8;
    EXPECT_EQ(Send("<SLTS 9.9>"), "*\r\n");
    EXPECT_EQ(Send("<SLTP 9.85>"), "!\r\n");
    for (const char* bad : {"<SLTP nan>", "<SLTP inf>", "<SLTP -inf>", "<SLTP >", "<SLTP x>"})
        EXPECT_EQ(Send(bad), "!\r\n") << bad;
    EXPECT_EQ(doc.LStop, 9.8);
    EXPECT_EQ(Send("<SLTX 1>"), "?\r\n");
    EXPECT_EQ(Send("<SLTP1>"), "?\r\n");
}

TEST_F(RemoteSettings, CollectionTypeLimitsAndIdleness) {
    EXPECT_EQ(Send("<SCT T0>"), "!\r\n");
    EXPECT_EQ(Send("<SCT T86401>"), "!\r\n");
    EXPECT_EQ(Send("<SCT T99999999999999999999999>"), "!\r\n");
    EXPECT_EQ(doc.ChargeDuration, 15);
    EXPECT_EQ(Send("<SCT T86400>"), "*\r\n");
    EXPECT_EQ(doc.ChargeType, 0);
    EXPECT_EQ(doc.ChargeDuration, 86400);
    Show(kScint);
    EXPECT_EQ(Send("<SCT C>"), "*\r\n");
    EXPECT_EQ(doc.ChargeType, 1);
    EXPECT_EQ(Send("<SCT TRG>"), "*\r\n");
    EXPECT_EQ(doc.ChargeType, 2);
    doc.TriggerArmed = 1;
    EXPECT_EQ(Send("<SCT C>"), "!\r\n");
    EXPECT_EQ(doc.ChargeType, 2);
    doc.TriggerArmed = 0;
    Show(kOther);
    EXPECT_EQ(Send("<SCT T10>"), "!\r\n");
    EXPECT_EQ(Send("<SCT C >"), "?\r\n");
    EXPECT_EQ(Send("<SCT X>"), "?\r\n");
    EXPECT_EQ(Send("<SCTC>"), "?\r\n");
}

TEST_F(RemoteSettings, SaveWritesTheSettingsFile) {
    Send("<SBC1 0.25,1.5>");
    EXPECT_EQ(Send("<SS>"), "*\r\n");
    EXPECT_EQ(doc.SettingsSaved, 1);
    std::ifstream in(root.FlashDisk() / "ZELTarvo.xml");
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(file.find("0.25"), std::string::npos);
    Show(kScint);
    EXPECT_EQ(Send("<SS>"), "!\r\n");
}

TEST_F(RemoteSettings, AFailedSaveIsRefused) {
    std::filesystem::remove_all(root.FlashDisk());
    std::ofstream(root.FlashDisk()) << "a file where the folder should be";
    EXPECT_EQ(Send("<SS>"), "!\r\n");
    EXPECT_EQ(doc.SettingsSaved, 0);
}

// ---- actions ---------------------------------------------------------------------------------

using RemoteActions = RemoteTest;

TEST_F(RemoteActions, StartAndStopReachTheScreenAsHints) {
    EXPECT_EQ(Send("<STPC>"), "!\r\n");  // nothing to stop
    EXPECT_EQ(Send("<STRC>"), "*\r\n");
    doc.Collecting = 1;
    EXPECT_EQ(Send("<STRC>"), "!\r\n");
    EXPECT_EQ(Send("<STPC>"), "*\r\n");
    doc.Collecting = 0;
    doc.TriggerArmed = 1;
    EXPECT_EQ(Send("<STPC>"), "*\r\n");
    screen->zeroDialogOpen = true;
    EXPECT_EQ(Send("<STPC>"), "!\r\n");
    EXPECT_EQ(screen->hints,
              (std::vector<int>{kHintRemoteStart, kHintRemoteStop, kHintRemoteStop}));
    Show(kOther);
    EXPECT_EQ(Send("<STRC>"), "!\r\n");
    EXPECT_EQ(Send("<STRCX>"), "?\r\n");
    EXPECT_TRUE(screen->hints.empty());
}

TEST_F(RemoteActions, ZeroingStartsForBothChannelsAndIsCancelledThroughTheScreen) {
    EXPECT_EQ(Send("<CZ>"), "!\r\n");  // no zeroing to cancel
    EXPECT_EQ(Send("<DZ>"), "*\r\n");
    EXPECT_EQ(screen->zeroStarts, std::vector<int>{kShowBothChannels});
    EXPECT_TRUE(doc.Filter.Zeroing);
    EXPECT_EQ(doc.ZeroChannels, 2);
    EXPECT_EQ(Send("<DZ>"), "!\r\n");  // already zeroing
    EXPECT_EQ(Send("<CZ>"), "*\r\n");
    EXPECT_EQ(screen->zeroCancels, 1);
    EXPECT_FALSE(doc.Filter.Zeroing);
    EXPECT_FALSE(screen->zeroDialogOpen);
}

TEST_F(RemoteActions, CancelIsRefusedWhenTheScreenHasNoDialogToEnd) {
    screen->zeroDialogOpen = true;
    doc.Filter.Zeroing = true;
    doc.Collecting = 1;
    EXPECT_EQ(Send("<CZ>"), "!\r\n");
    EXPECT_EQ(screen->zeroCancels, 0);
    doc.Collecting = 0;
    ShowPlainView();  // e.g. a screen without a zeroing dialog of its own
    EXPECT_EQ(Send("<CZ>"), "!\r\n");
    EXPECT_TRUE(doc.Filter.Zeroing);
}

TEST_F(RemoteActions, ViewSwitchOnTheOneChannelScreen) {
    doc.OneChannelShown = 0;
    EXPECT_EQ(Send("<SV1>"), "*\r\n");  // already shown: nothing happens
    EXPECT_TRUE(screen->switches.empty());
    EXPECT_EQ(Send("<SV2>"), "*\r\n");
    EXPECT_EQ(doc.OneChannelShown, 1);
    EXPECT_EQ(Send("<SVB>"), "*\r\n");
    EXPECT_EQ(screen->switches, (std::vector<int>{kShowChannel2, kShowBothChannels}));
    EXPECT_EQ(Send("<SV3>"), "?\r\n");
    EXPECT_EQ(Send("<SV1 >"), "?\r\n");
}

TEST_F(RemoteActions, ViewSwitchOnTheTwoChannelScreen) {
    Show(kTwo);
    EXPECT_EQ(Send("<SVB>"), "*\r\n");
    EXPECT_TRUE(screen->switches.empty());
    EXPECT_EQ(Send("<SV2>"), "*\r\n");
    EXPECT_EQ(doc.OneChannelShown, 1);
    EXPECT_EQ(screen->switches, std::vector<int>{kShowChannel2});
}

TEST_F(RemoteActions, AFailedSwitchIsRefusedAndKeepsTheChannel) {
    Show(kTwo).switchSucceeds = false;
    doc.OneChannelShown = 0;
    EXPECT_EQ(Send("<SV2>"), "!\r\n");
    EXPECT_EQ(doc.OneChannelShown, 0);
}

TEST_F(RemoteActions, ViewSwitchNeedsAnIdleMeasurementScreen) {
    doc.TriggerArmed = 1;
    EXPECT_EQ(Send("<SVB>"), "!\r\n");
    doc.TriggerArmed = 0;
    Show(kScint);
    EXPECT_EQ(Send("<SV1>"), "!\r\n");
    EXPECT_TRUE(screen->switches.empty());
}

// A keypad, box, dialog or menu open on the screen makes it not idle: what would act behind it
// is refused and changes nothing, the same line acts once it is closed, and queries answer.
TEST_F(RemoteActions, NothingActsBehindAnOpenDialog) {
    struct Case {
        RemoteScreenKind kind;
        const char* line;
    };
    const Case kActing[] = {{kOne, "<SRG1 H>"},  {kOne, "<SCT C>"}, {kScint, "<SCT TRG>"},
                            {kOne, "<SCT T30>"}, {kOne, "<STRC>"},  {kScint, "<STRC>"},
                            {kOne, "<DZ>"},      {kScint, "<DZ>"},  {kOne, "<SV2>"},
                            {kOne, "<SVB>"},     {kTwo, "<SV1>"}};
    for (const Case& c : kActing) {
        SCOPED_TRACE(c.line);
        doc.SetChargeType(0, 15);
        doc.OneChannelShown = 0;
        doc.Filter.Zeroing = false;
        FakeScreen& s = Show(c.kind);
        const size_t sent = board.sent.size();
        s.modalOpen = true;
        EXPECT_EQ(Send(c.line), "!\r\n");
        EXPECT_EQ(board.sent.size(), sent);
        EXPECT_TRUE(s.hints.empty());
        EXPECT_TRUE(s.zeroStarts.empty());
        EXPECT_TRUE(s.switches.empty());
        EXPECT_FALSE(doc.Filter.Zeroing);
        EXPECT_EQ(doc.ChargeType, 0);
        EXPECT_EQ(doc.ChargeDuration, 15);
        EXPECT_EQ(doc.OneChannelShown, 0);
        s.modalOpen = false;
        EXPECT_EQ(Send(c.line), "*\r\n");
    }
    const std::pair<const char*, const char*> kQueries[] = {{"<GID>", "*KELVARIN\r\n"},
                                                            {"<GCS>", "*I\r\n"},
                                                            {"<GZS>", "*0\r\n"},
                                                            {"<GRG1>", "*L\r\n"},
                                                            {"<GLTS>", nullptr}};
    FakeScreen& s = Show(kOne);
    doc.Channel[0].Range = 0;
    s.modalOpen = true;
    for (const auto& [line, reply] : kQueries) {
        if (reply != nullptr)
            EXPECT_EQ(Send(line), reply) << line;
        else
            EXPECT_EQ(Send(line).front(), '*') << line;
    }
}

TEST_F(RemoteActions, EveryLineGoesOutAsOneWrite) {
    struct CountingLink : IBoardLink {
        bool SendBoardPacket(BOARD_PACKET&) override { return true; }
        bool SendRemoteText(const std::string&) override { return ++writes, true; }
        int writes = 0;
    } link;
    doc.SetLink(&link);
    for (const char* line : {"<GID>", "<GCP1>", "<XX>", "<SBS1 5>", "<SS>"})
        Send(line);
    doc.SetLink(nullptr);
    EXPECT_EQ(link.writes, 5);
}

}  // namespace
