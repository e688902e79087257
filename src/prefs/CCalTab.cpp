#include "prefs/CCalTab.h"

#include "controls/CNumKeypadDlg.h"
#include "controls/ControlColors.h"
#include "controls/NumberEntry.h"
#include "document/CKelvarinDoc.h"
#include "document/ChamberText.h"
#include "document/EntryRules.h"
#include "document/Formatting.h"
#include "fw/Text.h"
#include "prefs/PageStyle.h"
#include "prefs/PrefsPageHost.h"
#include "screens/CDatePickerDlg.h"

namespace {

constexpr int kBmpInfo = 255;
constexpr int kFactorDecimals = 3;
constexpr int kFactorEntryLength = 12;  // more digits than this would not be a factor
constexpr int kBlockWidth = 294;
constexpr int kBlockLefts[] = {12, 324};

const char* FactorName(const FactorId& f) {
    if (f.range == 1)
        return f.charge ? "High Range Charge Cal Factor" : "High Range Rate Cal Factor";
    return f.charge ? "Low Range Charge Cal Factor" : "Low Range Rate Cal Factor";
}

std::string FactorText(double v) {
    return formatting::Fixed(v, 3);
}

}  // namespace

const std::array<CCalTab::FactorButton, CCalTab::kFactorCount>& CCalTab::FactorButtons() {
    static const std::array<FactorButton, kFactorCount> buttons{{
        {1289, {0, 1, false}},
        {1291, {0, 1, true}},
        {1290, {0, 0, false}},
        {1292, {0, 0, true}},
        {1295, {1, 1, false}},
        {1297, {1, 1, true}},
        {1296, {1, 0, false}},
        {1298, {1, 0, true}},
    }};
    return buttons;
}

void CCalTab::CreatePage(PrefsPageHost& host) {
    host_ = &host;
    gate_ = CPasswordGate(true, [this](CModalDialog& d) { return host_->RunPageDialog(d); });
    Create(nullptr, {0, 0, prefs_style::kPageWidth, prefs_style::kPageHeight});
    CreateDates();
    CreateChannelBlock(0);
    CreateChannelBlock(1);
    ShowValues();
}

void CCalTab::CreateDates() {
    lastCalCaption_.Create(this, {12, 8, 300, 34}, kIdLastCalCaption, "Calibration Last Performed");
    lastCal_.Create(this, {12, 36, 200, 76}, kIdLastCal);
    dueCaption_.Create(this, {324, 8, 612, 34}, kIdDueCaption, "Calibration Due Date");
    due_.Create(this, {324, 36, 512, 76}, kIdDue);
    dueWarning_.Create(this, {518, 38, 556, 74}, kIdDueWarning);
    dueWarning_.SetBitmap(kBmpDueWarning);
    dueWarning_.SetBkColor(controls::kDialogBackground);
    factorsCaption_.Create(this, {12, 92, 240, 118}, kIdFactorsCaption, "Calibration Factors");
    info_.Create(this, {244, 86, 282, 122}, kIdInfo);
    info_.SetBitmaps(kBmpInfo);
    info_.SetBitmapPosition(CBttn::BitmapPosition::Centre);
    for (CLabel* c : {&lastCalCaption_, &dueCaption_, &factorsCaption_})
        prefs_style::Caption(*c);
    for (CBttn* b : {&lastCal_, &due_})
        prefs_style::Button(*b);
}

