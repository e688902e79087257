#pragma once
// The user-interface thread's event loop: posted messages (from any thread), window timers
// on the injectable clock, touch input, repaints and nested modal loops.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "fw/Backend.h"
#include "fw/Message.h"
#include "fw/Surface.h"

namespace fw {

class Window;

class EventLoop {
  public:
    EventLoop();

    // Thread-safe. The message owns `data`; a message whose window is gone is dropped.
    void Post(WindowHandle target, uint32_t id, uintptr_t wparam = 0, intptr_t lparam = 0,
              std::vector<uint8_t> data = {});
    // Runs `task` on the UI thread at the next turn of the loop (thread-safe).
    void PostTask(std::function<void()> task);

    void SetTimer(WindowHandle w, int id, int periodMs);
    void KillTimer(WindowHandle w, int id);
    bool HasTimer(WindowHandle w, int id) const;
    void ForgetWindow(WindowHandle w);

    // Input from the backend or a test; delivered to the topmost window.
    void InjectTouch(const TouchEvent& e);

    // Top-level windows, painted bottom to top; the topmost takes the input.
    void PushTopLevel(Window* w);
    void RemoveTopLevel(Window* w);
    Window* TopLevel() const;

    // Damage: the part of the panel to paint again, one rectangle around everything asked
    // for since the last repaint. RequestRepaint asks for the whole panel.
    void RequestRepaint() { AddDamage(kScreenRect); }
    void AddDamage(const Rect& r) { damage_ = damage_.Union(r.Intersect(kScreenRect)); }
    bool RepaintPending() const { return !damage_.IsEmpty(); }
    const Rect& PendingDamage() const { return damage_; }
    // Repaints the windows the damage reaches, clipped to it, and presents that rectangle.
    void RepaintNow();
    Surface& GetSurface() { return surface_; }

    void SetBackend(std::unique_ptr<Backend> backend);
    Backend* GetBackend() const { return backend_.get(); }

    // Handles everything that is ready now (due timers, posted messages, input, repaint).
    // Returns true when anything was handled.
    bool ProcessReady();
    // Runs until `done` turns true, handling nothing more once it has: a modal loop whose
    // window has ended returns at once to the code that opened it. Returns false when the
    // loop starved (no input can come).
    bool RunUntil(const std::function<bool()>& done);
    int ModalDepth() const { return modalDepth_; }
    int StarvedModalLoops() const { return starvedModalLoops_; }
    // A nested loop for a modal window: runs until `done`; counts a starved loop.
    void RunModal(Window* dialog, const std::function<bool()>& done);

    // UI thread only. Runs `task` at the first turn of the loop with no modal loop on the
    // stack, before any posted message; at once when none is running now. Until it has
    // run, the modal loops are unwinding: a modal window should not open meanwhile.
    void PostAfterModalLoops(std::function<void()> task);
    bool UnwindingModalLoops() const { return !afterModalLoops_.empty(); }

    // Milliseconds until the next timer is due (−1 when none), on the process clock.
    int64_t MsUntilNextTimer() const;

    // Objects whose destruction must wait until no handler of theirs is on the stack.
    void DeleteLater(std::shared_ptr<void> object);

  private:
    struct Timer {
        int periodMs;
        int64_t due;
    };
    using TimerKey = std::pair<WindowHandle, int>;

    bool Dispatch(const std::function<bool()>& stop);
    bool RunTaskAfterModalLoops();
    bool FireDueTimer();
    bool DispatchPosted();
    bool DispatchInput();
    void DeliverTouch(const TouchEvent& e);
    void CollectGarbage();

    mutable std::mutex mutex_;
    std::deque<Message> posted_;
    std::deque<std::function<void()>> tasks_;
    std::deque<std::function<void()>> afterModalLoops_;
    std::map<TimerKey, Timer> timers_;
    std::deque<TouchEvent> input_;
    std::vector<Window*> topLevels_;
    WindowHandle captured_ = kNoWindow;
    Rect damage_ = kScreenRect;
    int modalDepth_ = 0;
    int starvedModalLoops_ = 0;
    std::vector<std::shared_ptr<void>> graveyard_;
    Surface surface_;
    std::unique_ptr<Backend> backend_;
};

// The process's one UI loop.
EventLoop& Loop();

}  // namespace fw
