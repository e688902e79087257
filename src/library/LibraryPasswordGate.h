#pragma once
// The instrument password in front of the library edits: asked for on the alphanumeric
// keypad until it was entered correctly once in a visit of the page. With protection off the
// gate is open and no keypad is shown.
#include "library/LibraryModal.h"

class LibraryPasswordGate {
  public:
    explicit LibraryPasswordGate(bool protectionOn) : passed_(!protectionOn) {}

    // True when the edit may go on. Only OK with the right password opens the gate: a wrong
    // one is refused with a message, Cancel and a standby request refuse silently.
    bool Pass(const library::ModalRunner& run);
    bool Passed() const { return passed_; }

  private:
    bool passed_;
};
