#pragma once
// The alphanumeric keypad: digits, letters (Shift for capitals), a few signs, space,
// backspace and Clear; "Enter" answers OK with the entry, "Cancel" answers nothing.
// Characters typed on an attached keyboard go through the same filter as the keys.
#include <array>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CKeypadDlg : public CModalDialog {
  public:
    static constexpr int kDefaultMaxLength = 80;
    // Control ids of the keys.
    static constexpr int kIdDigit0 = 1118;   // .. 1127 for "9"
    static constexpr int kIdLetterA = 1149;  // .. 1174 for "z"
    static constexpr int kIdBackspace = 1128;
    static constexpr int kIdEnter = 1130;
    static constexpr int kIdShift = 1133;
    static constexpr int kIdClear = 1135;
    static constexpr int kIdSpace = 1137;
    static constexpr int kIdCancel = 1140;
    static constexpr int kIdHash = 1141;
    static constexpr int kIdPercent = 1145;
    static constexpr int kIdComma = 1147;
    static constexpr int kIdPoint = 1148;
    static constexpr int kIdTitle = 1093;
    static constexpr int kIdDisplay = 1175;

    CKeypadDlg();

    void SetTitleText(std::string title) { title_ = std::move(title); }
    // The preset; the first key adds to it.
    void SetEntryText(std::string entry);
    const std::string& EntryText() const { return entry_; }
    // The entry never grows beyond this; values below 0 are taken as 0.
    void SetMaxLength(int maxLength) { maxLength_ = maxLength < 0 ? 0 : maxLength; }
    int MaxLength() const { return maxLength_; }
    bool ShiftOn() const { return shiftOn_; }

    // A character from an attached keyboard ('\b' is backspace); others are ignored.
    void OnChar(char c);

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateKeys();
    void AddKey(CBttn& key, int row, double unit, double width, int id, std::string caption);
    void Backspace();
    void Append(char c);
    void ToggleShift();
    void LabelLetterKeys();
    void ShowEntry();

    std::string title_;
    std::string entry_;
    int maxLength_ = kDefaultMaxLength;
    bool shiftOn_ = false;

    CLabel titleLabel_;
    CLabel display_;
    std::array<CBttn, 10> digits_;
    std::array<CBttn, 26> letters_;
    CBttn backspace_, hash_, percent_, enter_, shift_, comma_, point_, clear_, space_, cancel_;
};
