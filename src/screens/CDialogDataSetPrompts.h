#pragma once
// The questions of the data-set save steps answered with the touch controls: the name box,
// Yes/No and Yes/No/Cancel message boxes and OK-only notices. Every dialog goes through
// `run`, so the opener can register it with its view; a dialog that a standby request
// closed answers Cancel (or No) and acts on nothing.
#include <functional>
#include <string>

#include "controls/CModalDialog.h"
#include "export/DataSetSaver.h"

class CDialogDataSetPrompts : public IDataSetPrompts {
  public:
    using Runner = std::function<int(CModalDialog&)>;
    explicit CDialogDataSetPrompts(Runner run = {}) : run_(std::move(run)) {}

    bool AskFileName(int captionId, std::string& name) override;
    bool AskYesNo(const std::string& text) override;
    int AskYesNoCancel(const std::string& text) override;
    void Tell(const std::string& text) override;

    // What Tell shows for a text of the saver: a failed write also says why it may fail.
    static std::string Explain(const std::string& text);
    static constexpr const char* kWriteFailedHint =
        "\r\nThe USB storage device may be full or write-protected.\r\nThe data was kept.";

  private:
    int Run(CModalDialog& dialog);
    Runner run_;
};
