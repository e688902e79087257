#include "fw/Readiness.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace fw {

bool SignalReady() {
    const char* text = std::getenv(kReadyFdVariable);
    if (text == nullptr || *text == '\0')
        return false;
    char* end = nullptr;
    const long fd = std::strtol(text, &end, 10);
    // The variable is used once: a program this one starts must not write to the launcher.
    ::unsetenv(kReadyFdVariable);
    if (*end != '\0' || fd < 0 || fd > 1024)
        return false;
    const char line[] = "ready\n";
    ssize_t written = 0;
    do {
        written = ::write(static_cast<int>(fd), line, sizeof line - 1);
    } while (written < 0 && errno == EINTR);
    ::close(static_cast<int>(fd));
    return written == static_cast<ssize_t>(sizeof line - 1);
}

}  // namespace fw
