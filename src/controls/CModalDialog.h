#pragma once
// Base of the keypads, message box and notice: a dialog on the dialog colour that is
// registered as open while it runs, and that a standby request can close with kIdStandby.
// Once it is closing, further touches and commands are ignored, so a late tap can never
// replace the answer.
#include "controls/ModalRegistry.h"
#include "fw/Dialog.h"

class CModalDialog : public fw::Dialog, public IStandbyDismissable {
  public:
    // Runs the dialog modally and returns its result (kIdStandby after a standby request).
    int DoModal();
    void DismissForStandby() override;
    bool WasDismissedForStandby() const { return dismissed_; }

    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }
    bool OnCommand(int commandId, fw::Window* from) final;

  protected:
    // Ends the dialog with `result` unless it is already closing.
    void Finish(int result);
    bool IsClosing() const { return closing_; }
    // A control's notification while the dialog is open and not closing.
    virtual bool OnDialogCommand(int commandId, fw::Window* from) = 0;
    // Called when the dialog closes for any reason (timers to stop).
    virtual void OnClosing() {}

  private:
    bool closing_ = false;
    bool dismissed_ = false;
};
