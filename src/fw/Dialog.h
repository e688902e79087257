#pragma once
// Modal windows: DoModal runs a nested event loop until EndDialog.
#include "fw/Window.h"

namespace fw {

class Dialog : public Window {
  public:
    // Shows the dialog above everything and returns its result; kIdCancel when the
    // loop can get no more input (a headless test that scripted none).
    int DoModal();
    void EndDialog(int result);
    bool IsOpen() const { return open_; }
    int Result() const { return result_; }

  protected:
    // Called once the dialog is on screen, before input reaches it.
    virtual void OnInitDialog() {}

  private:
    bool open_ = false;
    bool ended_ = false;
    int result_ = kIdCancel;
};

// Message boxes are drawn by the touch controls; until they register themselves the
// text goes to the standard output and the answer is OK.
using MessageBoxHandler = int (*)(const std::string& text, const std::string& caption, int type);
void SetMessageBoxHandler(MessageBoxHandler handler);
int ShowMessageBox(const std::string& text, const std::string& caption = "", int type = 1);

}  // namespace fw
