// A sound output that cannot be had: one line on the diagnostics stream and nothing from the
// sound libraries themselves, whichever sound system was asked for.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fw/AudioOutput.h"

namespace {

// ALSA with a device no machine has (its probes would fill stderr), and a sound system SDL
// does not know.
TEST(AudioOutput, AMissingDeviceIsOneLineAndNothingElse) {
    for (const auto& [driver, device] :
         {std::pair{"alsa", "kelvarin-no-such-device"}, std::pair{"no-such-driver", ""}}) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("AUDIODEV", device, 1);
        std::FILE* diagnostics = std::tmpfile();
        const SDL_AudioSpec wanted{22050, AUDIO_S16SYS, 1, 0, 1024};
        SDL_AudioSpec obtained{};
        testing::internal::CaptureStderr();
        EXPECT_EQ(fw::OpenAudioQuietly(wanted, obtained, diagnostics), 0u) << driver;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << driver;
        std::string told(1000, '\0');
        std::rewind(diagnostics);
        told.resize(std::fread(told.data(), 1, told.size(), diagnostics));
        std::fclose(diagnostics);
        EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
        EXPECT_NE(told.find("running without sound"), std::string::npos) << told;
    }
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("AUDIODEV");
}

}  // namespace
