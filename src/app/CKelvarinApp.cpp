#include "app/CKelvarinApp.h"

#include <cstdio>

#include "controls/CMsgBox.h"
#include "fw/Dialog.h"
#include "fw/EventLoop.h"
#include "fw/TouchCalibration.h"
#include "library/LibraryViews.h"
#include "prefs/CPrefsView.h"
#include "scint/ScintViews.h"
#include "screens/CStandbyView.h"
#include "screens/ViewFactory.h"
#include "settings/SettingsFile.h"

namespace {

// Every message box is drawn on the panel; its text also goes to the standard output, where
// the instrument's diagnostics are read.
int ShowAndPrint(const std::string& text, const std::string& caption, int type) {
    std::printf("%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
    std::fflush(stdout);
    return CMsgBox::Show(text, caption, type);
}

}  // namespace

CKelvarinApp::CKelvarinApp() = default;

CKelvarinApp::~CKelvarinApp() {
    // The frame stops the readers and closes the ports before the document goes.
    frame_.reset();
    doc_.reset();
}

std::string CKelvarinApp::SettingsNotice(const SettingsLoadReport& report) {
    if (report.fileWasDamaged) {
        std::string text = "The settings file was damaged; the default settings are in use.";
        if (!report.keptAs.empty())
            text += "\r\nThe damaged file was kept as " + report.keptAs + ".";
        return text;
    }
    if (!report.written && !report.error.empty())
        return "The settings could not be saved:\r\n" + report.error;
    return "";
}

bool CKelvarinApp::InitInstance() {
    fw::SetMessageBoxHandler(&ShowAndPrint);
    RegisterLibraryViews();
    RegisterViewMaker(PageScreen::kPreferences, &MakePrefsView);
    RegisterScintViews();
    doc_ = std::make_unique<CKelvarinDoc>();
    const SettingsLoadReport report = LoadSettings(*doc_);
    fw::SetTouchMatrix(fw::TouchMatrix{doc_->TouchCal});
    doc_->SaveSettingsFile = [doc = doc_.get()] { return SaveSettings(*doc); };
    frame_ = std::make_unique<CMainFrame>(*doc_);
    frame_->SwitchToView(std::make_unique<CStandbyView>());
    fw::Loop().RepaintNow();
    settingsNotice_ = SettingsNotice(report);
    if (!settingsNotice_.empty())
        fw::ShowMessageBox(settingsNotice_);
    doc_->SendPoll();
    auto* first = static_cast<CKelvarinFormView*>(frame_->ActiveView());
    if (first == nullptr)
        return false;
    first->StartBoardPoll();
    return true;
}
