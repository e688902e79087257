#pragma once
// One library volume is one SQLite file. This opens it (creating the layout in a new file),
// recognises a damaged or foreign file, keeps such a file aside and removes a volume on request.
#include <sqlite3.h>

#include <filesystem>
#include <optional>

#include "store/DbError.h"

struct VolumeOpenResult {
    sqlite3* connection = nullptr;  // set on success; the caller closes it
    DbError error = DbError::kNone;
    std::filesystem::path keptAside;  // where a damaged file was moved, if it was
};

// Opens or creates the volume file. A file that is not a sound library volume is moved aside
// (never overwritten or truncated) and reported as kCorrupt; the next open starts a new file.
VolumeOpenResult OpenVolumeFile(const std::filesystem::path& file);

// Moves a damaged volume (and its rollback journal) to "<name>.bad", "<name>.bad2", ... so an
// earlier kept file is never replaced. Returns the new name, or nothing when it could not move.
std::optional<std::filesystem::path> SetVolumeAside(const std::filesystem::path& file);

// Deletes the volume and its journal, making it writable first. A missing file counts as done.
bool RemoveVolumeFile(const std::filesystem::path& file);
