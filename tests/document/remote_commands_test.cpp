// The remote commands as a remote computer sees them: every reply format, the conditions of
// screen and state, and the limits of every setting. Scripts: "<line>reply|<line>reply".

#include <charconv>
#include <filesystem>
#include <fstream>

#include "document/remote_fixture.h"
#include "fw/Resources.h"

namespace {

using Remote = remote_testing::RemoteTest;

TEST_F(Remote, SerialNumberVersionsAndScreenConditions) {
    // A Latin-1 byte is kept as the character it stands for and comes back as that byte.
    Expect("<GSN>*0000000|<SSN \265123456>*|<GSN>*\265123456");
    EXPECT_EQ(doc.SerialNumber, "\302\265123456");
    // Wrong length, and characters that would break the reply line.
    Expect("<SSN 123456>?|<SSN 12345678>?|<SSN 12\r\n345>!");
    doc.FirmwareVersion = "2.1.0.3";
    Expect("<GFVER>2.1.0.3");  // versions come without the star
    // The staged program's stamp, when one is on the flash disk.
    std::filesystem::create_directories(root.FlashDisk() / "App");
    std::ofstream(root.FlashDisk() / "App" / "ZELTarvo_v2.exe", std::ios::binary)
        << std::string("\x01KVPRODUCTVERSION=3.4.5.6") << '\0';
    Expect("<GSVER>3.4.5.6");
    // A screen that knows nothing of the port.
    frame->SwitchToView(std::make_unique<fw::View>());
    screen = nullptr;
    Expect("<GID>*KELVARIN|<GZS>!|<GIDX>!|<XYZ>?|<gid>?|<>?|<GSNX>?|<GR3>?|<GR1 >?|<SBS3 100>?");
    // What belongs to the measuring screens is refused on the others.
    Show(RemoteScreenKind::Other);  // the scintillator's own conditions: its remote test
    Expect("<GID>*KELVARIN|<GR1>!|<SBC1 9,9>!|<STRC>!|<SRG1 H>!|<SV1>!|<SS>!");
    doc.HStop = 1.0;
    Expect("<GHTP>*1.0");  // thresholds on any screen
    Show(RemoteScreenKind::Standby);
    EXPECT_EQ(Send("<GID>") + Send("<SRU1>"), "");
    EXPECT_EQ(doc.StreamRaw, 0);
}

TEST_F(Remote, DosesCollectionStateAndValuesInTheirReplyFormats) {
    doc.Channel[0].SystemFactor = 1;
    doc.Channel[0].ChamberIndex = 0;
    doc.Channel[0].CalMode = 1;  // a rate-based mode gives a dose rate only
    doc.ApplyChamber(0);
    doc.Filter.Chan[0].Dose = 1.5;
    Expect("<GD1>!|<GDR1>*1.500 " + fw::LoadString(309));
    doc.Channel[0].CalMode = 8;  // a charge-based one a dose only, in Gy
    doc.ApplyChamber(0);
    doc.Filter.Chan[0].Dose = 1.5;
    Expect("<GDR1>!|<GD1>*1.500 Gy|<GD2>!");

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
    doc.ChargeType = 0;
    auto& [f1, f2] = doc.Filter.Chan;
    doc.Channel[1].Range = 1;
    doc.Channel[0].BiasRead = -300;
    doc.Channel[1].BiasRead = 250;
    doc.Collecting = 1;
    f1.Rate = 1234.0;   // fA, shown in pA
    f1.Charge = 2.5e6;  // µC, one Latin-1 byte
    doc.Channel[0].BiasSet = -500;
    doc.Filter.Cal[0].High = {1, 1, 1.5, 0, 0.1, 0.2, 0.3, 0.4, 100};
    doc.Filter.Cal[0].Low = {1, 1, 0.5, 0, -1, -2, -3, -4, -1e-9};  // E is sent as a zero
    f1.MeanCount = 8388608;
    f2.MeanCount = -5;
    f1.Temperature = 22.5;
    f2.Temperature = -1.25;
    f1.LastCount = 4000000000u;
    f2.LastCount = 17;
    doc.LStop = 0.04;
    Expect("<GIS>0,-300,1,250,1|<GR1>*1.234 pA|<GC1>*2.500 \265C|<GRG1>*L");
    Expect("<GRG2>*H|<GBS1>*-500|<GBV2>*250|<GLTP>*0.0|<GLS>*4000000000,17,22.500000,-1.250000");
    Expect(
        "<GCP1>*1.500000,0.100000,0.200000,0.300000,0.400000,100.000000,0.500000,-1.000000,"
        "-2.000000,-3.000000,-4.000000,0.000000|<GFO>*8388608,22.500000,-5,-1.250000");
    f1.OverRange = true;
    screen->zeroDialogOpen = true;
    Expect("<GR1>*XXXXX pA|<GZS>*1");
    // Huge calibration values are sent whole, as the C library's exact conversion gives them.
    doc.Filter.Cal[1].BiasM = -1e300;
    char huge[400];
    auto [end, ec] = std::to_chars(huge, huge + sizeof huge, -1e300, std::chars_format::fixed, 6);
    Expect("<GBC2>*" + std::string(huge, end) + ",0.000000");
}

TEST_F(Remote, LimitsListsConditionsSwitchesAndSave) {
    Expect("<SBS1 50>!|<SBS1 1001>!|<SBS2 -99>!|<SBS1 abc>?|<SBS1 nan>?");
    // Numbers that would wrap to 100 in 32 or 64 bits.
    Expect("<SBS1 4294967396>!|<SBS1 18446744073709551716>!|<SBS1 -4294966296>!");
    // Read as far as the digits go; BiasSet follows the board's answer.
    Expect("<SBS1 0>*|<SBS1 -1000>*|<SBS2 100xyz>*");
    ASSERT_EQ(board.sent.size(), 3u);
    EXPECT_EQ(std::vector<int>(board.sent[1].payload, board.sent[1].payload + 3),
              (std::vector<int>{0, 0x18, 0xFC}));  // -1000 V on channel 1
    EXPECT_EQ(doc.Channel[0].BiasSet, -1000);
    EXPECT_EQ(doc.Channel[1].BiasSet, 100);
    Expect("<SBC1 0.5,-2.5>*|<SBC2  1e-3;  +4>*|<GBC2>*0.001000,4.000000");  // blanks skipped
    Expect(
        "<SCP2 1.1,2,3,4,5,6,0.9,-2,-3,-4,-5,-6>*|<GCP2>*1.100000,2.000000,3.000000,4.000000,"
        "5.000000,6.000000,0.900000,-2.000000,-3.000000,-4.000000,-5.000000,-6.000000");
    Expect("<SBC1 0.7>?|<SBC1 0.7,>?|<SBC1 ,1>?|<SBC1 0.7,1,2>?|<SBC1 0.7,inf>?|<SBC10.7,1>?");
    Expect("<SCP1 1,2,3,4,5,6,7,8,9,10,11>?|<SCP1 1,2,3,4,5,nan,7,8,9,10,11,12>?");
    Expect("<SRG1 X>?|<SRG2 H>*|<GRG2>*H");  // from the board's answer
    doc.Collecting = 1;
    Expect("<SRG1 H>!|<SCT C>!");
    doc.Collecting = 0;
    screen->zeroDialogOpen = true;
    Expect("<SRG1 H>!");
    screen->zeroDialogOpen = false;
    Expect("<SCT T0>!|<SCT T86401>!|<SCT T99999999999999999999999>!|<SCT X>?");
    Expect("<SCT T86400>*|<GCT>*T 86400");
    Expect("<SBC1 0.25,1.5>*|<SS>*");
    EXPECT_EQ(doc.SettingsSaved, 1);  // what a save writes: the settings tests
    doc.SettingsSaved = 0;            // a failed save must not count as one
    std::filesystem::remove_all(root.FlashDisk());
    std::ofstream(root.FlashDisk()) << "a file where the folder should be";
    Expect("<SS>!");
    Show(RemoteScreenKind::Other);
    Expect("<SRU1>*|<SRR1>*|<SRU2>!|<SRU0>*|<EDC1>*|<EDC2>?");
    EXPECT_EQ(std::vector<int>({doc.StreamRaw, doc.StreamRate, doc.AutoDataCapture}),
              (std::vector<int>{0, 1, 1}));
    // Start stays above stop; text after the number is ignored.
    doc.HStart = 5.0;
    doc.HStop = 3.0;
    Expect("<SHTS 3.0>!|<SHTS 10>!|<SHTS 3.1 pA>*|<GHTS>*3.1|<SHTP 3.1>!|<SHTP 0.05>!");
    doc.LStart = 1.0;
    doc.LStop = 0.5;
    Expect("<SHTP 0.1>*|<GHTP>*0.1|<SLTS 0.9>*|<SLTP 0.9>!|<SLTP nan>!|<SLTP >!");
}

TEST_F(Remote, StartStopAndZeroingReachTheScreen) {
    Expect("<STPC>!|<STRC>*");  // nothing to stop
    doc.Collecting = 1;
    Expect("<STRC>!|<STPC>*");
    doc.Collecting = 0;
    EXPECT_EQ(screen->hints, (std::vector<int>{kHintRemoteStart, kHintRemoteStop}));
    Expect("<CZ>!|<DZ>*|<STPC>!|<DZ>!");  // no zeroing to cancel, then one running
    EXPECT_EQ(screen->zeroStarts, std::vector<int>{kShowBothChannels});
    doc.Collecting = 1;
    Expect("<CZ>!");
    doc.Collecting = 0;
    Expect("<CZ>*");
    EXPECT_FALSE(doc.Filter.Zeroing);
    // A screen without a zeroing dialog of its own cannot cancel one.
    doc.Filter.Zeroing = true;
    frame->SwitchToView(std::make_unique<fw::View>());
    screen = nullptr;
    Expect("<CZ>!");
}

TEST_F(Remote, ViewSwitchesAndNothingActsBehindAnOpenDialog) {
    doc.OneChannelShown = 0;
    Expect("<SV1>*|<SV2>*|<SVB>*");  // the first is shown already
    EXPECT_EQ(screen->switches, (std::vector<int>{kShowChannel2, kShowBothChannels}));
    doc.TriggerArmed = 1;
    Expect("<SV1>!");
    doc.TriggerArmed = 0;
    Show(RemoteScreenKind::TwoChannel);
    Expect("<SVB>*|<SV1>*");
    EXPECT_EQ(screen->switches, std::vector<int>{kShowChannel1});
    Show(RemoteScreenKind::TwoChannel).switchSucceeds = false;
    EXPECT_EQ(Send("<SV2>"), "!\r\n");  // tried, and refused when the screen could not
    EXPECT_EQ(doc.OneChannelShown, 0);
    // A dialog open on the screen makes it not idle: the range (the one line of its own idle check
    // that the screens' dialog walk does not send) is refused and changes nothing, then acts once
    // the dialog is closed; queries answer.
    screen->modalOpen = true;
    Expect("<SRG1 H>!|<GID>*KELVARIN|<GZS>*0");
    screen->modalOpen = false;
    Expect("<SRG1 H>*|<GRG1>*H");
}

}  // namespace
