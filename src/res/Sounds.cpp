// The seven WAVE sounds: short tones synthesised on first use, so no audio files ship
// with the program. Every sound is a list of notes mixed into one 16-bit mono track.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <string>

#include "res/Resources.h"

namespace res {
namespace {

constexpr int kSampleRate = 22050;
constexpr double kPi = 3.14159265358979323846;

enum class Wave { Sine, Bell, Buzz };

struct Note {
    double startMs;
    double lengthMs;
    double hz;
    double level;  // peak amplitude, 0..1 of full scale
    Wave wave;
};

struct SoundDef {
    std::string_view name;
    double lengthMs;
    std::vector<Note> notes;
};

// One cycle of the note's waveform at phase p (radians). Bell adds soft overtones;
// Buzz is a band-limited square (odd harmonics up to the 9th) with a beating second tone,
// harsh on purpose so an over-range is not mistaken for a normal event.
double Oscillator(Wave wave, double p) {
    switch (wave) {
        case Wave::Sine:
            return std::sin(p);
        case Wave::Bell:
            return 0.75 * std::sin(p) + 0.18 * std::sin(2.0 * p) + 0.07 * std::sin(3.0 * p);
        case Wave::Buzz: {
            double s = 0.0;
            for (int k = 1; k <= 9; k += 2)
                s += std::sin(k * p) / k;
            return s * 0.9;
        }
    }
    return 0.0;
}

// Amplitude envelope at time t (ms) into a note of `length` ms: 4 ms attack, then a
// decay (bells ring out, beeps hold) and a 12 ms release so no note ends in a click.
double Envelope(Wave wave, double t, double length) {
    constexpr double kAttack = 4.0;
    constexpr double kRelease = 12.0;
    double e = 1.0;
    if (t < kAttack)
        e = t / kAttack;
    if (wave == Wave::Bell)
        e *= std::exp(-3.0 * t / length);
    double left = length - t;
    if (left < kRelease)
        e *= std::max(0.0, left / kRelease);
    return e;
}

std::vector<int16_t> Render(const SoundDef& def) {
    const size_t count = static_cast<size_t>(def.lengthMs * kSampleRate / 1000.0);
    std::vector<double> mix(count, 0.0);
    for (const Note& n : def.notes) {
        const size_t first = static_cast<size_t>(n.startMs * kSampleRate / 1000.0);
        const size_t last =
            std::min(count, static_cast<size_t>((n.startMs + n.lengthMs) * kSampleRate / 1000.0));
        for (size_t i = first; i < last; ++i) {
            double t = static_cast<double>(i - first) / kSampleRate;  // seconds into the note
            double v = Oscillator(n.wave, 2.0 * kPi * n.hz * t);
            if (n.wave == Wave::Buzz)
                v += 0.6 * Oscillator(Wave::Buzz, 2.0 * kPi * n.hz * 1.06 * t);
            mix[i] += n.level * v * Envelope(n.wave, t * 1000.0, n.lengthMs);
        }
    }
    std::vector<int16_t> pcm(count);
    for (size_t i = 0; i < count; ++i) {
        double v = std::clamp(mix[i], -1.0, 1.0);
        pcm[i] = static_cast<int16_t>(std::lround(v * 32767.0));
    }
    return pcm;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

std::vector<uint8_t> WaveFile(const std::vector<int16_t>& pcm) {
    constexpr uint16_t kChannels = 1;
    constexpr uint16_t kBits = 16;
    constexpr uint16_t kBlockAlign = kChannels * kBits / 8;
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * kBlockAlign);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataBytes);  // everything after this field
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, kChannels);
    PutU32(out, kSampleRate);
    PutU32(out, kSampleRate * kBlockAlign);
    PutU16(out, kBlockAlign);
    PutU16(out, kBits);
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (int16_t s : pcm)
        PutU16(out, static_cast<uint16_t>(s));
    return out;
}

// Note pitches (Hz) of the chimes.
constexpr double kC5 = 523.25, kE5 = 659.26, kG5 = 783.99, kC6 = 1046.50, kE6 = 1318.51;

std::vector<SoundDef> Definitions() {
    return {
        // Power-up: a rising major arpeggio.
        {"SNDAPPSTART",
         520,
         {{0, 220, kC5, 0.45, Wave::Bell},
          {100, 220, kE5, 0.45, Wave::Bell},
          {200, 220, kG5, 0.45, Wave::Bell},
          {300, 220, kC6, 0.45, Wave::Bell}}},
        // Ready to measure: a bright rising fifth, held longer than the start chime.
        {"SNDWARMUPCOMPLETE",
         450,
         {{0, 200, kG5, 0.5, Wave::Bell}, {150, 300, kC6, 0.5, Wave::Bell}}},
        // Zero stored: a quick two-step upward tick.
        {"SNDZEROCOMPLETE",
         260,
         {{0, 110, 1174.66, 0.5, Wave::Sine}, {110, 150, 1567.98, 0.5, Wave::Sine}}},
        // Collection done: two equal beeps.
        {"SNDCHGDONE",
         330,
         {{0, 120, 1000.0, 0.5, Wave::Sine}, {200, 120, 1000.0, 0.5, Wave::Sine}}},
        // Over range: a long, low, beating buzz in three pulses.
        {"SNDOVERLOAD",
         600,
         {{0, 180, 220.0, 0.32, Wave::Buzz},
          {210, 180, 220.0, 0.32, Wave::Buzz},
          {420, 180, 220.0, 0.32, Wave::Buzz}}},
        // Going to standby: the start arpeggio falling.
        {"SNDAPPEXIT",
         520,
         {{0, 220, kC6, 0.45, Wave::Bell},
          {100, 220, kG5, 0.45, Wave::Bell},
          {200, 220, kE5, 0.45, Wave::Bell},
          {300, 220, kC5, 0.45, Wave::Bell}}},
        // Pop-up notice and volume preview: one short soft blip.
        {"SNDNOTIFY", 120, {{0, 120, kE6, 0.45, Wave::Bell}}},
    };
}

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

const std::map<std::string, std::vector<uint8_t>, std::less<>>& Sounds() {
    static const std::map<std::string, std::vector<uint8_t>, std::less<>> sounds = [] {
        std::map<std::string, std::vector<uint8_t>, std::less<>> m;
        for (const SoundDef& def : Definitions())
            m.emplace(def.name, WaveFile(Render(def)));
        return m;
    }();
    return sounds;
}

}  // namespace

const std::vector<uint8_t>* Sound(std::string_view name) {
    const auto& sounds = Sounds();
    auto it = sounds.find(Upper(name));
    return it == sounds.end() ? nullptr : &it->second;
}

}  // namespace res
