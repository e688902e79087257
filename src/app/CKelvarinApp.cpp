#include "app/CKelvarinApp.h"

#include "fw/EventLoop.h"
#include "screens/CStandbyView.h"

CKelvarinApp::CKelvarinApp() = default;

CKelvarinApp::~CKelvarinApp() {
    // The frame stops the readers and closes the ports before the document goes.
    frame_.reset();
    doc_.reset();
}

bool CKelvarinApp::InitInstance() {
    doc_ = std::make_unique<CKelvarinDoc>();
    frame_ = std::make_unique<CMainFrame>(*doc_);
    frame_->SwitchToView(std::make_unique<CStandbyView>());
    fw::Loop().RepaintNow();
    doc_->SendPoll();
    auto* first = static_cast<CKelvarinFormView*>(frame_->ActiveView());
    if (first == nullptr)
        return false;
    first->StartBoardPoll();
    return true;
}
