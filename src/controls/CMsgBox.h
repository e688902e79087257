#pragma once
// The modal message box: white text on the dialog colour and one to three buttons.
//   type 0: "OK" 1, "Cancel" 2          type 3: "Yes" 1, "No" 7, "Cancel" 2
//   type 4: "Yes" 1, "No" 7             any other type (the screens use 100): "OK" 1, centred
// A standby request closes it with kIdStandby.
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CMsgBox : public CModalDialog {
  public:
    static constexpr int kTypeOkCancel = 0;
    static constexpr int kTypeYesNoCancel = 3;
    static constexpr int kTypeYesNo = 4;
    static constexpr int kTypeOk = 100;
    // Results as the callers test them (Yes shares OK's code).
    static constexpr int kResultOk = 1;
    static constexpr int kResultYes = 1;
    static constexpr int kResultCancel = 2;
    static constexpr int kResultNo = 7;
    // Buttons, left to right, and the message label.
    static constexpr int kIdLeft = 1056;
    static constexpr int kIdMiddle = 1352;
    static constexpr int kIdRight = 1140;
    static constexpr int kIdMessage = 1266;

    explicit CMsgBox(std::string text = "", int type = kTypeOk, std::string caption = "");

    void SetText(std::string text) { text_ = std::move(text); }
    void SetType(int type) { type_ = type; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    int Type() const { return type_; }

    // Shows `text` modally and returns the result; what fw::ShowMessageBox calls once
    // InstallAsMessageBoxHandler has run.
    static int Show(const std::string& text, const std::string& caption = "", int type = kTypeOk);
    static void InstallAsMessageBoxHandler();

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    struct ButtonPlan {
        int stringId;  // 0: not in the string table
        const char* caption;
        int result;
    };
    void Layout();
    void PlaceButton(CBttn& button, int slot, const ButtonPlan* plan);

    std::string text_;
    std::string caption_;
    int type_;
    CLabel title_;
    CLabel message_;
    CBttn left_;
    CBttn middle_;
    CBttn right_;
    int results_[3] = {0, 0, 0};
};
