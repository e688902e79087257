#pragma once
// The sound output, opened quietly: a machine without a sound card runs without sound and says
// so in one line, instead of the page of probe errors the sound libraries print by themselves.
// SDL chooses the sound system; SDL_AUDIODRIVER (alsa, pulseaudio, pipewire) and AUDIODEV (an
// ALSA device such as plughw:1,0) choose another.
#include <SDL.h>

#include <cstdio>

namespace fw {

// Opens the default output for `wanted`; 0 when there is none, after one line on `diagnostics`.
SDL_AudioDeviceID OpenAudioQuietly(const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained,
                                   std::FILE* diagnostics = stderr);

}  // namespace fw
