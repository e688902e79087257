#include "screens/CKelvarinFormView.h"

#include <algorithm>

#include "controls/CModalDialog.h"
#include "controls/CMsgBox.h"
#include "controls/CPopupMenu.h"
#include "controls/MenuCommands.h"
#include "controls/ModalRegistry.h"
#include "controls/PopupMenus.h"
#include "document/Hints.h"
#include "fw/EventLoop.h"
#include "link/WindowMessages.h"
#include "screens/CZeroDlg.h"
#include "screens/ViewFactory.h"

namespace {

constexpr const char* kSwitchFailedText = "Switch to view failed";
constexpr const char* kNotAvailableText = "This screen is not available yet.";

}  // namespace

CKelvarinFormView::CKelvarinFormView() = default;

CKelvarinFormView::~CKelvarinFormView() {
    // A zeroing box outlives no screen: it would report to a view that is gone.
    if (zeroDlg_) {
        zeroDlg_->Show(false);
        fw::Loop().DeleteLater(zeroDlg_);
    }
}

void CKelvarinFormView::StartBoardPoll() {
    SetTimer(IDT_BOARD_POLL, kBoardPollPeriodMs);
}

void CKelvarinFormView::OnInitialUpdate() {
    hwControl_.SetDoc(GetDoc());
    zeroDialogOpen_ = 0;
    activePopup_ = nullptr;
    modalDialogs_.clear();
}

bool CKelvarinFormView::OnMessage(const fw::Message& msg) {
    if (HoldWhileUpdating(msg.id))
        return true;
    switch (msg.id) {
        case WM_BOARD_READY:
            OnBoardReady();
            return true;
        case WM_BOARD_STANDBY:
            OnBoardStandby();
            return true;
        case WM_BOARD_WAKE:
            OnBoardWake();
            return true;
        case WM_BOARD_POWER_ON:
            OnBoardPowerOn();
            return true;
        default:
            return false;
    }
}

void CKelvarinFormView::OnUpdate(int hint) {
    if (hint == kHintBoardClock)
        dateTimeBar_.Refresh(true);
}

void CKelvarinFormView::OnTimer(int id) {
    if (id == IDT_BOARD_POLL && GetDoc() != nullptr)
        GetDoc()->SendPoll();
}

bool CKelvarinFormView::OnCommand(int commandId, fw::Window* from) {
    if (commandId == kIdPageButton) {
        OpenPageMenu();
        return true;
    }
    if (commandId >= menu_cmd::kChannel1 && commandId <= menu_cmd::kPreferences) {
        OnPageCommand(commandId);
        return true;
    }
    return fw::View::OnCommand(commandId, from);
}

// ---- navigation ----------------------------------------------------------------------------

bool CKelvarinFormView::SwitchToView(std::unique_ptr<CKelvarinFormView> next) {
    if (!next)
        return false;
    fw::Frame* frame = GetFrame();
    if (frame == nullptr)
        return false;
    fw::View* active = frame->ActiveView();
    if (active != nullptr && typeid(*active) == typeid(*next))
        return true;
    frame->SwitchToView(std::move(next));
    return true;
}

bool CKelvarinFormView::SwitchToViewOrTell(std::unique_ptr<CKelvarinFormView> next) {
    const bool available = next != nullptr;
    if (SwitchToView(std::move(next)))
        return true;
    CMsgBox::Show(available ? kSwitchFailedText : kNotAvailableText);
    return false;
}

void CKelvarinFormView::CreatePageButton(const std::string& caption) {
    pageButton_.Create(this, kPageButtonRect, kIdPageButton, caption);
}

void CKelvarinFormView::CreatePageButton(const std::string& caption, int fontHeight) {
    CreatePageButton(caption);
    pageButton_.SetFontHeight(fontHeight);
    pageButton_.SetBold(true);
}

void CKelvarinFormView::CreateDateTimeBar() {
    dateTimeBar_.Create(this, CDateTimeBar::DefaultRect(), kIdDateTimeBar);
    if (CKelvarinDoc* doc = GetDoc())
        dateTimeBar_.SetFormats(doc->TimeFormat, doc->DateFormat);
    dateTimeBar_.Refresh(true);
}

void CKelvarinFormView::OpenPageMenu() {
    CPageMenu menu;
    TrackPopup(menu, pageButton_.GetRect());
}

