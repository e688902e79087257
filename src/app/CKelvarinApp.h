#pragma once
// The application object: one document, one frame, the first view, and the start-up poll.
#include <memory>

#include "app/CMainFrame.h"
#include "document/CKelvarinDoc.h"

class CKelvarinApp {
  public:
    CKelvarinApp();
    ~CKelvarinApp();

    // Creates the document (loading the settings), the frame (opening both ports), shows
    // the standby view and starts polling the board. False when start-up cannot complete.
    bool InitInstance();

    CKelvarinDoc& Doc() { return *doc_; }
    CMainFrame& Frame() { return *frame_; }

  private:
    std::unique_ptr<CKelvarinDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};
