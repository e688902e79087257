// The remote commands as a remote computer sees them: every reply format, the conditions of
// screen and state, and the limits of every setting. Scripts: "<line>reply|<line>reply".
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
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

using RemoteIdentity = RemoteTest;

TEST_F(RemoteIdentity, AnswersOnEveryScreenButStandbyAndRefusesOtherShapes) {
    for (RemoteScreenKind kind : {kOne, kTwo, kScint, kOther}) {
        Show(kind);
        Expect("<GID>*KELVARIN");
    }
    ShowPlainView();
    Expect("<GID>*KELVARIN|<GIDX>!|<GIX>!|<GISX>!|<XYZ>?|<gid>?|<>?|<G>?|<GSNX>?|<GR3>?|<GR1 >?");
    Expect("<GRG3>?|<GBX1>?|<GHTX>?|<SX>?|<CZZ>?|<DZ1>?|<EDC>?|<GFVERX>?|<STRCX>?|<SV3>?");
    Expect("<SV1 >?|<SLTX 1>?|<SLTP1>?|<SCTC>?|<GDR3>?|<GD1 >?|<SRU11>?|<SBS3 100>?");
    Show(RemoteScreenKind::Standby);
    EXPECT_EQ(Send("<GID>") + Send("<SRU1>"), "");
    EXPECT_EQ(doc.StreamRaw, 0);
}

TEST_F(RemoteIdentity, SerialNumberInThePortsSingleByteTextAndVersions) {
    // A Latin-1 byte is kept as the character it stands for and comes back as that byte.
    Expect("<GSN>*0000000|<SSN AB12345>*|<GSN>*AB12345|<SSN \265123456>*|<GSN>*\265123456");
    EXPECT_EQ(doc.SerialNumber, "\302\265123456");
    // Wrong length, and characters that would break the reply line.
    Expect("<SSN 123456>?|<SSN 12345678>?|<SSN 12\r\n345>!");
    doc.FirmwareVersion = "2.1.0.3";
    Expect("<GFVER>2.1.0.3");  // versions come without the star
    EXPECT_TRUE(std::regex_match(Send("<GSVER>"), std::regex("[0-9]+(\\.[0-9]+){3}\r\n")));
    // The staged program's stamp, when one is on the flash disk.
    std::filesystem::create_directories(root.FlashDisk() / "App");
    std::ofstream(root.FlashDisk() / "App" / "ZELTarvo_v2.exe", std::ios::binary)
        << std::string("\x01KVPRODUCTVERSION=3.4.5.6") << '\0';
    Expect("<GSVER>3.4.5.6");
}

// All digits of a huge value and its six decimals, as the C library's exact conversion gives.
std::string Fixed6(double v) {
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 6);
    return std::string(buffer, end);
}

using RemoteQueries = RemoteTest;

TEST_F(RemoteQueries, ValuesInTheirReplyFormats) {
    auto& [ch1, ch2] = doc.Channel;
    auto& [f1, f2] = doc.Filter.Chan;
    ch2.Range = 1;
    ch1.BiasRead = -300;
    ch2.BiasRead = 250;
    ch1.BiasSet = -500;
    doc.Collecting = 1;
    f1.Rate = 1234.0;    // fA, shown in pA
    f2.Charge = 2500.0;  // pC, shown in nC on High
    f1.Charge = 2.5e6;   // µC, one Latin-1 byte
    doc.Filter.Cal[1].BiasM = 0.5;
    doc.Filter.Cal[1].BiasB = -1.25;
    doc.Filter.Cal[0].High = {1, 1, 1.5, 0, 0.1, 0.2, 0.3, 0.4, 100};
    doc.Filter.Cal[0].Low = {1, 1, 0.5, 0, -1, -2, -3, -4, -1e-9};  // E is sent as a zero
    f1.MeanCount = 8388608;
    f2.MeanCount = -5;
    f1.Temperature = 22.5;
    f2.Temperature = -1.25;
    f1.LastCount = 4000000000u;
    f2.LastCount = 17;
    doc.HStart = 3.25;
    doc.LStop = 0.04;
    Expect("<GIS>0,-300,1,250,1|<GR1>*1.234 pA|<GC2>*2.500 nC|<GC1>*2.500 \265C|<GRG1>*L");
    Expect("<GRG2>*H|<GBS1>*-500|<GBV2>*250|<GBC2>*0.500000,-1.250000|<GHTS>*3.2|<GLTP>*0.0");
    Expect(
        "<GCP1>*1.500000,0.100000,0.200000,0.300000,0.400000,100.000000,0.500000,-1.000000,"
        "-2.000000,-3.000000,-4.000000,0.000000");
    Expect("<GFO>*8388608,22.500000,-5,-1.250000|<GLS>*4000000000,17,22.500000,-1.250000");
    f1.OverRange = true;
    screen->zeroDialogOpen = true;
    Expect("<GR1>*XXXXX pA|<GZS>*1");
    // Huge calibration values are sent whole.
    doc.Filter.Cal[1].High.E = 1e300;
    doc.Filter.Cal[1].BiasM = -1e300;
    EXPECT_NE(Send("<GCP2>").find("," + Fixed6(1e300) + ",1.000000,"), std::string::npos);
    Expect("<GBC2>*" + Fixed6(-1e300) + ",-1.250000");
}

