#pragma once
// The base of every full-screen view: navigation between screens (the "Menu" page button,
// the page menu, SwitchToView), the main board's power events (standby, ready, wake,
// power-on), the start-up poll, the shared start of zeroing, and the bookkeeping of the
// dialogs and pop-up menus a screen has open, so that a standby request can close them.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/CHWControl.h"
#include "controls/CBttn.h"
#include "document/CKelvarinDoc.h"
#include "document/RemoteScreen.h"
#include "fw/View.h"
#include "screens/CDateTimeBar.h"

class CModalDialog;
class CPopupMenu;
class CZeroDlg;

class CKelvarinFormView : public fw::View, public IRemoteScreen {
  public:
    static constexpr int kIdPageButton = 1041;
    static constexpr int kIdDateTimeBar = CDateTimeBar::kId;
    // The page button's place: top-left, 28 x 44 dialog units.
    static constexpr fw::Rect kPageButtonRect{0, 0, 49, 77};

    CKelvarinFormView();
    ~CKelvarinFormView() override;

    CKelvarinDoc* GetDoc() const { return static_cast<CKelvarinDoc*>(GetDocument()); }

    // Starts the 500 ms board poll on this view (the first view at start-up).
    void StartBoardPoll();

    // The steps every screen's initial update begins with: no zeroing dialog, no pop-up
    // menu, no open dialogs. Derived views call it first.
    void OnInitialUpdate() override;
    bool OnMessage(const fw::Message& msg) override;
    // Hints every screen answers alike: the board's clock redraws the date/time strip.
    void OnUpdate(int hint) override;
    // The board poll tick; derived views pass the ids they do not handle to it.
    void OnTimer(int id) override;
    // The page button and the page commands 564..571; derived views pass on what they do
    // not handle.
    bool OnCommand(int commandId, fw::Window* from) override;

    // ---- navigation ------------------------------------------------------------------------
    // Replaces the active view by `next`. True when a view of the same class is already
    // active (then `next` is dropped and nothing changes) or the switch was made; false
    // when there is no view to switch to (a screen not available).
    bool SwitchToView(std::unique_ptr<CKelvarinFormView> next);
    // The same, telling the operator "Switch to view failed" when it fails.
    bool SwitchToViewOrTell(std::unique_ptr<CKelvarinFormView> next);

    // ---- zeroing ---------------------------------------------------------------------------
    // The shared start of zeroing: the progress box over the disabled screen, the
    // document's zero state and StartZero to the board. `channels`: 0, 1 or 2 (both).
    void BeginZeroing(uint8_t channels);
    CZeroDlg* ZeroDialog() const { return zeroDlg_.get(); }

    // ---- what the remote protocol asks of the screen ---------------------------------------
    RemoteScreenKind ScreenKind() const override { return RemoteScreenKind::Other; }
    bool ZeroDialogOpen() const override { return zeroDialogOpen_ != 0; }
    void StartZeroingFromRemote(uint8_t channels) override { BeginZeroing(channels); }
    bool CancelZeroingFromRemote() override;
    bool SwitchChannelView(int target) override {
        (void)target;
        return false;
    }

    // ---- open dialogs and menus ------------------------------------------------------------
    // Remote lines and board messages are handled inside the nested loop of whatever keypad,
    // message box, dialog or pop-up menu is open, so nothing may act behind it:
    // - Open dialogs with RunModal and menus with TrackPopup (keypads and boxes that open
    //   themselves register too). While any is open, IsModalOpen() is true and the screen
    //   is not Idle for the remote protocol: Idle commands and view switches answer "!".
    // - RunModal and TrackPopup drop an answer (kIdStandby, no command) when a collection, a
    //   trigger or a zeroing started while the dialog was open, or this screen is no longer
    //   shown; a handler acts on kIdOk / its command only, so it never applies a stale answer.
    // - A view switch the board causes goes through EndModalsThen: the dialogs close through
    //   their cancel path with kIdStandby, their loops return, and only then the step runs.
    bool IsModalOpen() const override;
    // Ends every open dialog and menu with kIdStandby and the zeroing box through its Cancel,
    // then runs `step` on the view the frame shows once no modal loop is on the stack; at
    // once when none is open. No dialog opens meanwhile.
    void EndModalsThen(std::function<void(CKelvarinFormView&)> step);
    // Runs `dialog` modally, registered as open on this view while it runs; its result
    // (kIdStandby when a standby request closed it or its answer came too late).
    int RunModal(CModalDialog& dialog);
    // RunModal as a callable, for the pages and prompts that open dialogs for this view.
    std::function<int(CModalDialog&)> ModalRunner() {
        return [this](CModalDialog& dialog) { return RunModal(dialog); };
    }
    // Opens `menu` below `button`, kept as the view's ActivePopup while it is tracked; the
    // chosen command (then sent to this view), 0 when none or when the choice came too late.
    int TrackPopup(CPopupMenu& menu, const fw::Rect& button);
    CPopupMenu* ActivePopup() const { return activePopup_; }
    const std::vector<CModalDialog*>& ModalDialogs() const { return modalDialogs_; }

