#include "controls/CNumKeypadDlg.h"

#include <algorithm>

#include "controls/ControlColors.h"
#include "fw/Resources.h"

namespace {

constexpr int kKeyWidth = 100;
constexpr int kKeyHeight = 80;
constexpr int kPitchX = 108;
constexpr int kPitchY = 90;
constexpr int kGridLeft = 16;
constexpr int kGridTop = 116;
constexpr int kSideLeft = 448;
constexpr int kSideRight = 624;
constexpr int kKeyFontHeight = 28;
constexpr int kDisplayFontHeight = 24;

fw::Rect GridKey(int column, int row) {
    const int x = kGridLeft + column * kPitchX;
    const int y = kGridTop + row * kPitchY;
    return fw::Rect{x, y, x + kKeyWidth, y + kKeyHeight};
}

fw::Rect SideKey(int row) {
    const int y = kGridTop + row * kPitchY;
    return fw::Rect{kSideLeft, y, kSideRight, y + kKeyHeight};
}

}  // namespace

CNumKeypadDlg::CNumKeypadDlg() {
    Create(nullptr, fw::kScreenRect);
    titleLabel_.Create(this, fw::Rect{16, 8, 624, 44}, kIdTitle);
    titleLabel_.SetBkColor(controls::kDialogBackground);
    titleLabel_.SetTextColor(fw::colors::kWhite);
    titleLabel_.SetFontHeight(24);
    display_.Create(this, fw::Rect{16, 52, 424, 104}, kIdDisplay);
    display_.SetBorder(true);
    display_.SetFontHeight(kDisplayFontHeight);
    display_.SetAlignment(CLabel::kRight);
    CreateKeys();
}

void CNumKeypadDlg::CreateKeys() {
    // Telephone order: 7 8 9 on top, 0 +/- . at the bottom.
    for (int digit = 1; digit <= 9; ++digit) {
        const int column = (digit - 1) % 3;
        const int row = 2 - (digit - 1) / 3;
        digits_[digit].Create(this, GridKey(column, row), kIdDigit0 + digit, std::to_string(digit));
    }
    digits_[0].Create(this, GridKey(0, 3), kIdDigit0, "0");
    sign_.Create(this, GridKey(1, 3), kIdSign, "+/-");
    point_.Create(this, GridKey(2, 3), kIdPoint, ".");
    quick150_.Create(this, GridKey(3, 0), kIdQuick150, "150");
    quick300_.Create(this, GridKey(3, 1), kIdQuick300, "300");
    quick450_.Create(this, GridKey(3, 2), kIdQuick450, "450");
    clear_.Create(this, GridKey(3, 3), kIdClear, "C");
    for (CBttn* key : {&digits_[0], &digits_[1], &digits_[2], &digits_[3], &digits_[4], &digits_[5],
                       &digits_[6], &digits_[7], &digits_[8], &digits_[9], &sign_, &point_,
                       &quick150_, &quick300_, &quick450_, &clear_}) {
        key->SetFontHeight(kKeyFontHeight);
    }
    backspace_.Create(this, fw::Rect{432, 52, 528, 104}, kIdBackspace);
    backspace_.SetBitmaps(controls::kBmpBackspace);
    backspace_.SetBitmapPosition(CBttn::BitmapPosition::Centre);

    for (CBttn* choice : {&single_, &repeating_}) {
        const bool isSingle = choice == &single_;
        choice->Create(this, SideKey(isSingle ? 0 : 1), isSingle ? kIdSingle : kIdRepeating,
                       isSingle ? fw::LoadString(547, "Single") : fw::LoadString(548, "Repeating"));
        choice->SetCheckBoxMode(true);
        choice->SetBitmaps(controls::kBmpChoiceMarked, controls::kBmpChoiceUnmarked);
        choice->SetTransparent(true, fw::colors::kTransparentKey);
        choice->SetBkColor(controls::kDialogBackground);
        choice->SetTextColor(fw::colors::kWhite);
        choice->SetFontHeight(16);
    }
    ok_.Create(this, SideKey(2), kIdOk);
    ok_.SetBkColor(controls::kActionButton);
    ok_.SetTextColor(fw::colors::kWhite);
    ok_.SetFontHeight(24);
    cancel_.Create(this, SideKey(3), kIdCancel);
    cancel_.SetFontHeight(24);
}