TEST_F(RemoteQueries, DosesAndCollectionState) {
    doc.Channel[0].SystemFactor = 1;
    doc.Channel[0].ChamberIndex = 0;
    doc.Channel[0].CalMode = 1;  // a rate-based mode gives a dose rate only
    doc.ApplyChamber(0);
    doc.Filter.Chan[0].Dose = 1.5;
    Expect("<GD1>!|<GDR1>*1.500 " + fw::LoadString(309));
    doc.Channel[0].CalMode = 8;  // a charge-based one a dose only, in Gy
    doc.ApplyChamber(0);
    doc.Filter.Chan[0].Dose = 1.5;
    Expect("<GDR1>!|<GD1>*1.500 Gy|<GD2>!|<GDR2>!");

    doc.ChargeDuration = 60;
    Expect("<GCS>*I|<GCT>*T 60");
    doc.ChargeType = 1;
    doc.Collecting = 1;
    Expect("<GCS>*C|<GCT>*C");
    doc.Collecting = 0;
    doc.ChargeType = 2;
    doc.TriggerArmed = 1;  // armed, not yet started
    Expect("<GCT>*TRG|<GCS>*A");
    doc.ChargeType = 7;
    Expect("<GCS>?|<GCT>?");

    Show(kScint);  // the scintillator's corrected values: (3000 − 0.5·2000) · 2 fA = 4 pA
    doc.ScintBaseline.ScintGain = 2.0;
    doc.ScintBaseline.CLR = 0.5;
    doc.Filter.Chan[0].Rate = 3000.0;
    doc.Filter.Chan[1].Rate = 2000.0;
    doc.Filter.Chan[0].Charge = 5.0;
    doc.Filter.Chan[1].Charge = 2.0;
    Expect("<GDR1>*4.000 pA|<GD2>*8.000 pC");
}

// What belongs to the measuring screens is refused on the others.
TEST_F(RemoteQueries, ScreenConditions) {
    for (const auto& [kind, script] :
         {std::pair{kOther, "<GR1>!|<GC1>!|<SBC1 9,9>!|<STRC>!|<SCT T10>!|<SRG1 H>!"},
          {kScint, "<GRG1>!|<GBV1>!|<GFO>!|<GLS>!|<SBS1 200>!|<SS>!|<SV1>!"}}) {
        Show(kind);
        Expect(script);
        EXPECT_TRUE(screen->hints.empty() && screen->switches.empty()) << script;
    }
    EXPECT_TRUE(board.sent.empty());
    doc.HStop = 1.0;
    Expect("<GHTP>*1.0");  // thresholds on any screen
    ShowPlainView();
    Expect("<GZS>!");
}

using RemoteSettings = RemoteTest;

TEST_F(RemoteSettings, BiasLimitsNumbersAndBoardCommand) {
    Expect("<SBS1 50>!|<SBS1 1001>!|<SBS2 -99>!|<SBS1 >?|<SBS1 abc>?|<SBS1 nan>?");
    // Numbers that would wrap to 100 in 32 or 64 bits.
    Expect("<SBS1 4294967396>!|<SBS1 18446744073709551716>!|<SBS1 -4294966296>!");
    EXPECT_TRUE(board.sent.empty());
    // Read as far as the digits go; BiasSet follows the board's answer.
    Expect("<SBS1 0>*|<SBS1 -1000>*|<SBS2 100xyz>*");
    ASSERT_EQ(board.sent.size(), 3u);
    EXPECT_EQ(board.sent[1].code, 0x01);
    EXPECT_EQ(board.sent[1].payload[0], 0);
    EXPECT_EQ(int16_t(board.sent[1].payload[1] | board.sent[1].payload[2] << 8), -1000);
    EXPECT_EQ(doc.Channel[0].BiasSet, -1000);
    EXPECT_EQ(doc.Channel[1].BiasSet, 100);
}

