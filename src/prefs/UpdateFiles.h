#pragma once
// The file work of a software update: telling a USB storage device from an empty mount
// point, opening an update source safely, and placing its copy on the flash disk whole.
//
// A source is opened without following links and without waiting (a FIFO named like an
// update would otherwise hold the panel forever), and only a regular file counts. The copy
// is read from that same descriptor, so what was checked is what is copied, and its byte
// count must match the size the file had when it was opened. The source is never changed.
// The copy goes to "<destination>.new", is flushed to the disk, renamed over the destination
// and the folder is flushed: a power cut leaves the old or the new file, never a torn one.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace prefs {

// A USB storage device is mounted at `usbFolder`: a folder on another file system than its
// parent. On a machine where the folder is a plain folder (the simulated panel), a folder
// holding anything stands for a device; an empty one, like an empty mount point, does not.
bool UsbDevicePresent(const std::filesystem::path& usbFolder);

class UpdateSource {
  public:
    UpdateSource() = default;
    // Opens `path` for reading; not Present() unless it is a regular file (links, folders,
    // FIFOs and devices are not update files).
    explicit UpdateSource(const std::filesystem::path& path);
    ~UpdateSource();
    UpdateSource(UpdateSource&& other) noexcept;
    UpdateSource& operator=(UpdateSource&& other) noexcept;
    UpdateSource(const UpdateSource&) = delete;
    UpdateSource& operator=(const UpdateSource&) = delete;

    bool Present() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    uint64_t Size() const { return size_; }
    void Close();

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

// Copies `source` over `destination` as described above, creating missing folders; the
// copy gets `mode`. 0 on success, otherwise the system's error number (EIO for a source
// whose length changed); a failed copy leaves the destination and its folder as they were.
int CopyUpdateFile(const UpdateSource& source, const std::filesystem::path& destination,
                   mode_t mode);

// Tests only: called after each block written to a staged copy with the destination and the
// bytes written so far; a non-zero result fails the copy with that error number.
using CopyFaultHook = std::function<int(const std::filesystem::path&, uint64_t)>;
void SetCopyFaultHook(CopyFaultHook hook);

}  // namespace prefs
