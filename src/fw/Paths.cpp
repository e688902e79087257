#include "fw/Paths.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace fw {
namespace {

constexpr std::string_view kVolumes[] = {"FlashDisk", "USB HD"};

std::vector<std::string_view> SplitComponents(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

bool IsKnownVolume(std::string_view name) {
    for (auto v : kVolumes) {
        if (v == name)
            return true;
    }
    return false;
}

bool IsSafeComponent(std::string_view c) {
    return !c.empty() && c != "." && c != ".." && c.find('\0') == std::string_view::npos;
}

}  // namespace

std::filesystem::path InstrumentRoot() {
    const char* env = std::getenv("KELVARIN_ROOT");
    if (env == nullptr || *env == '\0')
        return std::filesystem::path("kelvarin-root");
    return std::filesystem::path(env);
}

std::optional<std::filesystem::path> MapDevicePath(std::string_view devicePath,
                                                   const std::filesystem::path& root) {
    auto parts = SplitComponents(devicePath);
    // A device path is absolute: it starts with a separator, so the first part is empty.
    if (parts.size() < 2 || !parts[0].empty() || !IsKnownVolume(parts[1]))
        return std::nullopt;
    std::filesystem::path out = root / std::string(parts[1]);
    for (size_t i = 2; i < parts.size(); ++i) {
        bool trailingSeparator = (i + 1 == parts.size() && parts[i].empty());
        if (trailingSeparator)
            break;
        if (!IsSafeComponent(parts[i]))
            return std::nullopt;
        out /= std::string(parts[i]);
    }
    return out;
}

std::optional<std::filesystem::path> MapDevicePath(std::string_view devicePath) {
    return MapDevicePath(devicePath, InstrumentRoot());
}

std::filesystem::path VolumeDir(std::string_view volume) {
    return InstrumentRoot() / std::string(volume);
}

}  // namespace fw
