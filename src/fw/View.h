#pragma once
// One document, one frame, one full-screen view at a time.
#include <memory>

#include "fw/Window.h"

namespace fw {

class Frame;
class View;

class Document {
  public:
    virtual ~Document() = default;
    void AttachFrame(Frame* frame) { frame_ = frame; }
    Frame* GetFrame() const { return frame_; }
    // Tells the active view of a change; `hint` says what changed.
    void UpdateAllViews(int hint);

  private:
    Frame* frame_ = nullptr;
};

class View : public Window {
  public:
    Document* GetDocument() const { return document_; }
    Frame* GetFrame() const { return frame_; }

    // After the view was placed in the frame and before it is first painted.
    virtual void OnInitialUpdate() {}
    virtual void OnUpdate(int hint) { (void)hint; }

  private:
    friend class Frame;
    Document* document_ = nullptr;
    Frame* frame_ = nullptr;
};

class Frame : public Window {
  public:
    explicit Frame(Document& document);
    ~Frame() override;

    Document& GetDocument() const { return document_; }
    View* ActiveView() const { return active_.get(); }
    // Replaces the active view. The old one is destroyed only when no handler of it (or of a
    // dialog it opened) is still running, so a view may switch away from itself.
    void SwitchToView(std::unique_ptr<View> view);

    void OnPaint(Dc& dc) override;

  private:
    Document& document_;
    std::shared_ptr<View> active_;
};

}  // namespace fw
