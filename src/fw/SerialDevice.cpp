#include "fw/SerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "fw/Clock.h"

namespace fw {
namespace {

speed_t BaudConstant(int baud) {
    switch (baud) {
        case 9600:
            return B9600;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B19200;
    }
}

bool Configure(int fd, int baud) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, BaudConstant(baud));
    cfsetospeed(&tio, BaudConstant(baud));
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

SerialDevice::SerialDevice() {
    if (pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        wakePipe_[0] = wakePipe_[1] = -1;
}

SerialDevice::~SerialDevice() {
    Close();
    for (int fd : wakePipe_) {
        if (fd >= 0)
            ::close(fd);
    }
}

std::optional<std::string> SerialDevice::ResolvePortName(std::string_view name) {
    if (name == "COM1:" || name == "COM2:") {
        std::string var = "KELVARIN_COM" + std::string(1, name[3]);
        const char* path = std::getenv(var.c_str());
        if (path != nullptr && *path != '\0')
            return std::string(path);
    }
    return std::nullopt;
}

bool SerialDevice::Open(const std::string& path, int baud) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        lastError_ = errno;
        return false;
    }
    if (!Configure(fd, baud)) {
        lastError_ = errno;
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool SerialDevice::IsOpen() const {
    return fd_ >= 0;
}

void SerialDevice::Close() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
}

int SerialDevice::ReadByte(uint8_t& byte) {
    if (fd_ < 0)
        return -1;
    ssize_t n = ::read(fd_, &byte, 1);
    if (n == 1)
        return 1;
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return 0;
    // A pty whose other side is not open yet reads as EIO; treat it as nothing buffered.
    if (n < 0 && errno == EIO)
        return 0;
    if (n < 0)
        lastError_ = errno;
    return n == 0 ? 0 : -1;
}

SerialDevice::WaitResult SerialDevice::WaitReadable() {
    while (true) {
        if (fd_ < 0)
            return WaitResult::Closed;
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        int n = ::poll(fds, 2, 1000);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return WaitResult::Closed;
        if (fds[1].revents & POLLIN) {
            uint8_t drain[16];
            while (::read(wakePipe_[0], drain, sizeof drain) > 0) {
            }
            return WaitResult::Woken;
        }
        if (fds[0].revents & POLLIN)
            return WaitResult::Readable;
        if (fds[0].revents & (POLLHUP | POLLERR)) {
            // The far side of a pty went away; wait for it to come back without spinning.
            ::poll(&fds[1], 1, 100);
        }
        if (fds[0].revents & POLLNVAL)
            return WaitResult::Closed;
    }
}

void SerialDevice::Wake() {
    if (wakePipe_[1] < 0)
        return;
    uint8_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wakePipe_[1], &one, 1);
}

size_t SerialDevice::BytesBuffered() const {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0 || n < 0)
        return 0;
    return static_cast<size_t>(n);
}

void SerialDevice::PurgeInput() {
    if (fd_ >= 0)
        tcflush(fd_, TCIFLUSH);
}

size_t SerialDevice::Write(const uint8_t* data, size_t size, int timeoutMs) {
    if (fd_ < 0) {
        lastError_ = EBADF;
        return 0;
    }
    const int64_t deadline = SystemClock().NowMs() + timeoutMs;
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd_, data + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            lastError_ = errno;
            return done;
        }
        int64_t left = deadline - SystemClock().NowMs();
        if (left <= 0) {
            lastError_ = ETIMEDOUT;
            return done;
        }
        pollfd out{fd_, POLLOUT, 0};
        ::poll(&out, 1, static_cast<int>(left));
    }
    return done;
}

std::string SerialDevice::LastErrorText() const {
    return std::strerror(lastError_);
}

}  // namespace fw
