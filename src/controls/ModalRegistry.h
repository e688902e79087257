#pragma once
// Every keypad, message box, notice and pop-up menu registers here while it is open, so
// that a standby request can close whatever is on the panel without acting on its answer.
#include <vector>

// The result of a modal window that a standby request closed; callers act on OK only.
constexpr int kIdStandby = 3;

class IStandbyDismissable {
  public:
    virtual ~IStandbyDismissable() = default;
    // Ends the window's modal loop at once; its answer must not be acted upon.
    virtual void DismissForStandby() = 0;
};

namespace controls {

// Registers `modal` for the lifetime of the scope (one modal run).
class OpenModalScope {
  public:
    explicit OpenModalScope(IStandbyDismissable* modal);
    ~OpenModalScope();
    OpenModalScope(const OpenModalScope&) = delete;
    OpenModalScope& operator=(const OpenModalScope&) = delete;

  private:
    IStandbyDismissable* modal_;
};

// The open modal windows, outermost first.
const std::vector<IStandbyDismissable*>& OpenModals();

// Closes every open modal window, innermost first; returns how many were open. The nested
// loops unwind as control returns to them, before the caller's view may be replaced.
int DismissOpenModalsForStandby();

// True while a modal window is open, or while the closed ones are still unwinding their
// loops for a task that waits for them (fw::EventLoop::PostAfterModalLoops).
bool AnyModalOpen();
// False while the loops unwind: a window opened then closes at once, as if by standby, so
// that nothing a resumed handler asks can hold up the task that waits.
bool ModalsMayOpen();

}  // namespace controls
