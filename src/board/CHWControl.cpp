#include "board/CHWControl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "document/CKelvarinDoc.h"
#include "fw/Paths.h"
#include "fw/SoundGain.h"
#include "settings/CXmlHelper.h"
#include "settings/NumberText.h"

namespace board {
namespace {

constexpr const char* kSettingsFile = "\\FlashDisk\\ZELTarvo.xml";
// bl_power values of the Linux backlight class.
constexpr int kBacklightPowerOn = 0;
constexpr int kBacklightPowerOff = 4;

void Record(PanelAction action, uint32_t value) {
    Panel().steps.push_back({action, value});
}

constexpr const char* kDefaultMixerControl = "Master";
constexpr const char* kDefaultMixerCard = "default";

// A key of the panel's own settings ("SysInfo"), which the settings file keeps but never makes.
std::string PanelSetting(const char* key, const char* fallback) {
    CXmlHelper file(kSettingsFile);
    const char* value = file.FindValue(kCategorySysInfo, key);
    return value != nullptr && *value != '\0' ? std::string(value) : std::string(fallback);
}

bool IsBacklightDevice(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::exists(folder / "brightness", ec);
}

// The device the settings name, else the first in name order, or nothing on a machine
// without one.
std::optional<std::filesystem::path> BacklightDevice() {
    std::error_code ec;
    const std::filesystem::path dir = BacklightClassDir();
    if (!std::filesystem::is_directory(dir, ec))
        return std::nullopt;
    const std::string named = PanelSetting("BacklightDevice", "");
    if (!named.empty() && named.find('/') == std::string::npos && named != ".." &&
        IsBacklightDevice(dir / named))
        return dir / named;
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (IsBacklightDevice(entry.path()))
            found.push_back(entry.path());
    }
    if (found.empty())
        return std::nullopt;
    return *std::min_element(found.begin(), found.end());
}

long ReadNumber(const std::filesystem::path& file, long fallback) {
    std::ifstream in(file);
    long value = fallback;
    if (!(in >> value))
        return fallback;
    return value;
}

// Writing a sysfs attribute fails without privilege; the record still holds the value.
void WriteNumber(const std::filesystem::path& file, long value) {
    std::ofstream out(file);
    if (out)
        out << value << '\n';
}

void ApplyDutyToDevice(int dutyPercent) {
    auto device = BacklightDevice();
    if (!device)
        return;
    const long maximum = ReadNumber(*device / "max_brightness", 100);
    WriteNumber(*device / "brightness", maximum * dutyPercent / 100);
}

// The backlight enable line is the device's power state.
void DriveEnablePin(bool high) {
    Panel().enablePin = high;
    Record(PanelAction::EnablePin, high ? 1 : 0);
    auto device = BacklightDevice();
    std::error_code ec;
    if (device && std::filesystem::exists(*device / "bl_power", ec))
        WriteNumber(*device / "bl_power", high ? kBacklightPowerOn : kBacklightPowerOff);
}

struct MixerChoice {
    bool chosen = false;
    std::unique_ptr<fw::Mixer> mixer;
};

MixerChoice& Mixer() {
    static MixerChoice choice;
    return choice;
}

bool EnvironmentIs(const char* name, const char* value) {
    const char* set = std::getenv(name);
    return set != nullptr && std::string(set) == value;
}

// Headless runs and the desktop demo (KELVARIN_MIXER=none) leave the machine's mixer alone.
bool SystemMixerAllowed() {
    return !EnvironmentIs("KELVARIN_HEADLESS", "1") && !EnvironmentIs("KELVARIN_MIXER", "none");
}

fw::Mixer* ActiveMixer() {
    MixerChoice& choice = Mixer();
    if (!choice.chosen) {
        choice.chosen = true;
        if (SystemMixerAllowed())
            choice.mixer = fw::MakeSystemMixer(PanelSetting("MixerCard", kDefaultMixerCard));
    }
    return choice.mixer.get();
}

// Both halves of the volume word carry the same value; the mixer takes one for all channels.
void ApplyVolume(uint32_t setting) {
    const uint16_t volume = static_cast<uint16_t>(setting & 0xFFFF);
    fw::Mixer* mixer = ActiveMixer();
    const bool taken =
        mixer != nullptr &&
        mixer->SetPlaybackVolume(PanelSetting("MixerControl", kDefaultMixerControl), volume);
    fw::SetSoftwareGain(taken ? fw::kUnityGain : volume);
}

}  // namespace

