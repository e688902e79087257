#pragma once
// The loudspeaker volume in the sound system: a playback control of the ALSA simple mixer
// (on a panel usually "Master"), set from a 16-bit volume scaled to the control's own range.
// Built without ALSA, there is no system mixer and the sound layer's gain takes the volume.
#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class Mixer {
  public:
    virtual ~Mixer() = default;
    // Sets every playback channel of `control` to `volume` (0..65535), switching it off at
    // 0 and on otherwise where the control has a switch. False when there is no such control.
    virtual bool SetPlaybackVolume(const std::string& control, uint16_t volume) = 0;
};

// The simple mixer of ALSA card `card` ("default", "hw:0"); nullptr without ALSA.
std::unique_ptr<Mixer> MakeSystemMixer(std::string card);

// `volume` / 65535 of the way from `min` to `max`, rounded to the nearest step.
long ScaleToRange(uint16_t volume, long min, long max);

}  // namespace fw
