#include "controls/CRepeatBttn.h"

void CRepeatBttn::OnTouchDown(fw::Point) {
    fingerOver_ = true;
    SetPressed(true);
    state_ = RepeatState::FirstDelay;
    SetTimer(kRepeatTimer, kFirstDelayMs);
    Fire();
}

void CRepeatBttn::OnTouchMove(fw::Point p) {
    // The face stays pressed until the next tick notices the finger has left.
    fingerOver_ = GetRect().Contains(p);
}

void CRepeatBttn::OnTouchUp(fw::Point) {
    Stop();
}

void CRepeatBttn::OnTimer(int id) {
    if (id != kRepeatTimer)
        return;
    if (!fingerOver_ || !IsEnabled() || !IsVisible()) {
        Stop();
        return;
    }
    if (state_ == RepeatState::FirstDelay) {
        SetTimer(kRepeatTimer, kRepeatPeriodMs);
        state_ = RepeatState::Repeating;
    }
    Fire();
}

void CRepeatBttn::Stop() {
    KillTimer(kRepeatTimer);
    state_ = RepeatState::Idle;
    fingerOver_ = false;
    SetPressed(false);
}
