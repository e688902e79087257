// kelvarin-launch: starts the instrument program on a panel, installing a staged update
// first and taking the previous program back when the new one fails (see Launcher.h).
//   kelvarin-launch [--program PATH] [--ready-timeout SECONDS]
// --program: the program to install when the flash disk holds none yet (the packaged one).
// KELVARIN_ROOT names the instrument root, as for the program, which inherits it.
// SIGTERM and SIGINT go on to the program; the launcher ends when it has ended.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "launcher/Launcher.h"
#include "launcher/StopSignals.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: kelvarin-launch [--program PATH] [--ready-timeout SECONDS]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    launcher::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return Usage();
        if (arg == "--program") {
            options.firstProgram = argv[++i];
        } else if (arg == "--ready-timeout") {
            char* end = nullptr;
            const long seconds = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || seconds <= 0 || seconds > 3600)
                return Usage();
            options.readyTimeoutMs = static_cast<int>(seconds * 1000);
        } else {
            return Usage();
        }
    }
    launcher::InstallStopForwarding();
    return launcher::Launch(options);
}
