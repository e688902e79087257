#pragma once
// Deleting a library volume for good: the database file and the side files the database
// keeps beside it. Only regular files are removed; the path is tested without following a
// link, so a link is removed itself and never the file it points at.
#include <string_view>

enum class ClearResult {
    kRemoved,     // the volume (or a side file of it) was there and is gone
    kWasMissing,  // nothing to delete: no error
    kFailed,      // something is still there (a folder of that name, no permission, ...)
};

ClearResult ClearLibraryVolume(std::string_view devicePath);
