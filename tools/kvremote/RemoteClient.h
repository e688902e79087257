#pragma once
// The remote computer's side of the instrument's remote port: opens the serial device,
// sends one command line and waits for its reply line.
#include <chrono>
#include <optional>
#include <string>

#include "fw/SerialDevice.h"

namespace kvremote {

class RemoteClient {
  public:
    // Opens `path` raw, 19200 baud 8N1, no flow control. False with `error` set on failure.
    bool Open(const std::string& path, std::string& error);

    // Sends `command` ("<GID>"; the brackets are added when missing) and returns the first
    // line that arrives within `timeoutMs`, without its CR LF. Nothing on a time-out.
    std::optional<std::string> Ask(const std::string& command, int timeoutMs);

    // Every complete line that arrives within `ms` (streamed readings), CR LF removed.
    template <typename F>
    void Listen(int ms, F onLine) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (true) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return;
            if (auto line = ReadLine(int(left.count())))
                onLine(*line);
        }
    }

    // The next complete line within `timeoutMs`.
    std::optional<std::string> ReadLine(int timeoutMs);

  private:
    fw::SerialDevice device_;
    std::string pending_;  // bytes after the last complete line
};

// "GID" -> "<GID>"; a command that already has its brackets is kept.
std::string Bracketed(const std::string& command);

}  // namespace kvremote
