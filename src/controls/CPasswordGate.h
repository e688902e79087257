#pragma once
// The instrument password before protected edits: asked for on the alphanumeric keypad
// until it has been entered correctly once in the life of the gate (one visit of a page).
#include <functional>
#include <string>

class CModalDialog;

class CPasswordGate {
  public:
    static constexpr const char* kPassword = "5937";
    static constexpr const char* kTitle = "Enter Password";
    static constexpr const char* kRefusal =
        "Invalid password.\r\nConsult your manual for the correct password.";
    // Runs the keypad and the refusal box (registered with the screen that asks); without
    // one they run on their own.
    using ModalRun = std::function<int(CModalDialog&)>;

    // With protection off the gate is open from the start.
    explicit CPasswordGate(bool protectionOn = true, ModalRun run = {})
        : passed_(!protectionOn), run_(std::move(run)) {}

    // True when the edit may go on. A wrong password is refused with a message box;
    // Cancel or a standby request refuses silently.
    bool Pass();
    bool Passed() const { return passed_; }

  private:
    int Run(CModalDialog& dialog);

    bool passed_;
    ModalRun run_;
};