PanelRecord& Panel() {
    static PanelRecord record;
    return record;
}

void ResetPanel() {
    Panel() = PanelRecord{};
}

void SetMixer(std::unique_ptr<fw::Mixer> mixer) {
    Mixer().chosen = true;
    Mixer().mixer = std::move(mixer);
}

std::filesystem::path BacklightClassDir() {
    const char* configured = std::getenv("KELVARIN_BACKLIGHT");
    if (configured != nullptr && *configured != '\0')
        return configured;
    return fw::InstrumentRoot() / "sys" / "class" / "backlight";
}

}  // namespace board

// ---- main-board commands -------------------------------------------------------------------

bool CHWControl::SetRange(int ch, int range) {
    return doc_ != nullptr && doc_->SetRange(ch, range);
}

bool CHWControl::SetBias(int ch, int volts) {
    return doc_ != nullptr && doc_->SetBias(ch, volts);
}

bool CHWControl::SetDateTime() {
    return doc_ != nullptr && doc_->SetDateTime();
}

bool CHWControl::SetControlsEnabled(bool enabled) {
    return doc_ != nullptr && doc_->SetControlsEnabled(enabled);
}

// ---- the arithmetic ------------------------------------------------------------------------

int CHWControl::ClampStep(int level) {
    return level < 0 ? 0 : (level > kMaxStep ? kMaxStep : level);
}

int CHWControl::BrightnessDuty(int level) {
    const int percent = ClampStep(level) * 10;
    if (percent == 0)
        return 0;
    const int duty = static_cast<int>(std::trunc(percent - percent * 0.3));
    return duty < 10 ? 10 : duty;
}

uint32_t CHWControl::VolumeSetting(int level) {
    const uint32_t half = static_cast<uint32_t>(ClampStep(level)) * kVolumePerStep;
    return (half << 16) | half;
}

// ---- display and sound ---------------------------------------------------------------------

void CHWControl::SetBrightness(int level) {
    const int duty = BrightnessDuty(level);
    // The enable line is pulsed low and comes back only when the backlight is to shine.
    board::DriveEnablePin(false);
    if (duty != 0)
        board::DriveEnablePin(true);
    board::Panel().dutyPercent = duty;
    board::Record(board::PanelAction::Duty, static_cast<uint32_t>(duty));
    board::ApplyDutyToDevice(duty);
}

void CHWControl::SetBacklightPower(bool on) {
    board::DriveEnablePin(on);
    board::Panel().backlightOn = on;
    board::Record(board::PanelAction::BacklightPower, on ? 1 : 0);
    ++board::Panel().changeAnnouncements;
    board::Record(board::PanelAction::ChangeAnnounced, 1);
}

void CHWControl::RestoreBrightness(bool on) {
    if (!on) {
        SetBrightness(0);
        return;
    }
    int level = kDefaultBrightness;
    CXmlHelper file(board::kSettingsFile);
    if (const char* text = file.FindValue(kCategorySysInfo, "Brightness")) {
        // A stored 0 would leave the panel dark at every warm-up.
        auto stored = settings::ParseInteger(text);
        if (stored && *stored >= 1 && *stored <= kMaxStep)
            level = static_cast<int>(*stored);
    }
    SetBrightness(level);
}

void CHWControl::SetVolume(int level) {
    const uint32_t setting = VolumeSetting(level);
    board::Panel().volumeSetting = setting;
    board::Record(board::PanelAction::Volume, setting);
    board::ApplyVolume(setting);
}
