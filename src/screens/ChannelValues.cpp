#include "screens/ChannelValues.h"

#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"
#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "screens/OneChannelPainting.h"

namespace {

constexpr int kDoseRateText = 391;
constexpr int kAdcWidth = 42;
constexpr int kAdcHeight = 18;
constexpr int kAdcFontHeight = 14;
constexpr int kUnitGap = 6;

fw::Color ValueColor(bool overRange) {
    return overRange ? controls::kOverRange : fw::colors::kBlack;
}

}  // namespace

void CChannelValues::Create(fw::Window* parent, CKelvarinDoc& doc, const Ids& ids) {
    doc_ = &doc;
    CreateLine(parent, rate_, ids.rate, "Rate:");
    CreateLine(parent, charge_, ids.charge, "Charge:");
    CreateLine(parent, dose_, ids.dose, "");
    adc_.Create(parent, {}, ids.adc, "ADC");
    adc_.SetFontHeight(kAdcFontHeight);
    adc_.SetBold(true);
}

void CChannelValues::CreateLine(fw::Window* parent, Line& line, std::array<int, 3> ids,
                                const std::string& caption) {
    line.caption.Create(parent, {}, ids[0], caption);
    line.caption.SetAlignment(CLabel::kLeft);
    line.caption.SetBold(true);
    line.value.Create(parent, {}, ids[1]);
    line.value.SetAlignment(CLabel::kRight);
    line.value.SetBold(true);
    line.unit.Create(parent, {}, ids[2]);
    line.unit.SetAlignment(CLabel::kLeft);
    line.unit.SetMarkedText(true);
    line.unit.SetBold(true);
}

bool CChannelValues::DoseIsCurrentBased() const {
    const CAL_MODE* mode = FindCalMode(doc_->Channel[channel_].CalMode);
    return mode == nullptr || !mode->chargeBased;
}

void CChannelValues::Layout(const fw::Rect& area, const ValueLayout& layout) {
    CHANNEL_INFO& c = doc_->Channel[channel_];
    adc_.MoveTo(
        {area.right - kAdcWidth - 2, area.top + 2, area.right - 2, area.top + 2 + kAdcHeight});
    if (!doc_->HasAppliedChamber(channel_)) {
        PlaceLine(rate_, area, 0, 2, layout);
        PlaceLine(charge_, area, 1, 2, layout);
        ShowDoseLine(false);
        adc_.Show(false);
        return;
    }
    const CAL_MODE* mode = FindCalMode(c.CalMode);
    const bool currentBased = DoseIsCurrentBased();
    PlaceLine(rate_, area, 0, 3, layout);
    PlaceLine(currentBased ? dose_ : charge_, area, 1, 3, layout);
    PlaceLine(currentBased ? charge_ : dose_, area, 2, 3, layout);
    const int quantityId = mode != nullptr ? mode->quantityId : kDoseRateText;
    dose_.caption.SetText(fw::LoadString(quantityId) + ":");
    if (!currentBased && doc_->CollectionFinished == 0)
        c.DoseUnitId = mode->unitId;
    ShowDoseLine(true);
    ShowAdcMark();
    RefreshDoseLine();
}

void CChannelValues::ShowDoseLine(bool shown) {
    for (CLabel* l : {&dose_.caption, &dose_.value, &dose_.unit})
        l->Show(shown);
}

void CChannelValues::ShowAdcMark() {
    adc_.Show(doc_->HasAppliedChamber(channel_) && doc_->Channel[channel_].TPCorrection == 1);
}

void CChannelValues::PlaceLine(Line& line, const fw::Rect& area, int row, int rows,
                               const ValueLayout& layout) {
    const int lineHeight = area.Height() / rows;
    const int top = area.top + row * lineHeight;
    const int bottom = top + lineHeight;
    const bool large = rows == 2;
    const int captionHeight = large ? layout.largeCaption : layout.smallCaption;
    const int unitLeft = area.right - layout.unitWidth;
    line.caption.SetFontHeight(captionHeight);
    line.value.SetFontHeight(large ? layout.largeValue : layout.smallValue);
    line.unit.SetFontHeight(captionHeight + (large ? 4 : 2));
    // The value label is only as tall as its text: a new reading repaints no more than that.
    if (layout.captionWidth > 0) {
        const int captionRight = area.left + layout.captionWidth;
        line.caption.MoveTo({area.left + 4, top, captionRight, bottom});
        line.value.MoveTo(
            one_channel::TextStrip({captionRight, top, unitLeft - kUnitGap, bottom}, line.value));
        line.unit.MoveTo({unitLeft, top, area.right - 2, bottom});
    } else {
        const int valueTop = top + captionHeight + 4;
        line.caption.MoveTo({area.left + 4, top + 2, area.right - 2, valueTop});
        line.value.MoveTo(one_channel::TextStrip(
            {area.left + 4, valueTop, unitLeft - kUnitGap, bottom}, line.value));
        line.unit.MoveTo({unitLeft, valueTop, area.right - 2, bottom});
    }
}

void CChannelValues::SetBackground(fw::Color background) {
    for (Line* line : {&rate_, &charge_, &dose_}) {
        line->caption.SetBkColor(background);
        line->value.SetBkColor(background);
        line->unit.SetBkColor(background);
    }
    adc_.SetBkColor(background);
}

void CChannelValues::RefreshRate() {
    std::string text;
    doc_->FormatRate(channel_, text);
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    ShowValue(rate_, text, c.RateOverRange != 0, c.RateUnitId);
    if (doc_->HasAppliedChamber(channel_) && DoseIsCurrentBased())
        RefreshDoseLine();
}

void CChannelValues::RefreshCharge() {
    std::string text;
    doc_->FormatCharge(channel_, text);
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    ShowValue(charge_, text, c.ChargeOverRange != 0, c.ChargeUnitId);
    if (doc_->HasAppliedChamber(channel_) && !DoseIsCurrentBased())
        RefreshDoseLine();
}

void CChannelValues::RefreshDoseLine() {
    if (!doc_->HasAppliedChamber(channel_))
        return;
    std::string text;
    doc_->FormatDoseValue(channel_, text);
    const int unitId = DoseIsCurrentBased() ? doc_->DoseResultUnitId(channel_)
                                            : doc_->Channel[channel_].DoseUnitId;
    ShowValue(dose_, text, text == formatting::OverRange(), unitId);
}

void CChannelValues::ShowValue(Line& line, const std::string& text, bool overRange, int unitId) {
    line.value.SetText(text);
    line.value.SetTextColor(ValueColor(overRange));
    line.unit.SetText(unitId != 0 ? fw::LoadString(unitId) : std::string());
}
