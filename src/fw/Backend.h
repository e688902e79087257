#pragma once
// What shows the finished surface and where touches come from: an SDL window, or nothing
// at all when headless. Screens never know which one is live.
#include <cstdint>

#include "fw/Surface.h"

namespace fw {

class EventLoop;

class Backend {
  public:
    virtual ~Backend() = default;
    // Hands a finished frame to whatever shows it; only `changed` differs from the last one.
    virtual void Present(const Surface& surface, const Rect& changed) = 0;
    // Waits at most `timeoutMs` (−1: no limit) for input or a Wake, feeding input events
    // into `loop`. Returns false when no input can ever come (a starved modal loop).
    virtual bool WaitForEvents(EventLoop& loop, int64_t timeoutMs) = 0;
    // Called from any thread after a message was posted, to end a wait early.
    virtual void Wake() = 0;
};

}  // namespace fw
