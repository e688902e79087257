#include "kvremote/RemoteClient.h"

#include <chrono>
#include <thread>

namespace kvremote {
namespace {

constexpr int kWriteTimeoutMs = 1000;

}  // namespace

std::string Bracketed(const std::string& command) {
    if (!command.empty() && command.front() == '<' && command.back() == '>')
        return command;
    return "<" + command + ">";
}

bool RemoteClient::Open(const std::string& path, std::string& error) {
    if (device_.Open(path))
        return true;
    error = device_.LastErrorText();
    return false;
}

std::optional<std::string> RemoteClient::Ask(const std::string& command, int timeoutMs) {
    std::string line = Bracketed(command);
    auto* bytes = reinterpret_cast<const uint8_t*>(line.data());
    if (device_.Write(bytes, line.size(), kWriteTimeoutMs) != line.size())
        return std::nullopt;
    return ReadLine(timeoutMs);
}

std::optional<std::string> RemoteClient::ReadLine(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        size_t end = pending_.find("\r\n");
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 2);
            return line;
        }
        uint8_t b = 0;
        int got = device_.ReadByte(b);
        if (got < 0)
            return std::nullopt;
        if (got == 1) {
            pending_.push_back(static_cast<char>(b));
            continue;
        }
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

}  // namespace kvremote