void CNumKeypadDlg::SetEntryText(std::string entry) {
    entry_ = std::move(entry);
    ShowEntry();
}

void CNumKeypadDlg::SetUnitText(std::string unit) {
    unit_ = std::move(unit);
    ShowEntry();
}

void CNumKeypadDlg::OnInitDialog() {
    firstKeyDone_ = false;
    titleLabel_.SetText(title_);
    for (CBttn* quick : {&quick150_, &quick300_, &quick450_})
        quick->Show(quickValues_);
    point_.Enable(decimals_ != 0);
    sign_.Enable(signKey_);
    single_.Show(showRepeatChoice_);
    repeating_.Show(showRepeatChoice_);
    MarkRepeatChoice();
    ok_.SetCaption(fw::LoadString(136, "OK"));
    cancel_.SetCaption(fw::LoadString(137, "Cancel"));
    ShowEntry();
}

void CNumKeypadDlg::ShowEntry() {
    display_.SetTextShowingEnd(entry_ + " " + unit_);
}

bool CNumKeypadDlg::BelowMaxLength() const {
    return maxLength_ == kAnyLength || static_cast<int>(entry_.size()) < maxLength_;
}

bool CNumKeypadDlg::DigitAllowed() const {
    const size_t point = entry_.find('.');
    if (decimals_ == kAnyDecimals || point == std::string::npos)
        return true;
    return static_cast<int>(entry_.size() - point - 1) < decimals_;
}

// Every key and typed character passes here: the first one replaces the preset.
void CNumKeypadDlg::FilterKey(char key) {
    if (!firstKeyDone_) {
        entry_.clear();
        firstKeyDone_ = true;
    }
    ApplyKey(key);
    ShowEntry();
}

void CNumKeypadDlg::ApplyKey(char key) {
    if (key == '\b') {
        if (!entry_.empty())
            entry_.pop_back();
        return;
    }
    if (!BelowMaxLength())
        return;
    if (key >= '0' && key <= '9') {
        if (DigitAllowed())
            entry_.push_back(key);
    } else if (key == '.') {
        if (decimals_ != 0 && entry_.find('.') == std::string::npos)
            entry_.push_back('.');
    } else if (key == '-') {
        if (signKey_ && entry_.find('-') == std::string::npos)
            entry_.insert(entry_.begin(), '-');
    } else if (key == '+') {
        if (signKey_)
            entry_.erase(std::remove(entry_.begin(), entry_.end(), '-'), entry_.end());
    }
}

void CNumKeypadDlg::OnChar(char c) {
    if (!IsOpen() || IsClosing())
        return;
    FilterKey(c);
}

void CNumKeypadDlg::SetQuickValue(const char* value) {
    entry_ = value;
    firstKeyDone_ = true;
    ShowEntry();
}

void CNumKeypadDlg::MarkRepeatChoice() {
    single_.SetMarked(repeatChoice_ == 0);
    repeating_.SetMarked(repeatChoice_ == 1);
}

bool CNumKeypadDlg::OnDialogCommand(int id, fw::Window*) {
    if (id >= kIdDigit0 && id <= kIdDigit0 + 9) {
        FilterKey(static_cast<char>(id - 1070));
    } else if (id == kIdPoint) {
        FilterKey('.');
    } else if (id == kIdSign) {
        // The key toggles: "-" puts a sign in front, "+" takes it away.
        FilterKey(entry_.find('-') == std::string::npos ? '-' : '+');
    } else if (id == kIdBackspace) {
        FilterKey('\b');
    } else if (id == kIdClear) {
        entry_.clear();
        ShowEntry();
    } else if (id == kIdQuick150 || id == kIdQuick300 || id == kIdQuick450) {
        SetQuickValue(id == kIdQuick150 ? "150" : id == kIdQuick300 ? "300" : "450");
    } else if (id == kIdSingle || id == kIdRepeating) {
        repeatChoice_ = id == kIdSingle ? 0 : 1;
        MarkRepeatChoice();
    } else if (id == kIdOk) {
        Finish(fw::kIdOk);
    } else if (id == kIdCancel) {
        Finish(fw::kIdCancel);
    } else {
        return false;
    }
    return true;
}
