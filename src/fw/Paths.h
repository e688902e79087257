#pragma once
// The instrument's device paths ("\FlashDisk\...", "\USB HD\...") live below one
// instrument root directory on this machine; nothing outside that root is touched.
#include <filesystem>
#include <optional>
#include <string_view>

namespace fw {

// KELVARIN_ROOT, or "./kelvarin-root" when it is unset or empty.
std::filesystem::path InstrumentRoot();

// "\FlashDisk\ZELTarvo.xml" -> <root>/FlashDisk/ZELTarvo.xml; "\USB HD\a.csv" -> <root>/USB
// HD/a.csv. Both separators are accepted. Returns nothing for any other volume, for "." or ".."
// components and for empty components inside the path, so a mapped path never leaves the root.
std::optional<std::filesystem::path> MapDevicePath(std::string_view devicePath,
                                                   const std::filesystem::path& root);
std::optional<std::filesystem::path> MapDevicePath(std::string_view devicePath);

// The folder of a volume ("FlashDisk" or "USB HD") below the root.
std::filesystem::path VolumeDir(std::string_view volume);

}  // namespace fw
