#pragma once
// systemd stops the launcher with SIGTERM (Ctrl-C at a console sends SIGINT): the request is
// passed to the program that runs, and the launcher ends once that program has ended, with
// no rollback and no further start.
#include <sys/types.h>

namespace launcher {

// Installs the handlers of SIGTERM and SIGINT for this process.
void InstallStopForwarding();
// The stop signal received, 0 while none came.
int StopRequested();
// The program a stop request goes to (-1: none). A request that came before the program was
// known is passed on at once.
void SetRunningProgram(pid_t pid);

// Tests only: forgets a request, as in a fresh process.
void ForgetStopRequest();

}  // namespace launcher
