#pragma once
// The software update from a USB storage device: the launcher, this program and the main
// board's firmware are copied to the flash disk when the operator agrees; the launcher
// installs the staged program at the next start (see tools/launcher).
//
// From the operator's "Yes" to the last copy the document's UpdateRunning is set, so a
// standby request of the power key is refused as during a collection: the board never takes
// the power away while a copy is being written. A standby request before the "Yes" closes the
// boxes and ends the update with nothing copied.
#include <functional>

class CKelvarinDoc;
class CKelvarinFormView;
class CModalDialog;

namespace prefs {

enum class UpdateOutcome {
    NoDevice,    // the detection box gave up or was cancelled
    NoUpdates,   // no update file on the device
    Declined,    // "No", or a standby request closed a box before the copies
    Updated,     // every file present was copied
    CopyFailed,  // at least one copy (or the marker) failed; the summary told the error
};

struct UpdateReport {
    UpdateOutcome outcome = UpdateOutcome::NoDevice;
    int lastError = 0;  // the last failure's error number; 0 when none failed
    bool launcherCopied = false;
    bool applicationStaged = false;  // copied and the settings marker written
    bool firmwareStaged = false;
};

// Runs every box through `runModal` (the calling view's ModalRunner, so the boxes are
// registered with the view and a standby request can close them); `copiesEnded` runs when
// UpdateRunning is cleared again (the view delivers the board events it held).
UpdateReport SoftwareUpdate(CKelvarinDoc& doc, const std::function<int(CModalDialog&)>& runModal,
                            std::function<void()> copiesEnded = {});
// The same from a screen's "Software Update" button.
UpdateReport SoftwareUpdate(CKelvarinFormView& view);

}  // namespace prefs
