#include "fw/Window.h"

#include <algorithm>
#include <unordered_map>

#include "fw/EventLoop.h"

namespace fw {
namespace {

// Live windows by handle. Only the UI thread creates, destroys and looks windows up.
std::unordered_map<WindowHandle, Window*>& Registry() {
    static std::unordered_map<WindowHandle, Window*> registry;
    return registry;
}

WindowHandle NextHandle() {
    static WindowHandle next = 1;
    return next++;
}

}  // namespace

Window::Window() : handle_(NextHandle()) {
    Registry()[handle_] = this;
}

Window::~Window() {
    Invalidate();  // what it covered shows again
    Loop().ForgetWindow(handle_);
    for (Window* child : children_)
        child->parent_ = nullptr;
    Detach();
    Registry().erase(handle_);
}

Window* Window::FromHandle(WindowHandle h) {
    auto it = Registry().find(h);
    return it == Registry().end() ? nullptr : it->second;
}

void Window::Detach() {
    if (parent_ == nullptr)
        return;
    Invalidate();
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_ = nullptr;
}

void Window::Create(Window* parent, const Rect& rect, int id) {
    Detach();
    parent_ = parent;
    rect_ = rect;
    id_ = id;
    if (parent_ != nullptr)
        parent_->children_.push_back(this);
    Invalidate();
}

void Window::MoveTo(const Rect& rect) {
    if (rect == rect_)
        return;
    Invalidate();
    rect_ = rect;
    Invalidate();
}

Window* Window::FindChild(int id) const {
    for (Window* child : children_) {
        if (child->id_ == id)
            return child;
    }
    return nullptr;
}

void Window::Show(bool visible) {
    if (visible_ == visible)
        return;
    // Hidden, a window asks for nothing: the rectangle is claimed while it is shown.
    if (visible) {
        visible_ = true;
        Invalidate();
    } else {
        Invalidate();
        visible_ = false;
    }
}

void Window::Enable(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Invalidate();
}

void Window::Invalidate() const {
    InvalidateRect(rect_);
}

void Window::InvalidateRect(const Rect& r) const {
    if (IsShownOnPanel())
        Loop().AddDamage(r.Intersect(rect_));
}

bool Window::IsShownOnPanel() const {
    for (const Window* w = this; w != nullptr; w = w->parent_) {
        if (!w->visible_)
            return false;
    }
    return true;
}

void Window::SetTimer(int id, int periodMs) {
    Loop().SetTimer(handle_, id, periodMs);
}

void Window::KillTimer(int id) {
    Loop().KillTimer(handle_, id);
}

void Window::NotifyParent(int commandId) {
    for (Window* w = parent_; w != nullptr; w = w->parent_) {
        if (w->OnCommand(commandId, this))
            return;
    }
}

bool Window::OnCommand(int, Window*) {
    return false;
}

void Window::PaintTree(Dc& dc) {
    if (!visible_)
        return;
    int level = dc.Save();
    dc.EnterWindow(rect_, handle_);
    const Rect damaged = dc.DamagedClip();
    if (damaged.IsEmpty()) {
        // Passed over, a window's pixels and texts stay as they are; its children lie inside.
        dc.Target().KeepTextsOf(handle_);
    } else if (ChildCovers(damaged)) {
        // Painted for its texts only: a child overwrites every pixel it would change.
        int held = dc.Save();
        dc.HoldPixels();
        OnPaint(dc);
        dc.Restore(held);
    } else {
        OnPaint(dc);
    }
    // Copy: a paint handler must not change the tree, but a copy keeps that harmless.
    std::vector<Window*> children = children_;
    for (Window* child : children)
        child->PaintTree(dc);
    dc.Restore(level);
}

bool Window::ChildCovers(const Rect& area) const {
    for (const Window* child : children_) {
        if (child->visible_ && child->IsOpaque() && child->rect_.Contains(area))
            return true;
    }
    return false;
}

Window* Window::HitTest(Point p) {
    if (!visible_ || !enabled_ || !rect_.Contains(p))
        return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (Window* hit = (*it)->HitTest(p))
            return hit;
    }
    return this;
}

}  // namespace fw
