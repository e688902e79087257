#pragma once
// The resources built into the program: string table, WAVE sounds and bitmaps.
// Everything is made in memory on first use and lives until the program ends,
// so the returned pointers stay valid and may be kept.
#include <cstdint>
#include <string_view>
#include <vector>

namespace res {

// The string-table text `id` (UTF-8; "\r\n" breaks lines of multi-line texts), or
// nullptr when the table has no text with that id.
const char* String(int id);

// Sound resource names, as stored; Sound() ignores case ("SndNotify" works too).
inline constexpr std::string_view kSoundNames[] = {
    "SNDAPPSTART", "SNDWARMUPCOMPLETE", "SNDZEROCOMPLETE", "SNDCHGDONE",
    "SNDOVERLOAD", "SNDAPPEXIT",        "SNDNOTIFY",
};

// The complete RIFF/WAVE file (PCM, mono, 16 bit, 22050 Hz) of sound `name`, or
// nullptr when there is no such sound.
const std::vector<uint8_t>* Sound(std::string_view name);

struct Bitmap {
    int width;
    int height;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, row-major, top row first, always opaque
};

// Background colour of the bitmaps meant to be drawn transparently (magenta).
inline constexpr uint32_t kKeyColour = 0xFFFF00FF;

// Bitmap ids. Button faces have a white background; the list icons, the due
// marker and the repeat-choice faces sit on coloured or selected backgrounds and
// are drawn transparently with kKeyColour.
enum BitmapId : int {
    kBmpScrollDown = 126,          // scroll-down face
    kBmpScrollUp = 131,            // scroll-up face
    kBmpCheckUnmarked = 142,       // check-box face, unmarked
    kBmpCheckMarked = 146,         // check-box face, marked
    kBmpBackspace = 163,           // keypad backspace key
    kBmpPageMenu = 228,            // "Menu" page button face
    kBmpChoiceMarked = 230,        // repeat-choice face, marked (keyed)
    kBmpChoiceUnmarked = 232,      // repeat-choice face, unmarked (keyed)
    kBmpScrollDownDisabled = 233,  // scroll-down face, disabled
    kBmpScrollUpDisabled = 236,    // scroll-up face, disabled
    kBmpPageBackground = 246,      // 640 x 480 page background picture
    kBmpInfo = 255,                // info button face
    kBmpListDue = 260,             // calibration-due icon in list rows (keyed)
    kBmpDueMarker = 261,           // calibration-due marker beside the details (keyed)
    kBmpDeleteMark = 290,          // delete mark in list rows (keyed)
};

// Every bitmap id, ascending.
inline constexpr int kBitmapIds[] = {126, 131, 142, 146, 163, 228, 230, 232,
                                     233, 236, 246, 255, 260, 261, 290};

// True for the bitmaps whose background is kKeyColour.
bool IsKeyed(int id);

// The bitmap `id`, or nullptr when there is none.
const Bitmap* FindBitmap(int id);

}  // namespace res