    // ---- touch-screen calibration ----------------------------------------------------------
    static constexpr const char* kTouchFailedText =
        "The touch screen could not be calibrated:\r\nthe touches did not match the "
        "crosses.\r\nThe previous calibration is kept.";
    static constexpr const char* kTouchNotSavedText =
        "The touch screen is calibrated, but the settings\r\nfile could not be written: the "
        "calibration\r\nis lost at the next start.";
    // The five-point calibration. A fitted map is put in force, kept in the document and
    // written with the settings at once; true then. A failed fit and a failed write are told;
    // a closed or timed-out calibration keeps the stored map.
    bool CalibrateTouchScreen();

    // ---- board events during a software update ---------------------------------------------
    // While the document's UpdateRunning is set, ready, wake and power-on (which would close
    // the update's boxes and replace this screen) are held; this posts them again, in the
    // order they came, once the copies are over.
    void DeliverHeldBoardEvents();

    CHWControl& HwControl() { return hwControl_; }
    CDateTimeBar& DateTimeBar() { return dateTimeBar_; }

  protected:
    // Puts the "Menu" page button at the top-left with `caption` (" CH\r\n  1", "LIB", ...).
    void CreatePageButton(const std::string& caption);
    // The same with the caption in bold at `fontHeight`, as the working screens show it.
    void CreatePageButton(const std::string& caption, int fontHeight);
    CBttn& PageButton() { return pageButton_; }
    // Puts the date/time strip along the bottom, in the document's formats.
    void CreateDateTimeBar();
    // Opens the page menu below the page button.
    virtual void OpenPageMenu();
    // The page commands as every screen but the one-channel screen takes them.
    virtual void OnPageCommand(int commandId);
    // Page command 567: a scintillator baseline is chosen, then the scintillator screen.
    virtual void OnScintillatorCommand();
    // Which list the standby save offer writes: the scintillator screens keep theirs.
    virtual bool StandbySavesScintillatorList() const { return false; }

  private:
    // No collection, armed trigger or zeroing: what a dialog's answer was given for.
    bool NothingRunning() const;
    // The answer of a dialog opened when `wasQuiet` may still be acted on.
    bool AnswerStillApplies(bool wasQuiet) const;

    // Keeps a board event for DeliverHeldBoardEvents while an update copies; true then.
    bool HoldWhileUpdating(uint32_t message);
    void OnBoardReady();
    void OnBoardStandby();
    // Standby is refused while a collection, an update's copies or a correction runs, while
    // zeroing, and while this view is still asking about an earlier request.
    bool StandbyRefused(const CKelvarinDoc& doc) const;
    void OnBoardWake();
    void OnBoardPowerOn();
    // The splash after a wake or power-on, acknowledged to the board.
    void ReturnThroughWarmUp();
    // Steps of a standby request once the dialogs are closed; false when it is refused.
    void GoToStandby();
    bool OfferToSaveForStandby();
    void ForgetUnsavedData();
    void OnZeroDialogClosed();

    bool standbyInProgress_ = false;  // this view is asking about a standby request
    int zeroDialogOpen_ = 0;
    CPopupMenu* activePopup_ = nullptr;
    std::vector<CModalDialog*> modalDialogs_;
    std::vector<uint32_t> heldBoardEvents_;  // see DeliverHeldBoardEvents
    std::shared_ptr<CZeroDlg> zeroDlg_;
    CHWControl hwControl_;
    CBttn pageButton_;
    CDateTimeBar dateTimeBar_;
};
