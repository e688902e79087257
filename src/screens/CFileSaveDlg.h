#pragma once
// Asks for a data file name: a box captioned "Save" or "Save As" with the name field, "OK"
// and "Cancel". Touching the name field opens the text keypad captioned "Enter Filename";
// the field shows the name after a leading blank. "OK" is offered only with a name.
#include <functional>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CFileSaveDlg : public CModalDialog {
  public:
    static constexpr int kIdName = 1305;
    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;
    static constexpr int kStringEnterFilename = 222;

    // `titleStringId`: 199 "Save" or 250 "Save As".
    CFileSaveDlg(int titleStringId, std::string name);

    const std::string& Name() const { return name_; }
    std::string Caption() const { return caption_.Text(); }

    // How the keypad is run (by default on its own); the opener may register it with its view.
    void SetKeypadRunner(std::function<int(CModalDialog&)> run) { runKeypad_ = std::move(run); }

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    // The name field takes touches although it is a label.
    class NameField : public CLabel {
      public:
        void OnTouchUp(fw::Point p) override {
            if (GetRect().Contains(p))
                NotifyParent(Id());
        }
    };
    void AskName();
    void ShowName();

    std::string name_;
    CLabel caption_;
    CLabel prompt_;
    NameField field_;
    CBttn ok_;
    CBttn cancel_;
    std::function<int(CModalDialog&)> runKeypad_;
};
