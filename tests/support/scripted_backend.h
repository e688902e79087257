#pragma once
// The test backend: no display; when a loop has to wait it takes the next scripted step
// (a touch, a clock advance, any action). A modal loop with an empty script has starved.
#include <deque>
#include <functional>

#include "fw/Backend.h"

namespace testing_support {

class ScriptedBackend : public fw::Backend {
  public:
    void Present(const fw::Surface&, const fw::Rect& changed) override {
        ++frames_;
        lastPresented_ = changed;
    }
    bool WaitForEvents(fw::EventLoop& loop, int64_t timeoutMs) override;
    void Wake() override {}

    void Then(std::function<void()> step) { script_.push_back(std::move(step)); }
    bool ScriptEmpty() const { return script_.empty(); }
    int Frames() const { return frames_; }
    const fw::Rect& LastPresented() const { return lastPresented_; }

  private:
    std::deque<std::function<void()>> script_;
    int frames_ = 0;
    fw::Rect lastPresented_;
};

}  // namespace testing_support
