#pragma once
// The numeric keypad: telephone-order digits, "+/-", ".", backspace and "C", optional
// quick values 150/300/450 and an optional single/repeating choice. The first key
// replaces the preset entry instead of extending it. Which values are valid is the
// caller's decision (see AskForNumber for a keypad with limits).
#include <array>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CNumKeypadDlg : public CModalDialog {
  public:
    static constexpr int kIdDigit0 = 1118;  // .. 1127 for "9"
    static constexpr int kIdSign = 1129;
    static constexpr int kIdBackspace = 1131;
    static constexpr int kIdPoint = 1132;
    static constexpr int kIdClear = 1135;
    static constexpr int kIdQuick150 = 1144;
    static constexpr int kIdQuick300 = 1143;
    static constexpr int kIdQuick450 = 1139;
    static constexpr int kIdSingle = 1472;
    static constexpr int kIdRepeating = 1473;
    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;
    static constexpr int kIdTitle = 1093;
    static constexpr int kIdDisplay = 1191;
    static constexpr int kAnyLength = -1;
    static constexpr int kAnyDecimals = -1;

    CNumKeypadDlg();

    void SetTitleText(std::string title) { title_ = std::move(title); }
    void SetEntryText(std::string entry);
    const std::string& EntryText() const { return entry_; }
    void SetUnitText(std::string unit);
    // kAnyLength (-1) for no limit.
    void SetMaxLength(int maxLength) { maxLength_ = maxLength < 0 ? kAnyLength : maxLength; }
    // kAnyDecimals (-1): any; 0: no decimal point; n: at most n digits after the point.
    void SetDecimals(int decimals) { decimals_ = decimals < 0 ? kAnyDecimals : decimals; }
    void SetSignKey(bool enabled) { signKey_ = enabled; }
    void SetQuickValues(bool shown) { quickValues_ = shown; }
    void SetShowRepeatChoice(bool shown) { showRepeatChoice_ = shown; }
    // 0 "Single", 1 "Repeating": the preset and, after OK, the answer.
    void SetRepeatChoice(int choice) { repeatChoice_ = choice == 1 ? 1 : 0; }
    int RepeatChoice() const { return repeatChoice_; }
    bool FirstKeyDone() const { return firstKeyDone_; }

    // A character from an attached keyboard ('\b' is backspace); it passes the key filter.
    void OnChar(char c);

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateKeys();
    void FilterKey(char key);
    void ApplyKey(char key);
    bool BelowMaxLength() const;
    bool DigitAllowed() const;
    void SetQuickValue(const char* value);
    void MarkRepeatChoice();
    void ShowEntry();

    std::string title_;
    std::string entry_;
    std::string unit_;
    int maxLength_ = kAnyLength;
    int decimals_ = kAnyDecimals;
    bool signKey_ = true;
    bool quickValues_ = false;
    bool showRepeatChoice_ = false;
    int repeatChoice_ = 0;
    bool firstKeyDone_ = false;

    CLabel titleLabel_;
    CLabel display_;
    std::array<CBttn, 10> digits_;
    CBttn sign_, point_, backspace_, clear_, quick150_, quick300_, quick450_;
    CBttn single_, repeating_, ok_, cancel_;
};
