#pragma once
// The versions the system-information dialog shows: the launcher's and this program's
// product versions, and the panel image's board-support version.
//
// The board-support version is a 32-bit word that the panel image states in the text file
// "<instrument root>/BspVersion", as decimal or 0x-prefixed hexadecimal (for instance
// 0x02050700 for version 2.05, build 7). Bits 31..24 are the major and 23..16 the minor
// version, bits 15..8 the build.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace prefs {

inline constexpr const char* kLauncherDevicePath = "\\FlashDisk\\AutoRun\\ZEL_LaunchApp_v2.exe";
inline constexpr const char* kBspVersionFileName = "BspVersion";

// The word written as text; nothing for text that is not one 32-bit number.
std::optional<uint32_t> ParseBspVersion(std::string_view text);
// The word read from the instrument root's file; nothing when it is missing or unreadable.
std::optional<uint32_t> ReadBspVersion(const std::filesystem::path& root);

// "%d.%02d" of bits 31..24 and 23..16; "0.00" when there is no word.
std::string OsVersionText(std::optional<uint32_t> bsp);
// "%d" of bits 15..8; "0" when there is no word.
std::string OsBuildText(std::optional<uint32_t> bsp);

// The launcher's full product version; empty when the file or its stamp is missing.
std::string LauncherVersionText();
// This program's full product version, stamped in by the build.
std::string SoftwareVersionText();

}  // namespace prefs
