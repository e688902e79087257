#include "fw/View.h"

#include "fw/EventLoop.h"

namespace fw {

void Document::UpdateAllViews(int hint) {
    if (frame_ == nullptr)
        return;
    if (View* view = frame_->ActiveView())
        view->OnUpdate(hint);
}

Frame::Frame(Document& document) : document_(document) {
    Create(nullptr, kScreenRect);
    document_.AttachFrame(this);
    Loop().PushTopLevel(this);
}

Frame::~Frame() {
    if (document_.GetFrame() == this)
        document_.AttachFrame(nullptr);
    if (active_)
        active_->Show(false);
    active_.reset();
}

void Frame::SwitchToView(std::unique_ptr<View> view) {
    if (active_) {
        active_->Show(false);
        Loop().DeleteLater(active_);
    }
    active_ = std::shared_ptr<View>(std::move(view));
    if (!active_)
        return;
    active_->document_ = &document_;
    active_->frame_ = this;
    active_->Create(this, kScreenRect);
    active_->OnInitialUpdate();
    Invalidate();
}

void Frame::OnPaint(Dc& dc) {
    dc.FillRect(GetRect(), colors::kBlack);
}

}  // namespace fw
