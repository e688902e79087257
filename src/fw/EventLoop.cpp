#include "fw/EventLoop.h"

#include <algorithm>

#include "fw/Clock.h"
#include "fw/Readiness.h"
#include "fw/Window.h"

namespace fw {

EventLoop& Loop() {
    static EventLoop loop;
    return loop;
}

EventLoop::EventLoop() = default;

void EventLoop::Post(WindowHandle target, uint32_t id, uintptr_t wparam, intptr_t lparam,
                     std::vector<uint8_t> data) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        posted_.push_back(Message{target, id, wparam, lparam, std::move(data)});
    }
    if (backend_)
        backend_->Wake();
}

void EventLoop::PostTask(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    if (backend_)
        backend_->Wake();
}

void EventLoop::SetTimer(WindowHandle w, int id, int periodMs) {
    int period = std::max(1, periodMs);
    timers_[{w, id}] = Timer{period, GetClock().NowMs() + period};
}

void EventLoop::KillTimer(WindowHandle w, int id) {
    timers_.erase({w, id});
}

bool EventLoop::HasTimer(WindowHandle w, int id) const {
    return timers_.count({w, id}) != 0;
}

void EventLoop::ForgetWindow(WindowHandle w) {
    for (auto it = timers_.begin(); it != timers_.end();) {
        it = it->first.first == w ? timers_.erase(it) : std::next(it);
    }
    if (captured_ == w)
        captured_ = kNoWindow;
    topLevels_.erase(std::remove_if(topLevels_.begin(), topLevels_.end(),
                                    [w](Window* t) { return t->Handle() == w; }),
                     topLevels_.end());
}

void EventLoop::InjectTouch(const TouchEvent& e) {
    input_.push_back(e);
}

void EventLoop::PushTopLevel(Window* w) {
    RemoveTopLevel(w);
    topLevels_.push_back(w);
    AddDamage(w->GetRect());
}

void EventLoop::RemoveTopLevel(Window* w) {
    auto gone = std::remove(topLevels_.begin(), topLevels_.end(), w);
    if (gone == topLevels_.end())
        return;
    topLevels_.erase(gone, topLevels_.end());
    AddDamage(w->GetRect());
}

Window* EventLoop::TopLevel() const {
    return topLevels_.empty() ? nullptr : topLevels_.back();
}

void EventLoop::RepaintNow() {
    const Rect damage = damage_;
    damage_ = Rect{};
    if (damage.IsEmpty())
        return;
    if (damage == kScreenRect)
        surface_.BeginFrame();
    else
        surface_.BeginPartialFrame();
    Dc dc(surface_, damage);
    std::vector<Window*> layers = topLevels_;
    for (Window* w : layers)
        w->PaintTree(dc);
    if (backend_) {
        backend_->Present(surface_, damage);
        SignalReady();  // the first frame is on the panel: a launcher keeps this program
    }
}

void EventLoop::SetBackend(std::unique_ptr<Backend> backend) {
    backend_ = std::move(backend);
    RequestRepaint();  // a new presenter has seen no frame yet
}

int64_t EventLoop::MsUntilNextTimer() const {
    if (timers_.empty())
        return -1;
    int64_t next = INT64_MAX;
    for (const auto& [key, timer] : timers_)
        next = std::min(next, timer.due);
    return std::max<int64_t>(0, next - GetClock().NowMs());
}

bool EventLoop::FireDueTimer() {
    int64_t now = GetClock().NowMs();
    auto due = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due <= now && (due == timers_.end() || it->second.due < due->second.due)) {
            due = it;
        }
    }
    if (due == timers_.end())
        return false;
    TimerKey key = due->first;
    // The next tick is counted from this one, so a late tick does not shift the period.
    due->second.due = std::max(due->second.due + due->second.periodMs, now + 1);
    if (Window* w = Window::FromHandle(key.first))
        w->OnTimer(key.second);
    return true;
}

bool EventLoop::DispatchPosted() {
    Message msg;
    std::function<void()> task;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!tasks_.empty()) {
            task = std::move(tasks_.front());
            tasks_.pop_front();
        } else if (!posted_.empty()) {
            msg = std::move(posted_.front());
            posted_.pop_front();
        } else {
            return false;
        }
    }
    if (task) {
        task();
    } else if (Window* w = Window::FromHandle(msg.target)) {
        w->OnMessage(msg);
    }
    return true;
}

bool EventLoop::DispatchInput() {
    if (input_.empty())
        return false;
    TouchEvent e = input_.front();
    input_.pop_front();
    DeliverTouch(e);
    return true;
}

void EventLoop::DeliverTouch(const TouchEvent& e) {
    Window* top = TopLevel();
    if (top == nullptr)
        return;
    // A touch stays with the window it went down on until it is lifted.
    Window* target = nullptr;
    if (e.kind == TouchKind::Down) {
        target = top->HitTest(e.at);
        if (target == nullptr)
            target = top;  // outside the topmost window: it decides
        captured_ = target->Handle();
    } else {
        target = Window::FromHandle(captured_);
        if (target == nullptr)
            return;
    }
    switch (e.kind) {
        case TouchKind::Down:
            target->OnTouchDown(e.at);
            break;
        case TouchKind::Move:
            target->OnTouchMove(e.at);
            break;
        case TouchKind::Up:
            captured_ = kNoWindow;
            target->OnTouchUp(e.at);
            break;
    }
}

void EventLoop::CollectGarbage() {
    if (modalDepth_ == 0 && !graveyard_.empty())
        graveyard_.clear();
}

void EventLoop::DeleteLater(std::shared_ptr<void> object) {
    graveyard_.push_back(std::move(object));
}

void EventLoop::PostAfterModalLoops(std::function<void()> task) {
    if (modalDepth_ == 0 && afterModalLoops_.empty()) {
        task();
        return;
    }
    afterModalLoops_.push_back(std::move(task));
}

bool EventLoop::RunTaskAfterModalLoops() {
    if (modalDepth_ != 0 || afterModalLoops_.empty())
        return false;
    std::function<void()> task = std::move(afterModalLoops_.front());
    afterModalLoops_.pop_front();
    task();
    return true;
}

// Handles ready work one item at a time until none is left or `stop` turns true.
bool EventLoop::Dispatch(const std::function<bool()>& stop) {
    bool any = false;
    while (!(stop && stop()) &&
           (RunTaskAfterModalLoops() || FireDueTimer() || DispatchPosted() || DispatchInput())) {
        any = true;
        CollectGarbage();
    }
    if (RepaintPending()) {
        RepaintNow();
        any = true;
    }
    CollectGarbage();
    return any;
}

bool EventLoop::ProcessReady() {
    return Dispatch(nullptr);
}

bool EventLoop::RunUntil(const std::function<bool()>& done) {
    while (!done()) {
        if (Dispatch(done))
            continue;
        if (done())
            break;
        if (!backend_ || !backend_->WaitForEvents(*this, MsUntilNextTimer()))
            return false;
    }
    return true;
}

void EventLoop::RunModal(Window* dialog, const std::function<bool()>& done) {
    PushTopLevel(dialog);
    ++modalDepth_;
    bool finished = RunUntil(done);
    --modalDepth_;
    if (!finished)
        ++starvedModalLoops_;
    RemoveTopLevel(dialog);
}

}  // namespace fw
