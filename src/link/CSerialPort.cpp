#include "link/CSerialPort.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fw/Dialog.h"
#include "fw/EventLoop.h"
#include "link/WindowMessages.h"

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(fw::WindowHandle owner, uint32_t portNumber) {
    Close();
    owner_ = owner;
    portNumber_ = portNumber;
    char name[50];
    std::snprintf(name, sizeof name, "COM%u:", portNumber);
    auto path = fw::SerialDevice::ResolvePortName(name);
    if (!path || !device_.Open(*path)) {
        std::printf("Error Opening COM Port\n");
        std::fflush(stdout);
        return false;
    }
    return true;
}

bool CSerialPort::StartReader() {
    if (!device_.IsOpen() || reader_.joinable())
        return false;
    stopping_ = false;
    // Stale input is dropped here, before the thread exists: a purge inside the thread could
    // land after the first command was written and flush it on its way to the board.
    {
        std::lock_guard<std::mutex> guard(lock_);
        device_.PurgeInput();
    }
    reader_ = std::thread([this] { SerialReadThread(); });
    return true;
}

void CSerialPort::Close() {
    if (reader_.joinable()) {
        stopping_ = true;
        device_.Wake();
        reader_.join();
    }
    std::lock_guard<std::mutex> guard(lock_);
    device_.Close();
}

void CSerialPort::SerialReadThread() {
    while (!stopping_) {
        fw::SerialDevice::WaitResult r = device_.WaitReadable();
        if (r == fw::SerialDevice::WaitResult::Closed)
            break;
        if (r == fw::SerialDevice::WaitResult::Woken)
            continue;
        ReadBurst();
    }
}

void CSerialPort::ReadBurst() {
    // A nearly full input queue means the user-interface side fell far behind: drop it all.
    if (device_.BytesBuffered() >= kPurgeThreshold) {
        std::lock_guard<std::mutex> guard(lock_);
        device_.PurgeInput();
        return;
    }
    while (!stopping_) {
        uint8_t b = 0;
        int got;
        {
            std::lock_guard<std::mutex> guard(lock_);
            got = device_.ReadByte(b);
        }
        if (got != 1)
            return;
        OnByte(b);
    }
}

void CSerialPort::OnByte(uint8_t b) {
    if (framer_.OnByte(b))
        PostRecord(framer_.Record());
}

void CSerialPort::PostRecord(const BOARD_PACKET& record) {
    fw::Loop().Post(owner_, WM_SERIAL_RX, portNumber_, 0, PacketBytes(record));
}

bool CSerialPort::WriteAll(const uint8_t* data, size_t size) {
    // A port that never opened fails quietly: its open failure was already shown.
    if (!device_.IsOpen())
        return false;
    const int timeout = kWriteConstantMs + kWriteMsPerByte * static_cast<int>(size);
    size_t written;
    int error;
    std::string text;
    {
        std::lock_guard<std::mutex> guard(lock_);
        written = device_.Write(data, size, timeout);
        error = device_.LastError();
        text = device_.LastErrorText();
    }
    if (written == size)
        return true;
    ReportWriteError(error, text);
    return false;
}

void CSerialPort::ReportWriteError(int error, const std::string& text) {
    if (error == EINPROGRESS || reportingError_)
        return;
    reportingError_ = true;
    char message[512];
    std::snprintf(message, sizeof message,
                  "WARNING: %s failed with the following error:\n%s\nPort: %u\n", "WriteFile()",
                  text.c_str(), portNumber_);
    fw::ShowMessageBox(message, "Application Error", 0x10);
    reportingError_ = false;
}

bool CSerialPort::SendPacket(BOARD_PACKET& packet) {
    std::vector<uint8_t> frame;
    if (!EncodeFrame(packet, frame))
        return false;
    return WriteAll(frame.data(), frame.size());
}

bool CSerialPort::SendString(const char* text) {
    if (text == nullptr)
        return false;
    return WriteAll(reinterpret_cast<const uint8_t*>(text), std::strlen(text));
}

void CExtSPort::OnByte(uint8_t b) {
    if (lineFramer_.OnByte(b))
        PostRecord(lineFramer_.Record());
}
