// kvremote: sends commands to the instrument's remote port and prints each reply.
//   kvremote [-t MS] [-l MS] DEVICE COMMAND...
//     -t MS  how long to wait for each reply (default 1000)
//     -l MS  afterwards, print every line that arrives for MS (streamed readings)
// Exit status: 0 every command answered, 1 a reply did not come in time, 2 bad use or the
// device could not be opened.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "kvremote/RemoteClient.h"

namespace {

struct Options {
    int timeoutMs = 1000;
    int listenMs = 0;
    std::string device;
    std::vector<std::string> commands;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: kvremote [-t MS] [-l MS] DEVICE COMMAND...\n"
                 "  e.g. kvremote kelvarin-root/dev/remote GID '<GR1>'\n");
    return 2;
}

// A whole non-negative number of milliseconds, or -1.
int Milliseconds(const char* text) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    return (end == text || *end != '\0' || v < 0 || v > 600000) ? -1 : int(v);
}

bool ParseOptions(int argc, char** argv, Options& o) {
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        std::string flag = argv[i];
        int ms = Milliseconds(argv[i + 1]);
        if (ms < 0 || (flag != "-t" && flag != "-l"))
            return false;
        (flag == "-t" ? o.timeoutMs : o.listenMs) = ms;
    }
    if (i + 1 >= argc && !(i < argc && o.listenMs > 0))
        return false;
    o.device = argv[i++];
    for (; i < argc; ++i)
        o.commands.push_back(argv[i]);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Usage();
    kvremote::RemoteClient client;
    std::string error;
    if (!client.Open(options.device, error)) {
        std::fprintf(stderr, "kvremote: cannot open %s: %s\n", options.device.c_str(),
                     error.c_str());
        return 2;
    }
    int status = 0;
    for (const std::string& command : options.commands) {
        auto reply = client.Ask(command, options.timeoutMs);
        if (!reply) {
            std::fprintf(stderr, "kvremote: no reply to %s within %d ms\n",
                         kvremote::Bracketed(command).c_str(), options.timeoutMs);
            status = 1;
            continue;
        }
        std::printf("%s\n", reply->c_str());
    }
    client.Listen(options.listenMs,
                  [](const std::string& line) { std::printf("%s\n", line.c_str()); });
    return status;
}
