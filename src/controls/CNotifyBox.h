#pragma once
// A timed notice: shows its text for a while and closes itself with 1. A completion test
// can make it wait for something (a storage device to appear), checked once per period,
// giving up with 2 after the set number of tries. Optionally cancellable, with a sound.
#include <functional>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CNotifyBox : public CModalDialog {
  public:
    static constexpr int kTimerId = 100;
    static constexpr int kIdMessage = 1266;
    static constexpr int kIdCancel = 1140;
    static constexpr int kDefaultDurationMs = 1000;

    explicit CNotifyBox(std::string text = "", int durationMs = kDefaultDurationMs);

    void SetText(std::string text) { text_ = std::move(text); }
    // Milliseconds per check; at least 1.
    void SetDuration(int ms) { durationMs_ = ms > 0 ? ms : 1; }
    void SetCancellable(bool cancellable) { cancellable_ = cancellable; }
    void SetSound(bool sound) { sound_ = sound; }
    // Tries before giving up; at least 1.
    void SetRetryCount(int count) { retries_ = count > 0 ? count : 1; }
    // The test checked on each tick; without one the notice closes at the first tick.
    void SetCompletionTest(std::function<bool()> test) { isComplete_ = std::move(test); }

    void OnTimer(int id) override;

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;
    void OnClosing() override;

  private:
    std::string text_;
    int durationMs_;
    bool cancellable_ = false;
    bool sound_ = false;
    int retries_ = 1;
    std::function<bool()> isComplete_;
    CLabel message_;
    CBttn cancel_;
};
