#include "settings/DurableWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fw/AtomicFile.h"

namespace settings {
namespace {

StagedWriteHook g_stagedWriteHook = nullptr;

// The rename is only durable once the folder's entry is on disk.
void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

void SetStagedWriteHook(StagedWriteHook hook) {
    g_stagedWriteHook = hook;
}

bool ReplaceFileDurably(const std::filesystem::path& path, std::string_view content,
                        std::string* error) {
    std::filesystem::path staged = path;
    staged += ".new";
    if (!fw::WriteFileAtomically(staged, content, error))
        return false;
    if (g_stagedWriteHook != nullptr)
        g_stagedWriteHook();
    if (std::rename(staged.c_str(), path.c_str()) != 0) {
        if (error != nullptr)
            *error = "rename to " + path.string() + ": " + std::strerror(errno);
        ::unlink(staged.c_str());
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
}

}  // namespace settings
