#pragma once
// A button that repeats its command while it is held: at once, after 1 s, then every
// 250 ms, timed on the window timers (so on the instrument's injectable clock).
#include "controls/CBttn.h"

class CRepeatBttn : public CBttn {
  public:
    static constexpr int kRepeatTimer = 1;
    static constexpr int kFirstDelayMs = 1000;
    static constexpr int kRepeatPeriodMs = 250;

    enum class RepeatState { Idle = 0, FirstDelay = 1, Repeating = 2 };
    RepeatState State() const { return state_; }

    void OnTouchDown(fw::Point p) override;
    void OnTouchMove(fw::Point p) override;
    void OnTouchUp(fw::Point p) override;
    void OnTimer(int id) override;

  private:
    void Stop();

    RepeatState state_ = RepeatState::Idle;
    bool fingerOver_ = false;
};
