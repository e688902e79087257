#pragma once
// The panel's launcher: installs a program staged by the software update, keeps the one it
// replaces, starts the instrument program and takes the previous one back when the new one
// does not reach its first view.
//
// Files below the instrument root (KELVARIN_ROOT):
//   FlashDisk/App/ZELTarvo_v2.exe            the program that runs
//   FlashDisk/App/ZELTarvo_v2.exe.previous   the one it replaced
//   FlashDisk/App/ZELTarvo_v2.exe.rejected   a new one that failed and was taken back
//   FlashDisk/App/on-trial                   the program was installed and has not yet
//                                            reached its first view
//   FlashDisk/Update/ZELTarvo_v2.exe         staged by the update, installed when the
//                                            settings file's "Updates"/"App" says "App"
//
// Every step leaves a startable instrument after a power cut: the previous program is saved
// whole before anything else, "on-trial" is on the disk before the staged program is renamed
// into place, and it is removed only once a program reached its first view. A start that
// finds "on-trial" runs the program on trial again. The marker is cleared by the program
// itself when it loads its settings (so only once it runs), and by the launcher after taking
// a program back, when no program runs.
#include <filesystem>
#include <functional>
#include <string>

namespace launcher {

enum class Step { SavedPrevious, MarkedTrial, Installed, KeptRejected, RestoredPrevious };

struct LaunchFiles {
    std::filesystem::path program, previous, rejected, trial, staged;
};
LaunchFiles FilesBelow(const std::filesystem::path& root);

struct Options {
    // Installed when the flash disk holds no program yet (the packaged program).
    std::filesystem::path firstProgram;
    // How long a new program may take to reach its first view.
    int readyTimeoutMs = 60000;
    // Tests only: called after each step is on the disk.
    std::function<void(Step)> afterStep;
};

// Runs the instrument program until it ends; its exit status, or 127 when no program could
// be started. After a stop signal (see StopSignals.h) no program is started or taken back.
int Launch(const Options& options);

}  // namespace launcher