TEST_F(RemoteSettings, NumberListsAreTakenWholeOrNotAtAll) {
    Expect("<SBC1 0.5,-2.5>*|<SBC2  1e-3;  +4>*|<GBC2>*0.001000,4.000000");  // blanks skipped
    Expect(
        "<SCP2 1.1,2,3,4,5,6,0.9,-2,-3,-4,-5,-6>*|<GCP2>*1.100000,2.000000,3.000000,4.000000,"
        "5.000000,6.000000,0.900000,-2.000000,-3.000000,-4.000000,-5.000000,-6.000000");
    Expect("<SBC1 0.7>?|<SBC1 0.7,>?|<SBC1 0.7,1 >?|<SBC1 ,1>?|<SBC1 0.7,,1>?|<SBC1 0.7,1,2>?");
    Expect("<SBC1 nan,1>?|<SBC1 0.7,inf>?|<SBC1 1e999,1>?|<SBC10.7,1>?");
    Expect("<SCP1 1,2,3,4,5,6,7,8,9,10,11>?|<SCP1 1,2,3,4,5,6,7,8,9,10,11,12,13>?");
    Expect("<SCP1 1,2,3,4,5,nan,7,8,9,10,11,12>?|<SCP1 1,2,3,4,5,6,7,8,9,10,11,x>?");
    Expect("<GBC1>*0.500000,-2.500000");
    EXPECT_EQ(doc.Filter.Cal[0].High.Gain, 1.0);
}

TEST_F(RemoteSettings, RangeAndCollectionTypeNeedAnIdleMeasurementScreen) {
    Expect("<SRG1 X>?|<SRG1 HH>?|<SRG2 H>*|<GRG2>*H");  // from the board's answer
    doc.Collecting = 1;
    Expect("<SRG1 H>!|<SCT C>!");
    doc.Collecting = 0;
    screen->zeroDialogOpen = true;
    Expect("<SRG1 H>!|<GRG1>*L");
    screen->zeroDialogOpen = false;
    Expect("<SCT T0>!|<SCT T86401>!|<SCT T99999999999999999999999>!|<GCT>*T 15");
    Expect("<SCT T86400>*|<SCT C >?|<SCT X>?|<GCT>*T 86400");
    Show(kScint);
    Expect("<SCT C>*|<SCT TRG>*|<GCT>*TRG");
    doc.TriggerArmed = 1;
    Expect("<SCT C>!|<GCT>*TRG");
}

TEST_F(RemoteSettings, SwitchesAndThresholds) {
    Show(kOther);
    Expect("<SRU1>*|<SRR1>*|<SRU2>!|<SRR9>!|<SRU0>*|<EDC1>*|<EDC2>?");
    EXPECT_EQ(doc.StreamRaw, 0);
    EXPECT_EQ(doc.StreamRate, 1);
    EXPECT_EQ(doc.AutoDataCapture, 1);
    // Start stays above stop; text after the number is ignored.
    doc.HStart = 5.0;
    doc.HStop = 3.0;
    Expect("<SHTS 3.0>!|<SHTS 10>!|<SHTS 3.1 pA>*|<GHTS>*3.1|<SHTP 3.1>!|<SHTP 0.05>!");
    doc.LStart = 1.0;
    doc.LStop = 0.5;
    Expect("<SHTP 0.1>*|<GHTP>*0.1|<SLTS 0.9>*|<SLTP 0.9>!");
    Expect("<SLTP nan>!|<SLTP inf>!|<SLTP -inf>!|<SLTP >!|<SLTP x>!|<GLTP>*0.5");
}

