#include "fw/HeadlessBackend.h"

#include <chrono>

#include "fw/Clock.h"

namespace fw {

constexpr int64_t kScreenshotIntervalMs = 1000;

HeadlessBackend::HeadlessBackend(std::string screenshotPath)
    : screenshotPath_(std::move(screenshotPath)) {}

void HeadlessBackend::Present(const Surface& surface, const Rect&) {
    lastSurface_ = &surface;
    screenshotPending_ = !screenshotPath_.empty();
    WriteScreenshotIfDue(surface);
}

void HeadlessBackend::WriteScreenshotIfDue(const Surface& surface) {
    if (!screenshotPending_)
        return;
    int64_t now = GetClock().NowMs();
    if (now - lastScreenshotMs_ < kScreenshotIntervalMs)
        return;
    lastScreenshotMs_ = now;
    screenshotPending_ = false;
    surface.SavePng(screenshotPath_);
}

bool HeadlessBackend::WaitForEvents(EventLoop&, int64_t timeoutMs) {
    // A pending screenshot needs a wake-up of its own once its interval has passed.
    if (screenshotPending_) {
        int64_t untilShot = kScreenshotIntervalMs - (GetClock().NowMs() - lastScreenshotMs_);
        if (timeoutMs < 0 || untilShot < timeoutMs)
            timeoutMs = std::max<int64_t>(0, untilShot);
    }
    {
        std::unique_lock<std::mutex> lock(mutex_);
        auto woken = [this] { return woken_; };
        if (timeoutMs < 0) {
            wake_.wait(lock, woken);
        } else {
            wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs), woken);
        }
        woken_ = false;
    }
    if (lastSurface_ != nullptr)
        WriteScreenshotIfDue(*lastSurface_);
    return true;
}

void HeadlessBackend::Wake() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        woken_ = true;
    }
    wake_.notify_one();
}

}  // namespace fw
