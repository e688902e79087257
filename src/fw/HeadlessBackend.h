#pragma once
// No display at all: frames stay in the surface. Optionally the latest frame is kept as a
// PNG (at most once a second after a repaint) so the panel can be looked at remotely.
#include <condition_variable>
#include <mutex>
#include <string>

#include "fw/Backend.h"

namespace fw {

class HeadlessBackend : public Backend {
  public:
    explicit HeadlessBackend(std::string screenshotPath = "");

    void Present(const Surface& surface, const Rect& changed) override;
    bool WaitForEvents(EventLoop& loop, int64_t timeoutMs) override;
    void Wake() override;

  private:
    void WriteScreenshotIfDue(const Surface& surface);

    std::string screenshotPath_;
    const Surface* lastSurface_ = nullptr;
    bool screenshotPending_ = false;
    int64_t lastScreenshotMs_ = -1000000;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
};

}  // namespace fw
