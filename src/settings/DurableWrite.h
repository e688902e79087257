#pragma once
// The settings file is replaced through a durable staged copy. A test-only hook runs after
// the staged copy is on disk and before it replaces the file: the moment a power cut would do
// the most harm. Production code never sets it.
#include <filesystem>
#include <string>
#include <string_view>

namespace settings {

using StagedWriteHook = void (*)();
void SetStagedWriteHook(StagedWriteHook hook);

// Puts `content` in place of `path` through a durable staged copy ("<path>.new"), calling
// the hook in between. The old file stays whole until the final rename.
bool ReplaceFileDurably(const std::filesystem::path& path, std::string_view content,
                        std::string* error);

}  // namespace settings
