#include "fw/Mixer.h"

#ifdef KELVARIN_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace fw {

long ScaleToRange(uint16_t volume, long min, long max) {
    if (max <= min)
        return min;
    const long long span = static_cast<long long>(max) - min;
    return min + static_cast<long>((span * volume + 32767) / 65535);
}

#ifdef KELVARIN_HAVE_ALSA
namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// The mixer is opened for each change: the panel changes the volume rarely, and a sound card
// that appears or goes meanwhile is found the next time.
class AlsaMixer : public Mixer {
  public:
    explicit AlsaMixer(std::string card) : card_(std::move(card)) {
        snd_lib_error_set_handler(IgnoreAlsaError);
    }

    bool SetPlaybackVolume(const std::string& control, uint16_t volume) override {
        snd_mixer_t* mixer = nullptr;
        if (snd_mixer_open(&mixer, 0) != 0)
            return false;
        const bool done = snd_mixer_attach(mixer, card_.c_str()) == 0 &&
                          snd_mixer_selem_register(mixer, nullptr, nullptr) == 0 &&
                          snd_mixer_load(mixer) == 0 && SetOn(mixer, control, volume);
        snd_mixer_close(mixer);
        return done;
    }

  private:
    static bool SetOn(snd_mixer_t* mixer, const std::string& control, uint16_t volume) {
        snd_mixer_selem_id_t* id = nullptr;
        if (snd_mixer_selem_id_malloc(&id) != 0)
            return false;
        snd_mixer_selem_id_set_index(id, 0);
        snd_mixer_selem_id_set_name(id, control.c_str());
        snd_mixer_elem_t* element = snd_mixer_find_selem(mixer, id);
        snd_mixer_selem_id_free(id);
        if (element == nullptr || !snd_mixer_selem_has_playback_volume(element))
            return false;
        long min = 0;
        long max = 0;
        if (snd_mixer_selem_get_playback_volume_range(element, &min, &max) != 0)
            return false;
        if (snd_mixer_selem_set_playback_volume_all(element, ScaleToRange(volume, min, max)) != 0)
            return false;
        if (snd_mixer_selem_has_playback_switch(element))
            snd_mixer_selem_set_playback_switch_all(element, volume != 0 ? 1 : 0);
        return true;
    }

    std::string card_;
};

}  // namespace

std::unique_ptr<Mixer> MakeSystemMixer(std::string card) {
    return std::make_unique<AlsaMixer>(std::move(card));
}
#else
std::unique_ptr<Mixer> MakeSystemMixer(std::string) {
    return nullptr;
}
#endif

}  // namespace fw
