#include "prefs/UpdateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace prefs {
namespace {

constexpr size_t kBlockSize = 64 * 1024;

CopyFaultHook& FaultHook() {
    static CopyFaultHook hook;
    return hook;
}

int LastError() {
    return errno != 0 ? errno : EIO;
}

int WriteAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? LastError() : EIO;
        data += n;
        length -= static_cast<size_t>(n);
    }
    return 0;
}

// Reads the whole source from its start into `to`; its length must be the one seen at open.
int CopyContent(const UpdateSource& source, int to, const std::filesystem::path& destination) {
    std::vector<char> block(kBlockSize);
    uint64_t done = 0;
    for (;;) {
        const ssize_t n =
            ::pread(source.Descriptor(), block.data(), block.size(), static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return LastError();
        if (n == 0)
            break;
        if (int error = WriteAll(to, block.data(), static_cast<size_t>(n)))
            return error;
        done += static_cast<uint64_t>(n);
        if (FaultHook()) {
            if (int error = FaultHook()(destination, done))
                return error;
        }
        if (done > source.Size())
            return EIO;
    }
    return done == source.Size() ? 0 : EIO;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool UsbDevicePresent(const std::filesystem::path& usbFolder) {
    struct stat folder {};
    struct stat parent {};
    if (::lstat(usbFolder.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return false;
    if (::stat(usbFolder.parent_path().c_str(), &parent) != 0)
        return false;
    if (folder.st_dev != parent.st_dev)
        return true;
    std::error_code ec;
    return !std::filesystem::is_empty(usbFolder, ec) && !ec;
}

UpdateSource::UpdateSource(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = static_cast<uint64_t>(st.st_size);
}

UpdateSource::~UpdateSource() {
    Close();
}

UpdateSource::UpdateSource(UpdateSource&& other) noexcept : fd_(other.fd_), size_(other.size_) {
    other.fd_ = -1;
}

UpdateSource& UpdateSource::operator=(UpdateSource&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        size_ = other.size_;
        other.fd_ = -1;
    }
    return *this;
}

void UpdateSource::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int CopyUpdateFile(const UpdateSource& source, const std::filesystem::path& destination,
                   mode_t mode) {
    if (!source.Present())
        return ENOENT;
    const std::filesystem::path folder = destination.parent_path();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return ec.value();
    std::filesystem::path staged = destination;
    staged += ".new";
    ::unlink(staged.c_str());  // what an interrupted copy left
    const int to =
        ::open(staged.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (to < 0)
        return LastError();
    errno = 0;
    int error = CopyContent(source, to, destination);
    if (error == 0 && (::fchmod(to, mode) != 0 || ::fsync(to) != 0))
        error = LastError();
    if (::close(to) != 0 && error == 0)
        error = LastError();
    if (error == 0 && ::rename(staged.c_str(), destination.c_str()) != 0)
        error = LastError();
    if (error != 0) {
        ::unlink(staged.c_str());
        return error;
    }
    SyncFolder(folder);
    return 0;
}

void SetCopyFaultHook(CopyFaultHook hook) {
    FaultHook() = std::move(hook);
}

}  // namespace prefs
