#pragma once
// The application's resources as the screens ask for them.
#include <string>
#include <string_view>

namespace fw {

// The string-table text `id`, or an empty text when the table has none.
std::string LoadString(int id);
// The string-table text `id`, or `fallback` when the table has none (captions that must
// never be blank).
std::string LoadString(int id, std::string_view fallback);

// Plays WAVE resource `name` (case ignored), stopping any sound that is playing.
// False when there is no such resource; with no audio device the sound is skipped.
bool PlayResourceSound(std::string_view name);
// The resource name of the last sound asked for, for tests and diagnostics.
std::string LastPlayedSound();
// Sounds stay silent (tests, headless runs); they are still counted.
void SetSoundEnabled(bool enabled);

}  // namespace fw
