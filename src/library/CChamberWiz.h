#pragma once
// The chamber wizard: one chamber calibration record collected page by page (model and
// serial number, calibration report, calibration, summary). The caller fills the record,
// chooses the first page and reads the record back after Finish (the dialog's OK).
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "controls/CModalDialog.h"
#include "library/LibraryModal.h"
#include "store/ChamberCal.h"

class CChamberWizPage;
class CKelvarinDoc;
class CPopupMenu;

class CChamberWiz : public CModalDialog {
  public:
    static constexpr int kPageModelSerial = 0;
    static constexpr int kPageReport = 1;
    static constexpr int kPageCalibration = 2;
    static constexpr int kPageSummary = 3;
    static constexpr int kPageCount = 4;
    // 300 x 250 dialog units, centred on the panel.
    static constexpr fw::Rect kRect{57, 21, 583, 459};

    // Opens a pop-up menu below a field and returns the chosen command (0 for none).
    using PopupRunner = std::function<int(CPopupMenu&, const fw::Rect&)>;

    CChamberWiz(CKelvarinDoc& doc, library::ModalRunner run, PopupRunner popup);
    ~CChamberWiz() override;

    // The record the pages edit in place.
    CHAMBER_CAL& Record() { return record_; }
    void SetRecord(const CHAMBER_CAL& record) { record_ = record; }
    // The page shown first: 0 to start with the model, 1 to keep model and serial number.
    void SetStartPage(int page);
    int CurrentPage() const { return current_; }
    CChamberWizPage* Page(int page) const;

    // ---- what the pages ask of the wizard ------------------------------------------------
    void NextPage();
    void PreviousPage();
    void FinishWithOk() { Finish(fw::kIdOk); }
    void CancelWizard() { Finish(fw::kIdCancel); }
    // Whether the wizard still takes answers (not ended, not closed by a standby request).
    bool TakesInput() const { return IsOpen() && !IsClosing(); }
    // A keypad, date picker or message box over the wizard; its result.
    int RunModal(CModalDialog& dialog) { return run_(dialog); }
    int TrackPopup(CPopupMenu& menu, const fw::Rect& field) { return popup_(menu, field); }
    // A date in the document's date format.
    std::string DateText(const DATE_YMD& date) const;
    CKelvarinDoc& Doc() { return doc_; }

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void ShowPage(int page);

    CKelvarinDoc& doc_;
    library::ModalRunner run_;
    PopupRunner popup_;
    CHAMBER_CAL record_;
    int current_ = kPageModelSerial;
    std::map<int, std::unique_ptr<CChamberWizPage>> pages_;
};
