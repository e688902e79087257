#include "fw/Resources.h"

#include <SDL.h>

#include <cctype>

#include "fw/AudioOutput.h"
#include "fw/SoundGain.h"
#include "res/Resources.h"

namespace fw {
namespace {

struct AudioState {
    bool enabled = true;
    bool triedOpen = false;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec spec{};
    std::string last;
};

AudioState& Audio() {
    static AudioState state;
    return state;
}

// Opens the audio device on first use; 0 when there is none.
SDL_AudioDeviceID AudioDevice(const SDL_AudioSpec& wanted) {
    AudioState& a = Audio();
    if (a.triedOpen)
        return a.device;
    a.triedOpen = true;
    a.device = OpenAudioQuietly(wanted, a.spec);
    if (a.device != 0)
        SDL_PauseAudioDevice(a.device, 0);
    return a.device;
}

}  // namespace

std::string LoadString(int id) {
    const char* s = res::String(id);
    return s ? std::string(s) : std::string();
}

std::string LoadString(int id, std::string_view fallback) {
    std::string s = LoadString(id);
    return s.empty() ? std::string(fallback) : s;
}

void SetSoundEnabled(bool enabled) {
    Audio().enabled = enabled;
}

std::string LastPlayedSound() {
    return Audio().last;
}

bool PlayResourceSound(std::string_view name) {
    const std::vector<uint8_t>* wave = res::Sound(name);
    if (wave == nullptr)
        return false;
    AudioState& a = Audio();
    a.last.clear();
    for (char c : name)
        a.last.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (!a.enabled)
        return true;

    SDL_RWops* rw = SDL_RWFromConstMem(wave->data(), static_cast<int>(wave->size()));
    SDL_AudioSpec spec{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(rw, 1, &spec, &samples, &length) == nullptr)
        return false;
    SDL_AudioDeviceID device = AudioDevice(spec);
    if (device != 0) {
        SDL_ClearQueuedAudio(device);  // a new sound cuts the one playing
        ApplyGain(samples, length, spec.format, SoftwareGain());
        SDL_QueueAudio(device, samples, length);
    }
    SDL_FreeWAV(samples);
    return true;
}

}  // namespace fw
