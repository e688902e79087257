#include "prefs/CPrefsView.h"

#include "controls/CMsgBox.h"
#include "controls/CNotifyBox.h"
#include "controls/ControlColors.h"
#include "controls/MenuCommands.h"
#include "controls/ModalRegistry.h"
#include "prefs/CSysInfoDlg.h"
#include "prefs/SoftwareUpdate.h"
#include "settings/SettingsFile.h"

namespace {

constexpr fw::Rect kTitleRect{56, 6, 330, 72};
constexpr fw::Rect kApplyRect{340, 14, 470, 66};
constexpr fw::Rect kSystemInfoRect{480, 14, 636, 66};
constexpr fw::Rect kTabsRect{4, 80, 636, 456};

CPrefsView::SettingsWriter& InstalledWriter() {
    static CPrefsView::SettingsWriter writer = [](CKelvarinDoc& doc, std::string* error) {
        return SaveSettings(doc, error);
    };
    return writer;
}

}  // namespace

void CPrefsView::SetSettingsWriter(SettingsWriter writer) {
    InstalledWriter() = std::move(writer);
}

std::unique_ptr<CKelvarinFormView> MakePrefsView() {
    return std::make_unique<CPrefsView>();
}

CPrefsView::CPrefsView() = default;

CPrefsView::~CPrefsView() {
    KillTimer(kSecondTimer);
}

void CPrefsView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    // Every page edits copies taken now, whichever page the operator opens first.
    values_ = PrefsValues::FromDocument(*GetDoc());
    prefsChanged_ = false;
    standardsChanged_ = false;
    CreateControls();
    CreatePages();
    SetTimer(kSecondTimer, kSecondMs);
}

void CPrefsView::CreateControls() {
    CreatePageButton("PREF", 18);
    title_.Create(this, kTitleRect, kIdTitle, "Preferences");
    title_.SetFontHeight(32);
    title_.SetBold(true);
    title_.SetBkColor(controls::kDialogBackground);
    title_.SetTextColor(fw::colors::kWhite);
    apply_.Create(this, kApplyRect, kIdApply, "Apply");
    systemInfo_.Create(this, kSystemInfoRect, kIdSystemInfo, "System Information");
    for (CBttn* b : {&apply_, &systemInfo_}) {
        b->SetFontHeight(18);
        b->SetBold(true);
    }
    apply_.SetBkColor(controls::kActionButton);
    apply_.SetTextColor(fw::colors::kWhite);
    apply_.Enable(false);
    CreateDateTimeBar();
}

void CPrefsView::CreatePages() {
    tabs_.Create(this, kTabsRect, kIdTabs);
    general_.CreatePage(*this);
    general_.SetOnSoftwareUpdate([this] { prefs::SoftwareUpdate(*this); });
    general_.SetOnCalibrateTouch([this] { CalibrateTouchScreen(); });
    data_.CreatePage(*this);
    measurement_.CreatePage(*this);
    calibration_.CreatePage(*this);
    tabs_.AddPage("General", general_);
    tabs_.AddPage("Data Management", data_);
    tabs_.AddPage("Measurement", measurement_);
    tabs_.AddPage("Calibration", calibration_);
}

void CPrefsView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

void CPrefsView::OnTimer(int id) {
    if (id == kSecondTimer) {
        DateTimeBar().Refresh(false);
        return;
    }
    CKelvarinFormView::OnTimer(id);
}

bool CPrefsView::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdApply:
            OnApply();
            return true;
        case kIdSystemInfo:
            ShowSystemInformation();
            return true;
        default:
            return CKelvarinFormView::OnCommand(commandId, from);
    }
}

void CPrefsView::ShowSystemInformation() {
    CSysInfoDlg dialog(*GetDoc());
    RunModal(dialog);
}

// ---- working values ------------------------------------------------------------------------

void CPrefsView::MarkChanged() {
    prefsChanged_ = true;
    apply_.Enable(true);
}

void CPrefsView::PreviewFormats() {
    DateTimeBar().SetFormats(values_.timeFormat, values_.dateFormat);
    DateTimeBar().Refresh(true);
}

void CPrefsView::OnApply() {
    apply_.Enable(false);
    if (ApplyPreferences()) {
        prefsChanged_ = false;
        return;
    }
    apply_.Enable(true);  // the change is still to be saved
}

bool CPrefsView::ApplyPreferences() {
    CKelvarinDoc& doc = *GetDoc();
    ApplyToDocument(doc, values_, standardsChanged_);
    standardsChanged_ = false;
    doc.SettingsSaved = 0;
    std::string error;
    if (!InstalledWriter()(doc, &error) || doc.SettingsSaved == 0) {
        doc.SettingsSaved = 0;
        Tell(kSaveFailedText);
        return false;
    }
    CNotifyBox notice(kSavingText, kSavingNoticeMs);
    RunModal(notice);
    doc.SettingsSaved = 0;
    return true;
}

// ---- leaving -------------------------------------------------------------------------------

bool CPrefsView::MayLeave() {
    if (!prefsChanged_)
        return true;
    const int answer = Ask(kLeavePrompt, CMsgBox::kTypeYesNo);
    if (answer == CMsgBox::kResultYes)
        return ApplyPreferences();
    if (answer != CMsgBox::kResultNo)
        return false;  // closed by a standby request: no answer
    // The preview is undone; the other working values go with the pages.
    HwControl().SetBrightness(GetDoc()->Brightness);
    HwControl().SetVolume(GetDoc()->Volume);
    return true;
}

void CPrefsView::OnPageCommand(int commandId) {
    if (commandId != menu_cmd::kPreferences && !MayLeave())
        return;
    // A board event that closed the saving notice switches the screen itself, once the
    // loops have unwound; the operator's page command is no longer the next step.
    if (!controls::ModalsMayOpen())
        return;
    CKelvarinFormView::OnPageCommand(commandId);
}
