#pragma once
// The product version stamped into the instrument's executable.
#include <filesystem>
#include <string>

namespace fw {

// Reads the product version stamped into the executable `path` (e.g. "1.0.0.0"). With
// `shortForm` 1 the text is cut before its second '.'. False when there is no stamp.
bool GetProductVersion(const std::filesystem::path& path, std::string& out, int shortForm);

// This program's own file.
std::filesystem::path OwnExecutable();

// The running program's own stamp, read from its file once: it cannot change while it runs,
// and the file is megabytes. Same forms as GetProductVersion; false when there is no stamp.
bool GetOwnProductVersion(std::string& out, int shortForm);

}  // namespace fw
