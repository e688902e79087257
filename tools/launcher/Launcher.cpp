#include "launcher/Launcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "fw/AtomicFile.h"
#include "fw/Paths.h"
#include "launcher/ChildProgram.h"
#include "launcher/StopSignals.h"
#include "settings/CXmlHelper.h"
#include "settings/SettingsFile.h"

namespace launcher {
namespace {

namespace fs = std::filesystem;

constexpr int kNoProgram = 127;
constexpr int kSignalled = 128;  // + the signal, as a shell reports it
constexpr mode_t kProgramMode = 0755;
constexpr const char* kMarkerKey = "App";
constexpr const char* kMarkerPending = "App";

void Say(const std::string& text) {
    std::fprintf(stderr, "kelvarin-launch: %s\n", text.c_str());
}

bool IsRegularFile(const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// `from` in place of `to`, executable, through a flushed temporary file: old or new, never torn.
bool CopyProgram(const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    std::string error;
    if (!fw::WriteFileAtomically(to, bytes, &error)) {
        Say(error);
        return false;
    }
    // The permission change is flushed before anyone relies on the copy.
    if (::chmod(to.c_str(), kProgramMode) != 0)
        return false;
    const int fd = ::open(to.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

bool MarkerSaysPending() {
    CXmlHelper xml(kSettingsDevicePath);
    const char* value = xml.FindValue(kCategoryUpdates, kMarkerKey);
    return value != nullptr && std::strcmp(value, kMarkerPending) == 0;
}

void ClearMarker() {
    CXmlHelper xml(kSettingsDevicePath);
    std::string error;
    if (xml.FindValue(kCategoryUpdates, kMarkerKey) != nullptr &&
        !(xml.SetString("", kCategoryUpdates, kMarkerKey) && xml.Save(&error)))
        Say("the update marker could not be cleared: " + error);
}

void Notify(const Options& options, Step step) {
    if (options.afterStep)
        options.afterStep(step);
}

bool InstallStaged(const LaunchFiles& files, const Options& options) {
    if (IsRegularFile(files.program)) {
        if (!CopyProgram(files.program, files.previous)) {
            Say("the running program could not be kept; the update waits");
            return false;
        }
        Notify(options, Step::SavedPrevious);
    }
    if (!fw::WriteFileAtomically(files.trial, "on trial\n")) {
        Say("the trial mark could not be written; the update waits");
        return false;
    }
    Notify(options, Step::MarkedTrial);
    if (::chmod(files.staged.c_str(), kProgramMode) != 0 ||
        ::rename(files.staged.c_str(), files.program.c_str()) != 0) {
        // Another file system: copied whole, then the staged file goes.
        if (!CopyProgram(files.staged, files.program)) {
            Say(std::string("the staged program could not be installed: ") + std::strerror(errno));
            return false;
        }
        ::unlink(files.staged.c_str());
    }
    SyncFolder(files.program.parent_path());
    SyncFolder(files.staged.parent_path());
    Notify(options, Step::Installed);
    Say("installed the staged program");
    return true;
}

// The program on trial failed: it is kept aside and the previous one is put back.
bool RollBack(const LaunchFiles& files, const Options& options) {
    if (!IsRegularFile(files.previous)) {
        Say("the new program failed and there is no previous one to take back");
        return false;
    }
    CopyProgram(files.program, files.rejected);
    Notify(options, Step::KeptRejected);
    if (!CopyProgram(files.previous, files.program)) {
        Say("the previous program could not be put back");
        return false;
    }
    Notify(options, Step::RestoredPrevious);
    ClearMarker();
    ::unlink(files.trial.c_str());
    SyncFolder(files.trial.parent_path());
    Say("the new program did not start; the previous one is back");
    return true;
}

void EndTrial(const LaunchFiles& files) {
    if (::unlink(files.trial.c_str()) == 0)
        SyncFolder(files.trial.parent_path());
}

const char* Describe(StartResult result) {
    switch (result) {
        case StartResult::Exited:
            return "ended before its first view";
        case StartResult::Silent:
            return "did not reach its first view in time";
        case StartResult::NotStarted:
            return "could not be started";
        case StartResult::Ready:
            break;
    }
    return "is ready";
}

}  // namespace

LaunchFiles FilesBelow(const fs::path& root) {
    const fs::path app = root / "FlashDisk" / "App";
    return {app / "ZELTarvo_v2.exe", app / "ZELTarvo_v2.exe.previous",
            app / "ZELTarvo_v2.exe.rejected", app / "on-trial",
            root / "FlashDisk" / "Update" / "ZELTarvo_v2.exe"};
}

int Launch(const Options& options) {
    const LaunchFiles files = FilesBelow(fw::InstrumentRoot());
    if (!IsRegularFile(files.program) && !options.firstProgram.empty() &&
        !CopyProgram(options.firstProgram, files.program))
        Say("the program " + options.firstProgram.string() + " could not be installed");
    if (IsRegularFile(files.staged) && MarkerSaysPending())
        InstallStaged(files, options);
    const bool onTrial = fs::exists(files.trial);

    for (bool retried = false;; retried = true) {
        if (const int stop = StopRequested())
            return kSignalled + stop;
        ChildProgram child;
        const StartResult result = child.StartAndWaitReady(files.program, options.readyTimeoutMs);
        if (result == StartResult::Ready) {
            if (onTrial && !retried)
                EndTrial(files);
            return child.WaitExit();
        }
        // Stopped before its first view: no verdict on the program, it stays on trial.
        if (const int stop = StopRequested())
            return result == StartResult::Exited ? child.ExitStatus() : kSignalled + stop;
        Say(files.program.string() + " " + Describe(result));
        if (!onTrial || retried || !RollBack(files, options))
            return result == StartResult::Exited && child.ExitStatus() != 0 ? child.ExitStatus()
                                                                            : kNoProgram;
    }
}

}  // namespace launcher
