#pragma once
// One serial link: a device, a reader thread that frames received bytes and posts each
// complete record (as a copy owned by the message) to the owner window as WM_SERIAL_RX,
// and synchronous writes from the user-interface thread.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "fw/Message.h"
#include "fw/SerialDevice.h"
#include "link/BoardPacket.h"
#include "link/Framers.h"

class CSerialPort {
  public:
    CSerialPort() = default;
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens "COM<portNumber>:" for `owner`; prints "Error Opening COM Port" when the device
    // cannot be opened. The reader starts with StartReader.
    bool Open(fw::WindowHandle owner, uint32_t portNumber);
    bool StartReader();
    bool IsOpen() const { return device_.IsOpen(); }
    uint32_t PortNumber() const { return portNumber_; }

    // Stores the checksum into `packet`, frames and writes it. False when the frame is too
    // long for the board, the port is not open, or the write failed (reported).
    bool SendPacket(BOARD_PACKET& packet);
    // Writes `text` in one write. False when the port is not open or the write failed.
    bool SendString(const char* text);
    bool SendString(const std::string& text) { return SendString(text.c_str()); }

    // Returns only when the reader thread has ended and no longer touches the device.
    void Close();

    // Feeds one received byte to the framer; called by the reader thread only.
    virtual void OnByte(uint8_t b);

  protected:
    void PostRecord(const BOARD_PACKET& record);

  private:
    static constexpr size_t kInputQueueBytes = 1600;
    static constexpr size_t kPurgeThreshold = kInputQueueBytes * 8 / 10;
    static constexpr int kWriteMsPerByte = 10;
    static constexpr int kWriteConstantMs = 1000;

    void SerialReadThread();
    void ReadBurst();
    bool WriteAll(const uint8_t* data, size_t size);
    void ReportWriteError(int error, const std::string& text);

    uint32_t portNumber_ = 0;
    fw::WindowHandle owner_ = fw::kNoWindow;
    fw::SerialDevice device_;
    std::mutex lock_;  // serialises each single-byte read with whole writes
    std::thread reader_;
    std::atomic<bool> stopping_{false};
    bool reportingError_ = false;  // one write-error box at a time
    CBoardFramer framer_;
};

// The external (remote-control) port: frames '<'…'>' command lines instead of packets.
class CExtSPort : public CSerialPort {
  public:
    void OnByte(uint8_t b) override;

  private:
    CLineFramer lineFramer_;
};
