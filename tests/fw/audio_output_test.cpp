// A sound output that cannot be had: one line on the diagnostics stream and nothing from the
// sound libraries themselves, whichever sound system was asked for.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fw/AudioOutput.h"

namespace {

std::string Contents(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text.push_back(char(c));
    return text;
}

TEST(AudioOutput, AMissingDeviceIsOneLineAndNothingElse) {
    struct Case {
        const char* driver;
        const char* device;
    };
    // ALSA with a device no machine has (its probes would fill stderr), and a sound system
    // SDL does not know.
    for (const Case& c : {Case{"alsa", "kelvarin-no-such-device"}, Case{"no-such-driver", ""}}) {
        setenv("SDL_AUDIODRIVER", c.driver, 1);
        setenv("AUDIODEV", c.device, 1);
        std::FILE* diagnostics = std::tmpfile();
        ASSERT_NE(diagnostics, nullptr);
        SDL_AudioSpec wanted{};
        wanted.freq = 22050;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = 1024;
        SDL_AudioSpec obtained{};
        testing::internal::CaptureStderr();
        const SDL_AudioDeviceID device = fw::OpenAudioQuietly(wanted, obtained, diagnostics);
        const std::string stderrText = testing::internal::GetCapturedStderr();
        const std::string told = Contents(diagnostics);
        std::fclose(diagnostics);
        EXPECT_EQ(device, 0u) << c.driver;
        EXPECT_EQ(stderrText, "") << c.driver;
        ASSERT_FALSE(told.empty()) << c.driver;
        EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
        EXPECT_NE(told.find("running without sound"), std::string::npos) << told;
    }
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("AUDIODEV");
}

}  // namespace
