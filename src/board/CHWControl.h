#pragma once
// The board-level operations every screen needs: the main-board senders for range, bias,
// clock and the controls-enabled state, the backlight (brightness in steps, power with the
// change announcement) and the loudspeaker volume.
//
// On this computer the backlight is a sysfs backlight device (below KELVARIN_BACKLIGHT, or
// <instrument root>/sys/class/backlight): the one the settings file names under "SysInfo" /
// "BacklightDevice", else the first in name order. The duty goes to its "brightness" as a share
// of "max_brightness", the enable line to "bl_power". The volume goes to the sound system's
// mixer control named by "MixerControl" ("Master" when unset) on card "MixerCard" ("default"),
// or, when there is no such control, to the gain of the sounds themselves. Headless runs
// (KELVARIN_HEADLESS=1, the tests) and KELVARIN_MIXER=none never touch the machine's mixer.
// Whatever the hardware, the panel state and the sequence of settings are recorded (PanelRecord) so
// the behaviour can be checked without the panel.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "fw/Mixer.h"

class CKelvarinDoc;

namespace board {

enum class PanelAction { EnablePin, Duty, BacklightPower, ChangeAnnounced, Volume };

struct PanelStep {
    PanelAction action;
    uint32_t value;
    bool operator==(const PanelStep&) const = default;
};

// What the backlight and loudspeaker were last told, and every step in order.
struct PanelRecord {
    bool enablePin = false;
    int dutyPercent = 0;
    bool backlightOn = false;
    uint32_t volumeSetting = 0;  // left channel in the low half, right in the high half
    int changeAnnouncements = 0;
    std::vector<PanelStep> steps;
};

PanelRecord& Panel();
void ResetPanel();

// Where backlight devices are looked for.
std::filesystem::path BacklightClassDir();

// The mixer the volume goes to from now on (tests: a fake one; nullptr: none, so the sounds'
// own gain takes the volume). Until this is called, the system mixer unless headless.
void SetMixer(std::unique_ptr<fw::Mixer> mixer);

}  // namespace board

class CHWControl {
  public:
    static constexpr int kMaxStep = 10;
    static constexpr int kDefaultBrightness = 8;
    static constexpr uint16_t kVolumePerStep = 0x1999;

    explicit CHWControl(CKelvarinDoc* doc = nullptr) : doc_(doc) {}
    void SetDoc(CKelvarinDoc* doc) { doc_ = doc; }

    // ---- main-board commands (false without a document, a link, or on a failed write)
    bool SetRange(int ch, int range);
    bool SetBias(int ch, int volts);
    bool SetDateTime();
    bool SetControlsEnabled(bool enabled);

    // ---- display and sound
    // Steps 0..10; larger values count as 10, negative ones as 0.
    void SetBrightness(int level);
    // Drives the backlight enable line and announces the change.
    void SetBacklightPower(bool on);
    // On: the brightness stored in the settings file (8 when it holds none or one outside
    // 1..10); off: 0.
    void RestoreBrightness(bool on);
    // Steps 0..10, limited like the brightness.
    void SetVolume(int level);

    // ---- the arithmetic
    // PWM duty in percent for a brightness step: 0 stays 0, else 70 % of the step's
    // percentage and at least 10.
    static int BrightnessDuty(int level);
    // The wave-output volume word for a step, the same value in both 16-bit halves.
    static uint32_t VolumeSetting(int level);
    static int ClampStep(int level);

  private:
    CKelvarinDoc* doc_;
};
