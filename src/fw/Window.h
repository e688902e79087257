#pragma once
// Windows: rectangles on the panel that paint themselves, take touches, timers and
// commands. Children are owned by their parent object as members, never by the Window.
#include <string>
#include <vector>

#include "fw/Dc.h"
#include "fw/Message.h"

namespace fw {

class Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Places the window on the panel (screen coordinates) below `parent`, with control id `id`.
    void Create(Window* parent, const Rect& rect, int id = 0);
    void MoveTo(const Rect& rect);

    WindowHandle Handle() const { return handle_; }
    int Id() const { return id_; }
    const Rect& GetRect() const { return rect_; }
    Window* Parent() const { return parent_; }
    const std::vector<Window*>& Children() const { return children_; }
    Window* FindChild(int id) const;

    void Show(bool visible);
    bool IsVisible() const { return visible_; }
    void Enable(bool enabled);
    bool IsEnabled() const { return enabled_; }

    // Asks for this window's rectangle (or a part of it, in screen coordinates) to be
    // repainted at the next turn of the event loop. Nothing while the window is hidden.
    void Invalidate() const;
    void InvalidateRect(const Rect& r) const;
    // Shown itself and below shown parents.
    bool IsShownOnPanel() const;
    void SetTimer(int id, int periodMs);
    void KillTimer(int id);

    // Sends a command to the parent chain (control notifications, menu choices).
    void NotifyParent(int commandId);

    // Paints this window and its visible children, skipping those the repaint's damage
    // does not reach.
    void PaintTree(Dc& dc);
    // The deepest visible, enabled window under `p`, or nullptr.
    Window* HitTest(Point p);

    virtual void OnPaint(Dc&) {}
    // True when OnPaint writes every pixel of the window's rectangle with an opaque colour,
    // so what lies beneath need not be drawn there.
    virtual bool IsOpaque() const { return false; }
    virtual bool OnMessage(const Message&) { return false; }
    virtual void OnTimer(int) {}
    virtual void OnTouchDown(Point) {}
    virtual void OnTouchMove(Point) {}
    virtual void OnTouchUp(Point) {}
    // A child control's notification or a menu's choice; passed up unless handled.
    virtual bool OnCommand(int commandId, Window* from);

    // Looks a live window up by handle; nullptr once it has been destroyed.
    static Window* FromHandle(WindowHandle h);

  private:
    void Detach();
    // A shown opaque child holds all of `area`: this window's own pixels there are hidden.
    bool ChildCovers(const Rect& area) const;

    WindowHandle handle_;
    int id_ = 0;
    Rect rect_;
    Window* parent_ = nullptr;
    std::vector<Window*> children_;
    bool visible_ = true;
    bool enabled_ = true;
};

}  // namespace fw
