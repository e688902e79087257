#pragma once
// Creating or editing one check source: name, half-life, serial number, activity, unit and
// reference date, each entered on its keypad, menu or date picker. OK is offered only once
// the record is complete; Cancel leaves the caller's record as it was.
#include <array>
#include <functional>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"
#include "store/SourceInfo.h"

class CKelvarinDoc;

class CAddSourceDlg : public CModalDialog {
  public:
    using ModalRunner = std::function<int(CModalDialog&)>;

    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;
    static constexpr int kIdTitle = 1093;
    // The value fields, top to bottom; a touch opens the field's entry.
    static constexpr int kIdName = 1300;
    static constexpr int kIdHalfLife = 1301;
    static constexpr int kIdSerial = 1302;
    static constexpr int kIdActivity = 1303;
    static constexpr int kIdUnits = 1304;
    static constexpr int kIdDate = 1305;
    static constexpr int kFieldCount = 6;
    // A number entry longer than this is not taken (ten digits hold any real activity).
    static constexpr int kMaxNumberLength = 12;
    static constexpr fw::Rect kDialogRect{152, 80, 488, 400};

    // `run` runs the keypads, boxes and the date picker registered with the page.
    CAddSourceDlg(const CKelvarinDoc& doc, ModalRunner run);

    void SetRecord(const SOURCE_INFO& record) { record_ = record; }
    const SOURCE_INFO& Record() const { return record_; }
    void SetEditMode(bool editing) { editing_ = editing; }
    bool EditMode() const { return editing_; }

    // Everything a source needs to be projected: name, serial number, a half-life above 0,
    // an activity, a reference date and a unit of the table.
    static bool IsComplete(const SOURCE_INFO& record);
    bool OkEnabled() const { return ok_.IsEnabled(); }
    std::string FieldText(int fieldId) const;

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateControls();
    void ShowRecord();
    void UpdateOk();
    CBttn& Field(int fieldId) { return fields_[static_cast<size_t>(fieldId - kIdName)]; }
    const CBttn& Field(int fieldId) const {
        return fields_[static_cast<size_t>(fieldId - kIdName)];
    }

    void EnterText(int fieldId, const char* title, std::string& target);
    void EnterNumber(int fieldId, const char* title, std::string& target, bool mustBePositive);
    void ChooseUnit();
    void ChooseDate();

    const CKelvarinDoc& doc_;
    ModalRunner run_;
    SOURCE_INFO record_;
    bool editing_ = false;
    CLabel title_;
    std::array<CLabel, kFieldCount> captions_;
    std::array<CBttn, kFieldCount> fields_;
    CBttn ok_, cancel_;
};
