// The panel's own hardware on Linux: the backlight device the settings name (or the first),
// its power state following the enable line, the volume through a mixer control scaled to its
// range, and the sounds' own gain when there is no mixer control.
#include <SDL_audio.h>
#include <gtest/gtest.h>

#include <fstream>

#include "board/CHWControl.h"
#include "fw/Mixer.h"
#include "fw/SoundGain.h"
#include "support/temp_root.h"

namespace {

namespace fs = std::filesystem;

long ReadNumber(const fs::path& file) {
    std::ifstream in(file);
    long value = -1;
    in >> value;
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
    fs::create_directories(root / "FlashDisk");
    std::ofstream(root / "FlashDisk" / "ZELTarvo.xml")
        << "<?xml version=\"1.0\"?>\n<root><SysInfo>" << sysInfo << "</SysInfo></root>\n";
}

struct FakeMixer : fw::Mixer {
    bool hasControl = true;
    std::vector<std::pair<std::string, uint16_t>>* calls;
    explicit FakeMixer(std::vector<std::pair<std::string, uint16_t>>* c) : calls(c) {}
    bool SetPlaybackVolume(const std::string& control, uint16_t volume) override {
        calls->push_back({control, volume});
        return hasControl && control != "Missing";
    }
};

class PanelIo : public ::testing::Test {
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
    std::vector<std::pair<std::string, uint16_t>> mixerCalls;
};

TEST_F(PanelIo, TheNamedBacklightDeviceOrTheFirstByNameTakesTheDutyAndThePower) {
    const fs::path second = MakeDevice(root.Path(), "panel-b", 1000);
    const fs::path first = MakeDevice(root.Path(), "panel-a", 255);
    hw.SetBrightness(2);  // 14 %
    EXPECT_EQ(ReadNumber(first / "brightness"), 35);
    EXPECT_EQ(ReadNumber(second / "brightness"), 0);

    WritePanelSettings(root.Path(), "<BacklightDevice value=\"panel-b\"/>");
    hw.SetBrightness(10);
    EXPECT_EQ(ReadNumber(second / "brightness"), 700);
    // Step 0 leaves the enable line low, which is the device's power state.
    hw.SetBrightness(0);
    EXPECT_EQ(ReadNumber(second / "brightness"), 0);
    EXPECT_EQ(ReadNumber(second / "bl_power"), 4);
    hw.SetBacklightPower(true);
    EXPECT_EQ(ReadNumber(second / "bl_power"), 0);

    // A name that is no device, or that leaves the folder, falls back to the first.
    for (const char* bad : {"none", "../../x", ".."}) {
        WritePanelSettings(root.Path(), std::string("<BacklightDevice value=\"") + bad + "\"/>");
        hw.SetBrightness(5);
        EXPECT_EQ(ReadNumber(first / "brightness"), 89) << bad;
        std::ofstream(first / "brightness") << "0\n";
    }
}

TEST_F(PanelIo, VolumeGoesToTheConfiguredMixerControlOrToTheSoundsGain) {
    hw.SetVolume(8);
    WritePanelSettings(root.Path(), "<MixerControl value=\"Speaker\"/>");
    hw.SetVolume(10);
    EXPECT_EQ(mixerCalls, (std::vector<std::pair<std::string, uint16_t>>{{"Master", 0xCCC8},
                                                                         {"Speaker", 0xFFFA}}));
    EXPECT_EQ(fw::SoftwareGain(), fw::kUnityGain) << "the mixer took the volume";

    WritePanelSettings(root.Path(), "<MixerControl value=\"Missing\"/>");
    hw.SetVolume(5);
    EXPECT_EQ(fw::SoftwareGain(), 5 * 0x1999);
    board::SetMixer(nullptr);
    hw.SetVolume(0);
    EXPECT_EQ(fw::SoftwareGain(), 0);
}

TEST(VolumeScaling, SixteenBitVolumeSpansTheControlRange) {
    struct Case {
        uint16_t volume;
        long min, max, expected;
    } cases[] = {{0, 0, 31, 0},         {0xFFFF, 0, 31, 31},
                 {0xCCC8, 0, 31, 25},   {0x8000, -10239, 400, -4919},
                 {0xFFFA, 0, 255, 255}, {1000, 5, 5, 5}};
    for (const Case& c : cases)
        EXPECT_EQ(fw::ScaleToRange(c.volume, c.min, c.max), c.expected) << c.volume;
}

TEST(SoftwareGain, ScalesSixteenBitSamples) {
    // 16-bit little endian: 1000, -1000, 32767 at half gain.
    uint8_t s16[] = {0xE8, 0x03, 0x18, 0xFC, 0xFF, 0x7F};
    fw::ApplyGain(s16, sizeof s16, AUDIO_S16LSB, 0x8000);
    EXPECT_EQ((std::vector<uint8_t>(s16, s16 + 6)),
              (std::vector<uint8_t>{0xF4, 0x01, 0x0C, 0xFE, 0xFF, 0x3F}));
}

}  // namespace
