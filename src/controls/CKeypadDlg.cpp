#include "controls/CKeypadDlg.h"

#include "controls/ControlColors.h"

namespace {

// Keys on a grid of 52-pixel units; each row is centred on the panel.
constexpr int kUnit = 52;
constexpr int kGap = 4;
constexpr int kKeyHeight = 62;
constexpr int kRowPitch = 70;
constexpr int kFirstRowTop = 110;
constexpr int kKeyFontHeight = 24;
constexpr double kRowUnits[5] = {12, 12, 11, 11, 12};

constexpr const char* kLetterRows[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};

bool IsAccepted(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == '#' || c == '%' || c == ',' || c == ' ';
}

}  // namespace

CKeypadDlg::CKeypadDlg() {
    Create(nullptr, fw::kScreenRect);
    titleLabel_.Create(this, fw::Rect{10, 8, 630, 44}, kIdTitle);
    titleLabel_.SetBkColor(controls::kDialogBackground);
    titleLabel_.SetTextColor(fw::colors::kWhite);
    titleLabel_.SetFontHeight(24);
    display_.Create(this, fw::Rect{10, 52, 630, 100}, kIdDisplay);
    display_.SetBorder(true);
    display_.SetFontHeight(24);
    display_.SetAlignment(CLabel::kLeft);
    CreateKeys();
}

void CKeypadDlg::AddKey(CBttn& key, int row, double unit, double width, int id,
                        std::string caption) {
    const int rowLeft = (fw::kScreenWidth - static_cast<int>(kRowUnits[row] * kUnit) + kGap) / 2;
    const int left = rowLeft + static_cast<int>(unit * kUnit);
    const int top = kFirstRowTop + row * kRowPitch;
    const int right = left + static_cast<int>(width * kUnit) - kGap;
    key.Create(this, fw::Rect{left, top, right, top + kKeyHeight}, id, std::move(caption));
    key.SetFontHeight(kKeyFontHeight);
}

void CKeypadDlg::CreateKeys() {
    const char* digitOrder = "1234567890";
    for (int i = 0; i < 10; ++i) {
        const int digit = digitOrder[i] - '0';
        AddKey(digits_[digit], 0, i, 1, kIdDigit0 + digit, std::string(1, digitOrder[i]));
    }
    AddKey(backspace_, 0, 10, 2, kIdBackspace, "");
    backspace_.SetBitmaps(controls::kBmpBackspace);
    backspace_.SetBitmapPosition(CBttn::BitmapPosition::Centre);
    for (int row = 0; row < 3; ++row) {
        const std::string keys = kLetterRows[row];
        const double start = row == 2 ? 2 : 0;  // Shift comes first on the third letter row
        for (size_t i = 0; i < keys.size(); ++i) {
            const int letter = keys[i] - 'a';
            AddKey(letters_[letter], row + 1, start + i, 1, kIdLetterA + letter, "");
        }
    }
    AddKey(hash_, 1, 10, 1, kIdHash, "#");
    AddKey(percent_, 1, 11, 1, kIdPercent, "%");
    AddKey(enter_, 2, 9, 2, kIdEnter, "Enter");
    enter_.SetBkColor(controls::kActionButton);
    enter_.SetTextColor(fw::colors::kWhite);
    AddKey(shift_, 3, 0, 2, kIdShift, "Shift");
    AddKey(comma_, 3, 9, 1, kIdComma, ",");
    AddKey(point_, 3, 10, 1, kIdPoint, ".");
    AddKey(clear_, 4, 0, 2, kIdClear, "Clear");
    AddKey(space_, 4, 2, 7, kIdSpace, "Space");
    AddKey(cancel_, 4, 9, 3, kIdCancel, "Cancel");
    LabelLetterKeys();
}

void CKeypadDlg::SetEntryText(std::string entry) {
    entry_ = std::move(entry);
    ShowEntry();
}

void CKeypadDlg::OnInitDialog() {
    shiftOn_ = false;
    LabelLetterKeys();
    titleLabel_.SetText(title_);
    ShowEntry();
}

void CKeypadDlg::ShowEntry() {
    display_.SetTextShowingEnd(entry_ + "_");
}

void CKeypadDlg::LabelLetterKeys() {
    for (int i = 0; i < 26; ++i)
        letters_[i].SetCaption(std::string(1, static_cast<char>((shiftOn_ ? 'A' : 'a') + i)));
}

void CKeypadDlg::Backspace() {
    if (entry_.empty())
        return;
    entry_.pop_back();
    ShowEntry();
}

void CKeypadDlg::Append(char c) {
    if (!IsAccepted(c) || static_cast<int>(entry_.size()) >= maxLength_)
        return;
    entry_.push_back(c);
    ShowEntry();
}

void CKeypadDlg::ToggleShift() {
    shiftOn_ = !shiftOn_;
    LabelLetterKeys();
}

void CKeypadDlg::OnChar(char c) {
    if (!IsOpen() || IsClosing())
        return;
    if (c == '\b')
        Backspace();
    else
        Append(c);
}

bool CKeypadDlg::OnDialogCommand(int id, fw::Window*) {
    if (id >= kIdDigit0 && id <= kIdDigit0 + 9) {
        Append(static_cast<char>(id - 1070));
    } else if (id >= kIdLetterA && id < kIdLetterA + 26) {
        Append(static_cast<char>(shiftOn_ ? id - 1084 : id - 1052));
    } else if (id == kIdBackspace) {
        Backspace();
    } else if (id == kIdShift) {
        ToggleShift();
    } else if (id == kIdClear) {
        entry_.clear();
        ShowEntry();
    } else if (id == kIdSpace) {
        Append(' ');
    } else if (id == kIdHash || id == kIdPercent || id == kIdComma || id == kIdPoint) {
        Append(id == kIdHash ? '#' : id == kIdPercent ? '%' : id == kIdComma ? ',' : '.');
    } else if (id == kIdEnter) {
        Finish(fw::kIdOk);
    } else if (id == kIdCancel) {
        Finish(fw::kIdCancel);
    } else {
        return false;
    }
    return true;
}
