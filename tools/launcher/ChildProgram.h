#pragma once
// One run of the instrument program under the launcher: started with the write end of a pipe
// named in KELVARIN_READY_FD, then watched until it says "ready", exits, or stays silent past
// the time-out (it is then killed).
#include <sys/types.h>

#include <filesystem>

namespace launcher {

enum class StartResult { Ready, Exited, Silent, NotStarted };

class ChildProgram {
  public:
    ChildProgram() = default;
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // Starts `program` and waits for its first view. After Exited, ExitStatus() says how it
    // ended; after Silent it has been killed.
    StartResult StartAndWaitReady(const std::filesystem::path& program, int timeoutMs);
    // Waits for a ready program to end; its exit code, or 128 + the signal that ended it.
    int WaitExit();
    int ExitStatus() const { return exitStatus_; }

  private:
    void Reap();

    pid_t pid_ = -1;
    int readyFd_ = -1;
    int exitStatus_ = 0;
};

}  // namespace launcher
