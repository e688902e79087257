#pragma once
// The instrument password before a library edit: asked for on the alphanumeric keypad until
// it has been entered correctly once in one visit of the page. The keypad and the refusal
// run through the page's modal runner, so they are registered with the page while open.
#include <functional>

class CModalDialog;

class LibraryPasswordGate {
  public:
    using ModalRunner = std::function<int(CModalDialog&)>;

    // With protection off the gate is open from the start.
    LibraryPasswordGate(bool protectionOn, ModalRunner run)
        : passed_(!protectionOn), run_(std::move(run)) {}

    // True when the edit may go on. A wrong password is refused with a message box; Cancel
    // or a standby request refuses silently.
    bool Pass();
    bool Passed() const { return passed_; }

  private:
    bool passed_;
    ModalRunner run_;
};
