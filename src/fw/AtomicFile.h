#pragma once
// Files that hold user data are replaced whole: a crash or power cut leaves either the old
// or the new content, never a torn one.
#include <filesystem>
#include <string>
#include <string_view>

namespace fw {

// Writes `content` to a temporary file beside `path`, flushes and fsyncs it, renames it over
// `path` and fsyncs the folder. Creates missing parent folders. On failure the old file is
// left as it was, the temporary file is removed and `error` (if given) says what failed.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string* error = nullptr);

// Copies `from` to `to` with the same guarantee as WriteFileAtomically.
bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string* error = nullptr);

}  // namespace fw