void CKelvarinFormView::OnPageCommand(int commandId) {
    CKelvarinDoc* doc = GetDoc();
    if (doc == nullptr)
        return;
    switch (commandId) {
        case menu_cmd::kChannel1:
        case menu_cmd::kChannel2:
            doc->OneChannelShown = static_cast<uint8_t>(commandId - menu_cmd::kChannel1);
            SwitchToViewOrTell(MakeOneChannelView());
            return;
        case menu_cmd::kChannels1And2:
            SwitchToViewOrTell(MakeTwoChannelView());
            return;
        case menu_cmd::kScintSetup:
            OnScintillatorCommand();
            return;
        case menu_cmd::kCheckSource:
            SwitchToViewOrTell(MakeCheckSourceView());
            return;
        case menu_cmd::kChamberLibrary:
            SwitchToViewOrTell(MakeChamberLibraryView());
            return;
        case menu_cmd::kScintLibrary:
            SwitchToViewOrTell(MakeScintLibraryView());
            return;
        case menu_cmd::kPreferences:
            SwitchToViewOrTell(MakePreferencesView());
            return;
        default:
            return;
    }
}

void CKelvarinFormView::OnScintillatorCommand() {
    if (PageAction choose = ScintillatorCommand()) {
        choose(*this);
        return;
    }
    SwitchToViewOrTell(MakeScintView());
}

// ---- open dialogs and menus ----------------------------------------------------------------

bool CKelvarinFormView::IsModalOpen() const {
    return controls::AnyModalOpen() || activePopup_ != nullptr || !modalDialogs_.empty();
}

void CKelvarinFormView::EndModalsThen(std::function<void(CKelvarinFormView&)> step) {
    fw::Frame* frame = GetFrame();
    if (frame == nullptr)
        return;
    controls::DismissOpenModalsForStandby();  // the pop-up menus are registered there too
    if (zeroDlg_ && zeroDlg_->IsShown())
        zeroDlg_->Cancel();
    // By handle: the frame may be gone by the time the loops have unwound.
    fw::Loop().PostAfterModalLoops([frameHandle = frame->Handle(), step = std::move(step)] {
        auto* owner = dynamic_cast<fw::Frame*>(fw::Window::FromHandle(frameHandle));
        auto* view = owner ? dynamic_cast<CKelvarinFormView*>(owner->ActiveView()) : nullptr;
        if (view != nullptr)
            step(*view);
    });
}

bool CKelvarinFormView::NothingRunning() const {
    const CKelvarinDoc* doc = GetDoc();
    return zeroDialogOpen_ == 0 &&
           (doc == nullptr || (doc->Collecting == 0 && doc->TriggerArmed == 0));
}

bool CKelvarinFormView::AnswerStillApplies(bool wasQuiet) const {
    const fw::Frame* frame = GetFrame();
    const bool shown = frame != nullptr && frame->ActiveView() == this;
    return shown && (!wasQuiet || NothingRunning());
}

int CKelvarinFormView::RunModal(CModalDialog& dialog) {
    const bool wasQuiet = NothingRunning();
    modalDialogs_.push_back(&dialog);
    const int result = dialog.DoModal();
    if (!modalDialogs_.empty())
        modalDialogs_.pop_back();
    return AnswerStillApplies(wasQuiet) ? result : kIdStandby;
}

int CKelvarinFormView::TrackPopup(CPopupMenu& menu, const fw::Rect& button) {
    const bool wasQuiet = NothingRunning();
    CPopupMenu* previous = activePopup_;
    activePopup_ = &menu;
    const int command = menu.TrackChoice(button);
    activePopup_ = previous;
    if (command == 0 || !AnswerStillApplies(wasQuiet))
        return 0;
    CPopupMenu::SendCommand(this, command);
    return command;
}

// ---- zeroing -------------------------------------------------------------------------------

void CKelvarinFormView::BeginZeroing(uint8_t channels) {
    CKelvarinDoc* doc = GetDoc();
    if (doc == nullptr || zeroDlg_ != nullptr)
        return;
    if (channels > 2)
        channels = 2;
    zeroDlg_ = std::make_shared<CZeroDlg>(*doc, channels, [this] { OnZeroDialogClosed(); });
    zeroDialogOpen_ = 1;
    Enable(false);
    doc->BeginZeroing(channels);
    zeroDlg_->ShowBox();
}

bool CKelvarinFormView::CancelZeroingFromRemote() {
    if (!zeroDlg_ || !zeroDlg_->IsShown())
        return false;
    zeroDlg_->Cancel();
    return true;
}

void CKelvarinFormView::OnZeroDialogClosed() {
    // The box may be inside its own timer or button handler: it goes at the next turn.
    fw::Loop().DeleteLater(std::move(zeroDlg_));
    zeroDlg_.reset();
    zeroDialogOpen_ = 0;
    Enable(true);
    Invalidate();
}
