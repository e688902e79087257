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

}  // namespace fw
