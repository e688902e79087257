#include "prefs/SystemVersions.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "fw/Paths.h"
#include "fw/Text.h"
#include "fw/Version.h"

namespace prefs {
namespace {

constexpr size_t kLongestBspText = 32;

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<uint32_t> ParseBspVersion(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || text.size() > kLongestBspText || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    const std::string digits(text);
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), &end, 0);
    if (errno != 0 || end != digits.c_str() + digits.size() || value > UINT32_MAX)
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::optional<uint32_t> ReadBspVersion(const std::filesystem::path& root) {
    std::ifstream in(root / kBspVersionFileName);
    if (!in)
        return std::nullopt;
    std::string text(kLongestBspText + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return ParseBspVersion(text);
}

std::string OsVersionText(std::optional<uint32_t> bsp) {
    const uint32_t word = bsp.value_or(0);
    return fw::StringPrintf("%d.%02d", static_cast<int>((word >> 24) & 0xFF),
                            static_cast<int>((word >> 16) & 0xFF));
}

std::string OsBuildText(std::optional<uint32_t> bsp) {
    return fw::StringPrintf("%d", static_cast<int>((bsp.value_or(0) >> 8) & 0xFF));
}

std::string LauncherVersionText() {
    std::string version;
    auto path = fw::MapDevicePath(kLauncherDevicePath);
    if (!path || !fw::GetProductVersion(*path, version, 0))
        return {};
    return version;
}

std::string SoftwareVersionText() {
    std::string version;
    return fw::GetOwnProductVersion(version, 0) ? version : std::string();
}

}  // namespace prefs
