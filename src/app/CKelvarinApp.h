#pragma once
// The application object: one document, one frame, the first view, and the start-up poll.
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "document/CKelvarinDoc.h"

struct SettingsLoadReport;

class CKelvarinApp {
  public:
    CKelvarinApp();
    ~CKelvarinApp();

    // Creates the document (loading the settings), the frame (opening both ports), shows
    // the standby view and starts polling the board. False when start-up cannot complete.
    bool InitInstance();

    CKelvarinDoc& Doc() { return *doc_; }
    CMainFrame& Frame() { return *frame_; }
    // What the operator was told about the settings file at start; empty when all was well.
    const std::string& SettingsNoticeShown() const { return settingsNotice_; }

    // The notice for a settings load: a damaged file (and where it was kept) or a failed
    // write; empty when there is nothing to tell.
    static std::string SettingsNotice(const SettingsLoadReport& report);

  private:
    std::unique_ptr<CKelvarinDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    std::string settingsNotice_;
};
