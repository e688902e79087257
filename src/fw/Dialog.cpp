#include "fw/Dialog.h"

#include <cstdio>

#include "fw/EventLoop.h"

namespace fw {
namespace {

int PrintMessageBox(const std::string& text, const std::string& caption, int) {
    std::printf("%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
    std::fflush(stdout);
    return kIdOk;
}

MessageBoxHandler gMessageBoxHandler = PrintMessageBox;

}  // namespace

int Dialog::DoModal() {
    open_ = true;
    ended_ = false;
    result_ = kIdCancel;
    OnInitDialog();
    Invalidate();
    if (!ended_)
        Loop().RunModal(this, [this] { return ended_; });
    open_ = false;
    return result_;
}

void Dialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    gMessageBoxHandler = handler ? handler : PrintMessageBox;
}

int ShowMessageBox(const std::string& text, const std::string& caption, int type) {
    return gMessageBoxHandler(text, caption, type);
}

}  // namespace fw
