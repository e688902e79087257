#include "fw/SoundGain.h"

#include <SDL_audio.h>

namespace fw {
namespace {

uint16_t& Gain() {
    static uint16_t gain = kUnityGain;
    return gain;
}

int Scaled(int sample, uint16_t gain) {
    return static_cast<int>(static_cast<long long>(sample) * gain / kUnityGain);
}

}  // namespace

void SetSoftwareGain(uint16_t gain) {
    Gain() = gain;
}

uint16_t SoftwareGain() {
    return Gain();
}

void ApplyGain(uint8_t* samples, uint32_t length, uint16_t format, uint16_t gain) {
    if (gain == kUnityGain || samples == nullptr)
        return;
    if (format == AUDIO_S16LSB) {
        for (uint32_t i = 0; i + 1 < length; i += 2) {
            const int16_t s = static_cast<int16_t>(samples[i] | (samples[i + 1] << 8));
            const uint16_t out = static_cast<uint16_t>(static_cast<int16_t>(Scaled(s, gain)));
            samples[i] = static_cast<uint8_t>(out & 0xFF);
            samples[i + 1] = static_cast<uint8_t>(out >> 8);
        }
    } else if (format == AUDIO_U8) {
        for (uint32_t i = 0; i < length; ++i)
            samples[i] = static_cast<uint8_t>(128 + Scaled(samples[i] - 128, gain));
    }
}

}  // namespace fw
