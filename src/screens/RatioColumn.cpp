#include "screens/RatioColumn.h"

#include "controls/ControlColors.h"
#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "screens/OneChannelPainting.h"

namespace {

constexpr int kCaptionFontHeight = 16;
constexpr int kValueFontHeight = 30;
constexpr int kCaptionHeight = 22;
constexpr int kThreeRowValueFontHeight = 24;

}  // namespace

void CRatioColumn::Create(fw::Window* parent, CKelvarinDoc& doc) {
    doc_ = &doc;
    CreateRow(parent, rate_, kIdRateCaption, kIdRateValue, "Rate Ratio:");
    CreateRow(parent, charge_, kIdChargeCaption, kIdChargeValue, "Charge Ratio:");
    CreateRow(parent, dose_, kIdDoseCaption, kIdDoseValue, "Dose Ratio:");
    Hide();
}

void CRatioColumn::CreateRow(fw::Window* parent, Row& row, int captionId, int valueId,
                             const std::string& caption) {
    row.caption.Create(parent, {}, captionId, caption);
    row.caption.SetAlignment(CLabel::kLeft);
    row.caption.SetBold(true);
    row.caption.SetFontHeight(kCaptionFontHeight);
    row.value.Create(parent, {}, valueId);
    row.value.SetAlignment(CLabel::kCentre);
    row.value.SetBold(true);
}

void CRatioColumn::SetBackground(fw::Color background) {
    for (Row* row : {&rate_, &charge_, &dose_}) {
        row->caption.SetBkColor(background);
        row->value.SetBkColor(background);
    }
}

void CRatioColumn::Build(const fw::Rect& area) {
    using Kind = CKelvarinDoc::DoseRatioKind;
    const Kind kind = doc_->ComparableDoses();
    doseShown_ = kind == Kind::Dose;
    doseRateShown_ = kind == Kind::DoseRate;
    const int rows = doseShown_ || doseRateShown_ ? 3 : 2;
    PlaceRow(rate_, area, 0, rows);
    PlaceRow(doseRateShown_ ? dose_ : charge_, area, 1, rows);
    if (rows == 3)
        PlaceRow(doseRateShown_ ? charge_ : dose_, area, 2, rows);
    if (doseRateShown_) {
        const CAL_MODE* mode = FindCalMode(doc_->Channel[0].CalMode);
        dose_.caption.SetText(fw::LoadString(mode->quantityId) + " Ratio:");
    } else {
        dose_.caption.SetText("Dose Ratio:");
    }
    shown_ = true;
    ShowRow(rate_, true);
    ShowRow(charge_, true);
    ShowRow(dose_, rows == 3);
    RefreshRate();
    RefreshCharge();
    RefreshDose();  // emptied when the doses no longer compare
}

void CRatioColumn::Hide() {
    shown_ = doseShown_ = doseRateShown_ = false;
    for (Row* row : {&rate_, &charge_, &dose_})
        ShowRow(*row, false);
}

void CRatioColumn::PlaceRow(Row& row, const fw::Rect& area, int index, int rows) {
    const int height = area.Height() / rows;
    const int top = area.top + index * height;
    row.caption.MoveTo({area.left + 4, top + 2, area.right - 2, top + kCaptionHeight});
    row.value.SetFontHeight(rows == 3 ? kThreeRowValueFontHeight : kValueFontHeight);
    // Only as tall as its text: a new ratio repaints no more than that.
    row.value.MoveTo(one_channel::TextStrip(
        {area.left + 2, top + kCaptionHeight, area.right - 2, top + height}, row.value));
}

void CRatioColumn::ShowRow(Row& row, bool shown) {
    row.caption.Show(shown);
    row.value.Show(shown);
}

void CRatioColumn::ShowValue(Row& row, const std::string& text, bool overRange) {
    row.value.SetText(text);
    row.value.SetTextColor(overRange ? controls::kOverRange : fw::colors::kBlack);
}

void CRatioColumn::RefreshRate() {
    if (!shown_)
        return;
    std::string text;
    doc_->FormatRateRatio(text);
    ShowValue(rate_, text, text == formatting::OverRange());
    if (doseRateShown_)
        RefreshDose();
}

void CRatioColumn::RefreshCharge() {
    if (!shown_)
        return;
    std::string text;
    doc_->FormatChargeRatio(text);
    const CFilter& f = doc_->Filter;
    ShowValue(charge_, text, f.Chan[0].OverRangeLatched || f.Chan[1].OverRangeLatched);
    if (doseShown_)
        RefreshDose();
}

void CRatioColumn::RefreshDose() {
    std::string text;  // stays empty when the doses do not compare
    if (doseShown_ || doseRateShown_)
        doc_->FormatDoseRatio(text);
    ShowValue(dose_, text, text == formatting::OverRange());
}