TEST_F(RemoteSettings, SaveWritesTheSettingsFileAndAFailedSaveIsRefused) {
    Expect("<SBC1 0.25,1.5>*|<SS>*");
    EXPECT_EQ(doc.SettingsSaved, 1);
    std::ifstream in(root.FlashDisk() / "ZELTarvo.xml");
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(file.find("0.25"), std::string::npos);
    doc.SettingsSaved = 0;
    std::filesystem::remove_all(root.FlashDisk());
    std::ofstream(root.FlashDisk()) << "a file where the folder should be";
    Expect("<SS>!");
    EXPECT_EQ(doc.SettingsSaved, 0);
}

using RemoteActions = RemoteTest;

TEST_F(RemoteActions, StartStopAndZeroingReachTheScreen) {
    Expect("<STPC>!|<STRC>*");  // nothing to stop
    doc.Collecting = 1;
    Expect("<STRC>!|<STPC>*");
    doc.Collecting = 0;
    doc.TriggerArmed = 1;
    Expect("<STPC>*");
    doc.TriggerArmed = 0;
    EXPECT_EQ(screen->hints,
              (std::vector<int>{kHintRemoteStart, kHintRemoteStop, kHintRemoteStop}));
    Expect("<CZ>!|<DZ>*|<STPC>!|<DZ>!");  // no zeroing to cancel, then one running
    EXPECT_EQ(screen->zeroStarts, std::vector<int>{kShowBothChannels});
    EXPECT_EQ(doc.ZeroChannels, 2);
    doc.Collecting = 1;
    Expect("<CZ>!");
    doc.Collecting = 0;
    Expect("<CZ>*");
    EXPECT_EQ(screen->zeroCancels, 1);
    EXPECT_FALSE(doc.Filter.Zeroing);
    // A screen without a zeroing dialog of its own cannot cancel one.
    doc.Filter.Zeroing = true;
    ShowPlainView();
    Expect("<CZ>!");
    EXPECT_TRUE(doc.Filter.Zeroing);
}

TEST_F(RemoteActions, ViewSwitches) {
    doc.OneChannelShown = 0;
    Expect("<SV1>*|<SV2>*|<SVB>*");  // the first is shown already
    EXPECT_EQ(doc.OneChannelShown, 1);
    EXPECT_EQ(screen->switches, (std::vector<int>{kShowChannel2, kShowBothChannels}));
    doc.TriggerArmed = 1;
    Expect("<SV1>!");
    doc.TriggerArmed = 0;
    Show(kTwo);
    Expect("<SVB>*|<SV1>*");
    EXPECT_EQ(screen->switches, std::vector<int>{kShowChannel1});
    Show(kTwo).switchSucceeds = false;
    Expect("<SV2>!");
    EXPECT_EQ(doc.OneChannelShown, 0);
}

// A keypad, box, dialog or menu open on the screen makes it not idle: what would act behind it
// is refused and changes nothing, the same line acts once it is closed, and queries answer.
TEST_F(RemoteActions, NothingActsBehindAnOpenDialog) {
    const std::pair<RemoteScreenKind, const char*> acting[] = {
        {kOne, "<SRG1 H>"}, {kOne, "<SCT C>"},  {kScint, "<SCT TRG>"}, {kOne, "<SCT T30>"},
        {kOne, "<STRC>"},   {kScint, "<STRC>"}, {kOne, "<DZ>"},        {kScint, "<DZ>"},
        {kOne, "<SV2>"},    {kOne, "<SVB>"},    {kTwo, "<SV1>"}};
    for (const auto& [kind, line] : acting) {
        SCOPED_TRACE(line);
        doc.SetChargeType(0, 15);
        doc.OneChannelShown = 0;
        doc.Filter.Zeroing = false;
        FakeScreen& s = Show(kind);
        const size_t sent = board.sent.size();
        s.modalOpen = true;
        EXPECT_EQ(Send(line), "!\r\n");
        EXPECT_EQ(board.sent.size(), sent);
        EXPECT_TRUE(s.hints.empty() && s.zeroStarts.empty() && s.switches.empty());
        EXPECT_FALSE(doc.Filter.Zeroing);
        EXPECT_EQ(doc.ChargeType, 0);
        EXPECT_EQ(doc.ChargeDuration, 15);
        EXPECT_EQ(doc.OneChannelShown, 0);
        s.modalOpen = false;
        EXPECT_EQ(Send(line), "*\r\n");
    }
    Show(kOne).modalOpen = true;
    doc.Channel[0].Range = 0;
    Expect("<GID>*KELVARIN|<GCS>*I|<GZS>*0|<GRG1>*L");
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