void CCalTab::CreateChannelBlock(int ch) {
    const int x = kBlockLefts[ch];
    channelCaptions_[ch].Create(this, {x, 128, x + kBlockWidth, 152},
                                ch == 0 ? kIdChannel1 : kIdChannel2,
                                ch == 0 ? "Channel 1" : "Channel 2");
    prefs_style::Caption(channelCaptions_[ch]);
    channelCaptions_[ch].SetAlignment(CLabel::kCentre);
    std::array<CLabel, 5>& l = blockLabels_[ch];
    l[0].Create(this, {x, 156, x + 100, 178}, 0, "Range");
    l[1].Create(this, {x + 104, 156, x + 196, 178}, 0, "Rate");
    l[2].Create(this, {x + 200, 156, x + kBlockWidth, 178}, 0, "Charge");
    l[3].Create(this, {x, 182, x + 100, 230}, 0, "High\r\n(0-500nA)");
    l[4].Create(this, {x, 236, x + 100, 284}, 0, "Low\r\n(0-500pA)");
    for (CLabel& label : l) {
        prefs_style::Caption(label, 15);
        label.SetAlignment(CLabel::kCentre);
    }
    for (int i = 0; i < 4; ++i) {
        const FactorButton& b = FactorButtons()[ch * 4 + i];
        const int top = b.factor.range == 1 ? 182 : 236;
        const int left = x + (b.factor.charge ? 200 : 104);
        factors_[ch * 4 + i].Create(
            this, {left, top, left + 92 + (b.factor.charge ? 2 : 0), top + 48}, b.id);
        prefs_style::Button(factors_[ch * 4 + i], 20);
    }
}

void CCalTab::ShowValues() {
    const PrefsValues& v = host_->Values();
    const CKelvarinDoc& doc = host_->Doc();
    std::string text;
    doc.FormatDateYMD(v.calDate.Year, v.calDate.Month, v.calDate.Day, text);
    lastCal_.SetCaption(text);
    doc.FormatDateYMD(v.calDueDate.Year, v.calDueDate.Month, v.calDueDate.Day, text);
    due_.SetCaption(text);
    dueWarning_.Show(doc.IsCalDueSoon(v.calDueDate.Year, v.calDueDate.Month, v.calDueDate.Day));
    for (int i = 0; i < kFactorCount; ++i)
        factors_[i].SetCaption(FactorText(v.Factor(FactorButtons()[i].factor)));
}

bool CCalTab::PassGate() {
    // Every edit here needs the password while protection is on in the document.
    return host_->Doc().PasswordProtect != 1 || gate_.Pass();
}

bool CCalTab::DueWarningShown() const {
    return dueWarning_.IsVisible();
}

void CCalTab::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

void CCalTab::EnterFactor(const FactorButton& button) {
    if (!PassGate())
        return;
    double& factor = host_->Values().Factor(button.factor);
    CNumKeypadDlg keypad;
    keypad.SetTitleText(fw::StringPrintf("Enter Ch. %d ", button.factor.ch + 1) +
                        FactorName(button.factor));
    keypad.SetEntryText(FactorText(factor));
    keypad.SetDecimals(kFactorDecimals);
    keypad.SetMaxLength(kFactorEntryLength);
    keypad.SetSignKey(false);
    if (host_->RunPageDialog(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return;
    const std::optional<double> entered = ParseEntry(keypad.EntryText());
    if (!entered || !entry_rules::IsUsableFactor(*entered)) {
        host_->Tell(kInvalidFactorText);
        return;
    }
    if (*entered == factor)
        return;
    factor = *entered;
    ShowValues();
    host_->MarkChanged();
}

void CCalTab::EnterDate(bool due) {
    if (!PassGate())
        return;
    DATE3& date = due ? host_->Values().calDueDate : host_->Values().calDate;
    CDatePickerDlg picker(due ? "Enter Calibration Due Date" : "Enter Cal Date", date.Year,
                          date.Month, date.Day);
    if (host_->RunPageDialog(picker) != fw::kIdOk)
        return;
    if (picker.Year() == date.Year && picker.Month() == date.Month && picker.Day() == date.Day)
        return;
    date.Year = static_cast<int16_t>(picker.Year());
    date.Month = static_cast<int16_t>(picker.Month());
    date.Day = static_cast<int16_t>(picker.Day());
    ShowValues();
    host_->MarkChanged();
}

bool CCalTab::OnCommand(int commandId, fw::Window* from) {
    for (const FactorButton& b : FactorButtons()) {
        if (b.id == commandId) {
            EnterFactor(b);
            return true;
        }
    }
    switch (commandId) {
        case kIdLastCal:
            EnterDate(false);
            return true;
        case kIdDue:
            EnterDate(true);
            return true;
        case kIdInfo:
            host_->Tell(chamber_text::kFactorInfo);
            return true;
        default:
            return fw::Window::OnCommand(commandId, from);
    }
}
