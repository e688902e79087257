// Board control: the brightness and volume arithmetic, the order in which the backlight lines
// are driven, the stored brightness, the senders; and the panel's own hardware on Linux: the
// backlight device the settings name (or the first), the volume through a mixer control scaled
// to its range, and the sounds' own gain when there is no mixer control.
#include <SDL_audio.h>
#include <gtest/gtest.h>

#include <fstream>

#include "board/CHWControl.h"
#include "document/CKelvarinDoc.h"
#include "fw/Mixer.h"
#include "fw/SoundGain.h"
#include "support/in_process_board.h"
#include "support/temp_root.h"

namespace {

namespace fs = std::filesystem;
using Act = board::PanelAction;
using MixerCalls = std::vector<std::pair<std::string, uint16_t>>;

long ReadNumber(const fs::path& file) {
    long value = -1;
    std::ifstream(file) >> value;
    return value;
}

fs::path MakeDevice(const fs::path& root, const std::string& name, int maximum) {
    const fs::path device = root / "sys" / "class" / "backlight" / name;
    fs::create_directories(device);
    std::ofstream(device / "max_brightness") << maximum << "\n";
    std::ofstream(device / "brightness") << "0\n";
    std::ofstream(device / "bl_power") << "0\n";
    return device;
}

void WritePanelSettings(const fs::path& root, const std::string& sysInfo) {
    std::ofstream(root / "FlashDisk" / "ZELTarvo.xml")
        << "<?xml version=\"1.0\"?>\n<root><SysInfo>" << sysInfo << "</SysInfo></root>\n";
}

struct FakeMixer : fw::Mixer {
    MixerCalls* calls;
    explicit FakeMixer(MixerCalls* c) : calls(c) {}
    bool SetPlaybackVolume(const std::string& control, uint16_t volume) override {
        calls->push_back({control, volume});
        return control != "Missing";
    }
};

class BoardControl : public ::testing::Test {
  protected:
    void SetUp() override {
        board::ResetPanel();
        board::SetMixer(std::make_unique<FakeMixer>(&mixerCalls));
    }
    void TearDown() override {
        board::SetMixer(nullptr);
        fw::SetSoftwareGain(fw::kUnityGain);
    }
    testing_support::TempRoot root;
    CHWControl hw;
    MixerCalls mixerCalls;
};

// Brightness steps give seventy percent of their share with a ten percent floor; volume steps
// fill both halves of the word and stay at the top beyond it instead of wrapping to quiet.
TEST(PanelArithmetic, BrightnessAndVolumeSteps) {
    for (const auto& [step, duty] :
         {std::pair{0, 0}, {1, 10}, {2, 14}, {10, 70}, {12, 70}, {-4, 0}})
        EXPECT_EQ(CHWControl::BrightnessDuty(step), duty) << step;
    for (const auto& [step, word] :
         {std::pair{10, 0xFFFAFFFAu}, {0, 0u}, {1, 0x19991999u}, {11, 0xFFFAFFFAu}, {-1, 0u}})
        EXPECT_EQ(CHWControl::VolumeSetting(step), word) << step;
}

// The enable line is pulsed before the duty is set; brightness 0 leaves it low. Backlight
// power drives the line and announces each change. Without a stored brightness step eight
// is restored.
TEST_F(BoardControl, BrightnessVolumeAndPowerDriveThePanelInOrder) {
    hw.SetBrightness(0);
    hw.SetBrightness(5);
    hw.SetBacklightPower(false);
    const std::vector<board::PanelStep> steps = {
        {Act::EnablePin, 0},      {Act::Duty, 0},           {Act::EnablePin, 0},
        {Act::EnablePin, 1},      {Act::Duty, 35},          {Act::EnablePin, 0},
        {Act::BacklightPower, 0}, {Act::ChangeAnnounced, 1}};
    EXPECT_EQ(board::Panel().steps, steps);
    hw.RestoreBrightness(true);
    EXPECT_EQ(board::Panel().dutyPercent, 56);
    WritePanelSettings(root.Path(), "<Brightness value=\"3\"/>");
    hw.RestoreBrightness(true);
    EXPECT_EQ(board::Panel().dutyPercent, 21);
    hw.RestoreBrightness(false);
    EXPECT_EQ(board::Panel().dutyPercent, 0);
}

TEST_F(BoardControl, SendersBuildTheBoardPacketsAndFailWithoutALink) {
    EXPECT_FALSE(hw.SetRange(0, 1));
    CKelvarinDoc doc;
    hw.SetDoc(&doc);
    EXPECT_FALSE(hw.SetBias(0, 300));
    testing_support::InProcessBoard link(doc);
    EXPECT_TRUE(hw.SetRange(1, 0));
    EXPECT_TRUE(hw.SetBias(0, -300));
    EXPECT_TRUE(hw.SetControlsEnabled(false));
    EXPECT_TRUE(hw.SetDateTime());
    EXPECT_EQ(link.Board().BiasVolts(0), -300);
    EXPECT_EQ(link.Board().Range(1), 0);
    ASSERT_EQ(link.sent.size(), 4u);
    EXPECT_EQ((std::vector<int>{link.sent[2].code, link.sent[2].payload[0], link.sent[3].code}),
              (std::vector<int>{0x04, 0, 0x02}));
}

// Step 0 leaves the enable line low, which is the device's power state. A name that is no
// device, or that leaves the folder (even for what looks like a device), falls back to the
// first by name.
TEST_F(BoardControl, TheNamedBacklightDeviceOrTheFirstByNameTakesTheDutyAndThePower) {
    const fs::path second = MakeDevice(root.Path(), "panel-b", 1000);
    const fs::path first = MakeDevice(root.Path(), "panel-a", 255);
    WritePanelSettings(root.Path(), "<BacklightDevice value=\"panel-b\"/>");
    hw.SetBrightness(10);
    EXPECT_EQ(ReadNumber(second / "brightness"), 700);
    hw.SetBrightness(0);
    EXPECT_EQ(ReadNumber(second / "bl_power"), 4);
    hw.SetBacklightPower(true);
    EXPECT_EQ(ReadNumber(second / "bl_power"), 0);
    // Outside the folder, looking like devices.
    const fs::path outside[] = {MakeDevice(root.Path(), "../x", 100),
                                MakeDevice(root.Path(), "..", 100)};
    for (const char* bad : {"none", "../x", ".."}) {
        WritePanelSettings(root.Path(), std::string("<BacklightDevice value=\"") + bad + "\"/>");
        hw.SetBrightness(5);
        EXPECT_EQ(ReadNumber(first / "brightness"), 89) << bad;
        std::ofstream(first / "brightness") << "0\n";
    }
    for (const fs::path& device : outside)
        EXPECT_EQ(ReadNumber(device / "brightness"), 0) << device;
    EXPECT_EQ(ReadNumber(second / "brightness"), 0);
}

TEST_F(BoardControl, VolumeGoesToTheConfiguredMixerControlOrToTheSoundsGain) {
    hw.SetVolume(8);
    WritePanelSettings(root.Path(), "<MixerControl value=\"Speaker\"/>");
    hw.SetVolume(10);
    EXPECT_EQ(mixerCalls, (MixerCalls{{"Master", 0xCCC8}, {"Speaker", 0xFFFA}}));
    EXPECT_EQ(fw::SoftwareGain(), fw::kUnityGain) << "the mixer took the volume";

    WritePanelSettings(root.Path(), "<MixerControl value=\"Missing\"/>");
    hw.SetVolume(5);
    EXPECT_EQ(fw::SoftwareGain(), 5 * 0x1999);
    board::SetMixer(nullptr);
    hw.SetVolume(0);
    EXPECT_EQ(fw::SoftwareGain(), 0);
}

// A 16-bit volume spans a mixer control's range; the sounds' own gain scales 16-bit little
// endian samples (1000, -1000, 32767 at half gain).
TEST(SoundVolume, ScaledToTheControlRangeOrAppliedToTheSamples) {
    struct Case {
        uint16_t volume;
        long min, max, expected;
    } cases[] = {{0, 0, 31, 0}, {0xFFFF, 0, 31, 31}, {0x8000, -10239, 400, -4919}, {1000, 5, 5, 5}};
    for (const Case& c : cases)
        EXPECT_EQ(fw::ScaleToRange(c.volume, c.min, c.max), c.expected) << c.volume;
    uint8_t s16[] = {0xE8, 0x03, 0x18, 0xFC, 0xFF, 0x7F};
    fw::ApplyGain(s16, sizeof s16, AUDIO_S16LSB, 0x8000);
    EXPECT_EQ((std::vector<uint8_t>(s16, s16 + 6)),
              (std::vector<uint8_t>{0xF4, 0x01, 0x0C, 0xFE, 0xFF, 0x3F}));
}

}  // namespace
