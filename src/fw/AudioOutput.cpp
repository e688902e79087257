#include "fw/AudioOutput.h"

#include <dlfcn.h>

#include <string>

namespace fw {
namespace {

using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error,
                                  const char* format, ...);

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA's default error handler writes every failed probe of a missing card to stderr. The
// handler is set in the same library SDL loads for its ALSA driver, which stays loaded so the
// handler stays in force; without the library there is nothing to silence.
void SilenceAlsa() {
    static const bool silenced = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        if (alsa == nullptr)
            return false;
        auto setHandler =
            reinterpret_cast<int (*)(AlsaErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
        return setHandler != nullptr && setHandler(IgnoreAlsaError) == 0;
    }();
    (void)silenced;
}

void ReportNoSound(std::FILE* diagnostics) {
    std::string why = SDL_GetError();
    for (char& c : why) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    std::fprintf(diagnostics,
                 "kelvarin: no sound output (%s); running without sound "
                 "(SDL_AUDIODRIVER / AUDIODEV choose one)\n",
                 why.c_str());
    std::fflush(diagnostics);
}

}  // namespace

SDL_AudioDeviceID OpenAudioQuietly(const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained,
                                   std::FILE* diagnostics) {
    SilenceAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportNoSound(diagnostics);
        return 0;
    }
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        ReportNoSound(diagnostics);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return device;
}

}  // namespace fw
