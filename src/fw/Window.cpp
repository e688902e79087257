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
    visible_ = visible;
    Invalidate();
}

void Window::Enable(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Invalidate();
}

void Window::Invalidate() const {
    Loop().RequestRepaint();
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
    dc.IntersectClip(rect_);
    OnPaint(dc);
    // Copy: a paint handler must not change the tree, but a copy keeps that harmless.
    std::vector<Window*> children = children_;
    for (Window* child : children)
        child->PaintTree(dc);
    dc.Restore(level);
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
