#pragma once
// A serial device over termios: raw 8N1 at 19200 baud with no flow control. "COM1:" and
// "COM2:" name the devices given by KELVARIN_COM1 and KELVARIN_COM2 (a tty, a USB serial
// adapter or a pty).
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

class SerialDevice {
  public:
    enum class WaitResult { Readable, Woken, Closed };

    SerialDevice();
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // "COM<n>:" -> the path in KELVARIN_COM<n>; nothing when unset or not a COM name.
    static std::optional<std::string> ResolvePortName(std::string_view name);

    // Opens and configures the device; false (with LastErrorText) on any failure.
    bool Open(const std::string& path, int baud = 19200);
    bool IsOpen() const;
    void Close();

    // One byte if one is buffered: 1 read, 0 nothing buffered, −1 error.
    int ReadByte(uint8_t& byte);
    // Blocks until a byte can be read, Wake is called, or the device is closed.
    WaitResult WaitReadable();
    // Ends a WaitReadable on another thread (used by Close of the reader's owner).
    void Wake();
    size_t BytesBuffered() const;
    // Drops unread input; commands still on their way out are kept.
    void PurgeInput();

    // Writes all of `data` unless `timeoutMs` passes without the write finishing.
    // Returns the bytes written; sets LastError on failure or time-out.
    size_t Write(const uint8_t* data, size_t size, int timeoutMs);

    int LastError() const { return lastError_; }
    std::string LastErrorText() const;

  private:
    int fd_ = -1;
    int wakePipe_[2] = {-1, -1};
    int lastError_ = 0;
};

}  // namespace fw
