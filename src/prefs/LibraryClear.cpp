#include "prefs/LibraryClear.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "fw/Paths.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSideSuffixes[] = {"", "-journal", "-wal", "-shm"};

// Looked at without following a link; a look that fails counts as something being there.
bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

ClearResult RemoveOne(const fs::path& path) {
    if (!Exists(path))
        return ClearResult::kWasMissing;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (fs::is_directory(status))
        return ClearResult::kFailed;
    if (fs::is_regular_file(status)) {
        // A read-only library file is still deleted.
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    }
    fs::remove(path, ec);
    return Exists(path) ? ClearResult::kFailed : ClearResult::kRemoved;
}

}  // namespace

ClearResult ClearLibraryVolume(std::string_view devicePath) {
    const std::optional<fs::path> file = fw::MapDevicePath(devicePath);
    if (!file)
        return ClearResult::kFailed;
    ClearResult result = ClearResult::kWasMissing;
    for (const char* suffix : kSideSuffixes) {
        const ClearResult one = RemoveOne(fs::path(file->string() + suffix));
        if (one == ClearResult::kFailed)
            return ClearResult::kFailed;
        if (one == ClearResult::kRemoved)
            result = ClearResult::kRemoved;
    }
    return result;
}
