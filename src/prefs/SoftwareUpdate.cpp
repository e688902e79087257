#include "prefs/SoftwareUpdate.h"

#include <cerrno>
#include <string>

#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/Paths.h"
#include "fw/Text.h"
#include "prefs/CDetectUSBStorageBox.h"
#include "prefs/UpdateFiles.h"
#include "screens/CKelvarinFormView.h"
#include "settings/SettingsFile.h"

namespace prefs {
namespace {

constexpr const char* kSearchingText = "Searching for USB storage device";
constexpr int kSearchRetries = 30;
constexpr const char* kNoUpdatesText = "No Updates are available";
constexpr int kNoUpdatesMs = 2000;
constexpr const char* kQuestionText = "Updates are available, would you like to update?";
constexpr const char* kUpdatingText = "Please wait, updating...";
constexpr int kUpdatingMs = 3000;
constexpr const char* kFailedFormat = "%s, Error = %d";
constexpr const char* kFailedText = "Updated files failed to copy";
constexpr const char* kCompleteText =
    "To complete updates:\n1: Remove USB device\n2: Remove power\n3: Wait 10 seconds\n4: "
    "Re-connect power";

constexpr mode_t kProgramMode = 0755;
constexpr mode_t kDataMode = 0644;

struct UpdateFile {
    const char* source;
    const char* destination;
    mode_t mode;
};
constexpr UpdateFile kLauncher{"\\USB HD\\ZEL_LaunchApp_v2.exe",
                               "\\FlashDisk\\AutoRun\\ZEL_LaunchApp_v2.exe", kProgramMode};
constexpr UpdateFile kApplication{"\\USB HD\\ZELTarvo_v2.exe",
                                  "\\FlashDisk\\Update\\ZELTarvo_v2.exe", kProgramMode};
constexpr UpdateFile kFirmware{"\\USB HD\\mainbd.hex", "\\FlashDisk\\Update\\mainbd.hex",
                               kDataMode};

UpdateSource OpenSource(const UpdateFile& file) {
    auto path = fw::MapDevicePath(file.source);
    return path ? UpdateSource(*path) : UpdateSource();
}

struct Sources {
    UpdateSource launcher = OpenSource(kLauncher);
    UpdateSource application = OpenSource(kApplication);
    UpdateSource firmware = OpenSource(kFirmware);

    bool Any() const { return launcher.Present() || application.Present() || firmware.Present(); }
};

// Sets the document's UpdateRunning for the scope of the copies; at its end the board events
// the screen held meanwhile go out.
class UpdateRunningScope {
  public:
    UpdateRunningScope(CKelvarinDoc& doc, std::function<void()> ended)
        : doc_(doc), ended_(std::move(ended)) {
        doc_.UpdateRunning = 1;
    }
    ~UpdateRunningScope() {
        doc_.UpdateRunning = 0;
        if (ended_)
            ended_();
    }
    UpdateRunningScope(const UpdateRunningScope&) = delete;
    UpdateRunningScope& operator=(const UpdateRunningScope&) = delete;

  private:
    CKelvarinDoc& doc_;
    std::function<void()> ended_;
};

// The copies run on this thread: what the board sent during one (a standby request, then
// refused; an event the screen holds) is handled before the next, while UpdateRunning is set.
void HandleWhatArrived() {
    fw::Loop().ProcessReady();
}

// Copies one file when its source is present; a failure is recorded and the rest go on.
bool CopyIfPresent(UpdateSource& source, const UpdateFile& file, UpdateReport& report) {
    if (!source.Present())
        return false;
    auto destination = fw::MapDevicePath(file.destination);
    const int error = destination ? CopyUpdateFile(source, *destination, file.mode) : ENOENT;
    source.Close();
    if (error != 0) {
        report.lastError = error;
        return false;
    }
    return true;
}

// The marker tells the launcher a new program is staged; it is written only once the copy is
// whole, so a failed copy never stages a broken program.
void StageApplication(UpdateSource& source, UpdateReport& report) {
    if (!CopyIfPresent(source, kApplication, report))
        return;
    errno = 0;
    if (!MarkApplicationUpdatePending()) {
        report.lastError = errno != 0 ? errno : EIO;
        return;
    }
    report.applicationStaged = true;
}

void CopyAll(Sources& sources, UpdateReport& report) {
    const bool launcherPresent = sources.launcher.Present();
    const bool applicationPresent = sources.application.Present();
    const bool firmwarePresent = sources.firmware.Present();
    report.launcherCopied = CopyIfPresent(sources.launcher, kLauncher, report);
    HandleWhatArrived();
    StageApplication(sources.application, report);
    HandleWhatArrived();
    report.firmwareStaged = CopyIfPresent(sources.firmware, kFirmware, report);
    HandleWhatArrived();
    const bool allDone = report.launcherCopied == launcherPresent &&
                         report.applicationStaged == applicationPresent &&
                         report.firmwareStaged == firmwarePresent;
    report.outcome = allDone ? UpdateOutcome::Updated : UpdateOutcome::CopyFailed;
    if (!allDone && report.lastError == 0)
        report.lastError = EIO;
}

void ShowNotice(const std::function<int(CModalDialog&)>& runModal, const char* text, int ms) {
    CNotifyBox notice(text, ms);
    notice.SetCompletionTest([] { return true; });
    runModal(notice);
}

}  // namespace

UpdateReport SoftwareUpdate(CKelvarinDoc& doc, const std::function<int(CModalDialog&)>& runModal,
                            std::function<void()> copiesEnded) {
    UpdateReport report;
    CDetectUSBStorageBox search(kSearchingText, kSearchRetries);
    search.SetCancellable(true);
    if (runModal(search) != fw::kIdOk)
        return report;

    Sources sources;
    if (!sources.Any()) {
        report.outcome = UpdateOutcome::NoUpdates;
        ShowNotice(runModal, kNoUpdatesText, kNoUpdatesMs);
        return report;
    }
    report.outcome = UpdateOutcome::Declined;
    CMsgBox question(kQuestionText, CMsgBox::kTypeYesNo);
    if (runModal(question) != CMsgBox::kResultYes)
        return report;

    {
        UpdateRunningScope running(doc, std::move(copiesEnded));
        // The copies run under the notice, at the end of its time, once (the notice's timer
        // may fall due again while the board's messages are handled between copies).
        CNotifyBox notice(kUpdatingText, kUpdatingMs);
        bool copied = false;
        notice.SetCompletionTest([&] {
            if (!copied) {
                copied = true;
                CopyAll(sources, report);
            }
            return true;
        });
        runModal(notice);
        if (!copied)
            return report;
    }
    const std::string summary =
        report.outcome == UpdateOutcome::Updated
            ? std::string(kCompleteText)
            : fw::StringPrintf(kFailedFormat, kFailedText, report.lastError);
    CMsgBox done(summary, CMsgBox::kTypeOk);
    runModal(done);
    return report;
}

UpdateReport SoftwareUpdate(CKelvarinFormView& view) {
    return SoftwareUpdate(*view.GetDoc(), view.ModalRunner(),
                          [&view] { view.DeliverHeldBoardEvents(); });
}

}  // namespace prefs
