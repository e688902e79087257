#include "fw/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fw {
namespace {

bool Fail(std::string* error, const std::string& what) {
    if (error != nullptr)
        *error = what + ": " + std::strerror(errno);
    return false;
}

bool WriteAll(int fd, std::string_view content) {
    size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string* error) {
    std::error_code ec;
    std::filesystem::path folder = path.parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    std::filesystem::path temp = path;
    temp += ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return Fail(error, "create " + temp.string());
    bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    int savedErrno = errno;
    bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        if (written)
            savedErrno = errno;
        ::unlink(temp.c_str());
        errno = savedErrno;
        return Fail(error, "write " + temp.string());
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        savedErrno = errno;
        ::unlink(temp.c_str());
        errno = savedErrno;
        return Fail(error, "rename to " + path.string());
    }
    SyncFolder(folder.empty() ? std::filesystem::path(".") : folder);
    return true;
}

bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string* error) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return Fail(error, "open " + from.string());
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return Fail(error, "read " + from.string());
    return WriteFileAtomically(to, content, error);
}

}  // namespace fw
