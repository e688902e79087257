#include "screens/COneChannelView.h"

#include "controls/ControlColors.h"
#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "screens/OneChannelPainting.h"
#include "screens/ViewFactory.h"

namespace {

// Panel layout, in pixels.
constexpr fw::Rect kAddMeasurementRect{0, 81, 49, 455};
constexpr fw::Rect kRangeRect{106, 4, 196, 40};
constexpr fw::Rect kRangeCaptionRect{106, 44, 196, 80};
constexpr fw::Rect kBiasRect{202, 4, 292, 40};
constexpr fw::Rect kBiasCaptionRect{202, 44, 292, 80};
constexpr fw::Rect kCaptionFrame{102, 41, 296, 83};
constexpr fw::Rect kZeroRect{300, 4, 372, 40};
constexpr fw::Rect kStartStopRect{378, 4, 470, 40};
constexpr fw::Rect kChargeTypeRect{476, 4, 636, 40};
constexpr fw::Rect kStatusCaptionRect{306, 48, 372, 78};
constexpr fw::Rect kStatusRect{372, 48, 632, 78};
constexpr fw::Rect kStatusFrame{300, 44, 636, 83};
constexpr fw::Rect kValueArea{48, 88, 636, 264};
constexpr fw::Rect kAdcRect{592, 90, 634, 108};
constexpr fw::Rect kTabRect{48, 266, 636, 456};
constexpr int kCaptionRight = 170;
constexpr int kValueRight = 492;
constexpr int kLargeValueHeight = 80;
constexpr int kSmallValueHeight = 52;
constexpr int kLargeCaptionHeight = 26;
constexpr int kSmallCaptionHeight = 20;

constexpr fw::Color kChannel2Background = fw::Color::Rgb(194, 194, 194);
constexpr fw::Color kBiasOutOfTolerance = fw::Color::Rgb(255, 255, 0);

constexpr int kLowRangeCaption = 0;
const char* const kRangeCaptions[] = {"Low\r\n(0-500pA)", "High\r\n(0-500nA)"};
constexpr int kPageTextChannel1 = 129;
constexpr int kTriggerCharge = 2;

fw::Color ValueColor(bool overRange) {
    return overRange ? controls::kOverRange : fw::colors::kBlack;
}

void StyleOnPanel(CLabel& label, int fontHeight) {
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(fontHeight);
    label.SetBold(true);
}

}  // namespace

COneChannelView::COneChannelView() = default;

COneChannelView::~COneChannelView() {
    KillTimer(kSecondTimer);
}

void COneChannelView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    channel_ = GetDoc()->OneChannelShown & 1;
    CreateControls();
    CreatePages();
    ShowStaticTexts();
    LayoutValueArea();
    RefreshRate();
    RefreshCharge();
    SetTimer(kSecondTimer, kSecondMs);
}

// ---- construction --------------------------------------------------------------------------

void COneChannelView::CreateControls() {
    addMeasurement_.Create(this, kAddMeasurementRect, kIdAddMeasurement, "Add Measurement");
    addMeasurement_.SetTextAngle(900);
    CreatePageButton(fw::LoadString(kPageTextChannel1 + channel_));
    PageButton().SetFontHeight(22);
    PageButton().SetBold(true);
    CreateDateTimeBar();
    range_.Create(this, kRangeRect, kIdRange, "Range");
    bias_.Create(this, kBiasRect, kIdBias, "Bias");
    zero_.Create(this, kZeroRect, kIdZero, "Zero");
    zero_.SetBkColor(controls::kZeroButton);
    startStop_.Create(this, kStartStopRect, kIdStartStop);
    startStop_.SetBkColor(controls::kActionButton);
    startStop_.SetTextColor(fw::colors::kWhite);
    chargeType_.Create(this, kChargeTypeRect, kIdChargeType);
    for (CBttn* b : {&addMeasurement_, &range_, &bias_, &zero_, &startStop_, &chargeType_}) {
        b->SetFontHeight(20);
        b->SetBold(true);
    }
    rangeCaption_.Create(this, kRangeCaptionRect, kIdRangeCaption);
    biasCaption_.Create(this, kBiasCaptionRect, kIdBiasCaption);
    statusCaption_.Create(this, kStatusCaptionRect, 1044, "Status:");
    status_.Create(this, kStatusRect, kIdStatus);
    for (CLabel* l : {&rangeCaption_, &biasCaption_, &statusCaption_, &status_})
        StyleOnPanel(*l, 15);
    statusCaption_.SetFontHeight(18);
    status_.SetFontHeight(18);
    status_.SetAlignment(CLabel::kLeft);
    CreateValueLine(rate_, {kIdRateCaption, kIdRateValue, kIdRateUnit}, "Rate:");
    CreateValueLine(charge_, {kIdChargeCaption, kIdChargeValue, kIdChargeUnit}, "Charge:");
    CreateValueLine(dose_, {kIdDoseCaption, kIdDoseValue, kIdDoseUnit}, "");
    adc_.Create(this, kAdcRect, kIdAdc, "ADC");
    adc_.SetFontHeight(14);
    adc_.SetBold(true);
    tabs_.Create(this, kTabRect, kIdTabs);
}

void COneChannelView::CreateValueLine(ValueLine& line, std::array<int, 3> ids,
                                      const std::string& caption) {
    line.caption.Create(this, {}, ids[0], caption);
    line.caption.SetAlignment(CLabel::kLeft);
    line.caption.SetBold(true);
    line.value.Create(this, {}, ids[1]);
    line.value.SetAlignment(CLabel::kRight);
    line.value.SetBold(true);
    line.unit.Create(this, {}, ids[2]);
    line.unit.SetAlignment(CLabel::kLeft);
    line.unit.SetMarkedText(true);
    line.unit.SetBold(true);
}

void COneChannelView::CreatePages() {
    setup_.CreatePage(*GetDoc(), fw::colors::kWhite);
    setup_.SetModalRunner(ModalRunner());
    data_.CreatePage(*GetDoc(), fw::colors::kWhite);
    file_.CreatePage(nullptr, {0, 0, COneChannelDataDlg::kWidth, COneChannelDataDlg::kHeight},
                     *GetDoc());
    file_.SetModalRunner(ModalRunner());
    file_.SetOnDataSetChanged([this] { data_.RefreshPage(); });
    tabs_.AddPage("Setup", setup_);
    tabs_.AddPage("Data", data_);
    tabs_.AddPage("File", file_);
    setup_.SetChannel(channel_);
    data_.SetChannel(channel_);
    setup_.RefreshPage();
    data_.RefreshPage();
}

void COneChannelView::ShowStaticTexts() {
    CKelvarinDoc* doc = GetDoc();
    startStop_.SetCaption(doc->CollectionFinished == 0 ? "Start" : "Clear");
    ShowCollectionDescription();
    ShowStatus("Idle");
    RefreshRangeCaption();
    RefreshBias();
}

// ---- layout of the value area ------------------------------------------------------------

bool COneChannelView::DoseIsCurrentBased() const {
    const CAL_MODE* mode = FindCalMode(GetDoc()->Channel[channel_].CalMode);
    return mode == nullptr || !mode->chargeBased;
}

void COneChannelView::LayoutValueArea() {
    CKelvarinDoc* doc = GetDoc();
    CHANNEL_INFO& c = doc->Channel[channel_];
    ApplyBackground(channel_ == 0 ? fw::colors::kWhite : kChannel2Background);
    if (!doc->HasAppliedChamber(channel_)) {
        PlaceLine(rate_, 0, 2, kLargeValueHeight);
        PlaceLine(charge_, 1, 2, kLargeValueHeight);
        for (CLabel* l : {&dose_.caption, &dose_.value, &dose_.unit, &adc_})
            l->Show(false);
        return;
    }
    const CAL_MODE* mode = FindCalMode(c.CalMode);
    const bool currentBased = DoseIsCurrentBased();
    PlaceLine(rate_, 0, 3, kSmallValueHeight);
    PlaceLine(currentBased ? dose_ : charge_, 1, 3, kSmallValueHeight);
    PlaceLine(currentBased ? charge_ : dose_, 2, 3, kSmallValueHeight);
    const int quantityId = mode != nullptr ? mode->quantityId : 391;
    dose_.caption.SetText(fw::LoadString(quantityId) + ":");
    if (!currentBased && doc->CollectionFinished == 0)
        c.DoseUnitId = mode->unitId;
    for (CLabel* l : {&dose_.caption, &dose_.value, &dose_.unit})
        l->Show(true);
    adc_.Show(c.TPCorrection == 1);
    RefreshDoseLine();
}

void COneChannelView::PlaceLine(ValueLine& line, int row, int rows, int valueHeight) {
    const int lineHeight = kValueArea.Height() / rows;
    const int top = kValueArea.top + row * lineHeight;
    const int bottom = top + lineHeight;
    const bool large = rows == 2;
    line.caption.MoveTo({kValueArea.left + 4, top, kCaptionRight, bottom});
    line.caption.SetFontHeight(large ? kLargeCaptionHeight : kSmallCaptionHeight);
    line.value.MoveTo({kCaptionRight, top, kValueRight, bottom});
    line.value.SetFontHeight(valueHeight);
    line.unit.MoveTo({kValueRight + 6, top, kValueArea.right - 2, bottom});
    line.unit.SetFontHeight(large ? kLargeCaptionHeight + 4 : kSmallCaptionHeight + 2);
}

void COneChannelView::ApplyBackground(fw::Color background) {
    for (ValueLine* line : {&rate_, &charge_, &dose_}) {
        line->caption.SetBkColor(background);
        line->value.SetBkColor(background);
        line->unit.SetBkColor(background);
    }
    adc_.SetBkColor(background);
    tabs_.SetBkColor(background);
    setup_.SetBkColor(background);
    data_.SetBkColor(background);
    file_.SetBkColor(background);
}

void COneChannelView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
    const fw::Color background = channel_ == 0 ? fw::colors::kWhite : kChannel2Background;
    dc.FillRect(kValueArea, background);
    one_channel::DrawRoundFrame(dc, kStatusFrame, controls::kScreenFrame);
    one_channel::DrawRoundFrame(dc, kCaptionFrame, controls::kScreenFrame);
}

// ---- refreshing the texts ----------------------------------------------------------------

void COneChannelView::RefreshRate() {
    CKelvarinDoc* doc = GetDoc();
    std::string text;
    doc->FormatRate(channel_, text);
    const CHANNEL_INFO& c = doc->Channel[channel_];
    ShowValue(rate_, text, c.RateOverRange != 0, c.RateUnitId);
    if (doc->HasAppliedChamber(channel_) && DoseIsCurrentBased())
        RefreshDoseLine();
}

void COneChannelView::RefreshCharge() {
    CKelvarinDoc* doc = GetDoc();
    if (doc->ChargeType == kTriggerCharge) {
        if (doc->TriggerArmed == 1)
            ShowStatus("Armed (Ch.1)");
        else if (doc->TriggerArmed == 2)
            ShowStatus("Triggered (Ch.1)");
    }
    std::string text;
    doc->FormatCharge(channel_, text);
    const CHANNEL_INFO& c = doc->Channel[channel_];
    ShowValue(charge_, text, c.ChargeOverRange != 0, c.ChargeUnitId);
    if (doc->HasAppliedChamber(channel_) && !DoseIsCurrentBased())
        RefreshDoseLine();
}

void COneChannelView::RefreshDoseLine() {
    CKelvarinDoc* doc = GetDoc();
    if (!doc->HasAppliedChamber(channel_))
        return;
    std::string text;
    doc->FormatDoseValue(channel_, text);
    const int unitId =
        DoseIsCurrentBased() ? doc->DoseResultUnitId(channel_) : doc->Channel[channel_].DoseUnitId;
    ShowValue(dose_, text, text == formatting::OverRange(), unitId);
}

void COneChannelView::ShowValue(ValueLine& line, const std::string& text, bool overRange,
                                int unitId) {
    line.value.SetText(text);
    line.value.SetTextColor(ValueColor(overRange));
    line.unit.SetText(unitId != 0 ? fw::LoadString(unitId) : std::string());
}

void COneChannelView::RefreshBias() {
    std::string text;
    const bool inTolerance = GetDoc()->CheckBias(channel_, text);
    biasCaption_.SetText(text);
    biasCaption_.SetTextColor(inTolerance ? fw::colors::kWhite : kBiasOutOfTolerance);
}

void COneChannelView::RefreshRangeCaption() {
    const int range = GetDoc()->Channel[channel_].Range;
    rangeCaption_.SetText(kRangeCaptions[range == 1 ? 1 : kLowRangeCaption]);
}

void COneChannelView::ShowCollectionDescription() {
    std::string text;
    GetDoc()->FormatCollectionTime(text);
    chargeType_.SetCaption(text);
}

void COneChannelView::ShowStatus(const std::string& text) {
    status_.SetText(text);
}

void COneChannelView::ShowCollectingStatus() {
    const CKelvarinDoc* doc = GetDoc();
    ShowStatus(
        fw::StringPrintf("%s (%d/%d)", "Collecting", doc->CollectionIndex, doc->RepeatCount));
}

// ---- channel change -----------------------------------------------------------------------

void COneChannelView::ShowChannel(uint8_t channel) {
    channel_ = channel & 1;
    PageButton().SetCaption(fw::LoadString(kPageTextChannel1 + channel_));
    RefreshRangeCaption();
    RefreshBias();
    setup_.SetChannel(channel_);
    data_.SetChannel(channel_);
    setup_.RefreshPage();
    data_.RefreshPage();
    LayoutValueArea();
    RefreshRate();
    RefreshCharge();
    Invalidate();
}

bool COneChannelView::SwitchChannelView(int target) {
    if (target == kShowBothChannels)
        return SwitchToViewOrTell(MakeTwoChannelView());
    if (target != kShowChannel1 && target != kShowChannel2)
        return false;
    GetDoc()->OneChannelShown = uint8_t(target);
    if (target != channel_)
        ShowChannel(uint8_t(target));
    return true;
}

// ---- document notifications --------------------------------------------------------------

void COneChannelView::OnUpdate(int hint) {
    CKelvarinDoc* doc = GetDoc();
    switch (hint) {
        case kHintBiasRead:
            RefreshBias();
            return;
        case kHintNewRates:
            RefreshRate();
            if (doc->Channel[channel_].RateOverRange)
                fw::PlayResourceSound("SndOverload");
            return;
        case kHintChamber:
            ReleaseHeldResult();
            setup_.RefreshPage();
            data_.RefreshPage();
            LayoutValueArea();
            RefreshRate();
            RefreshCharge();
            return;
        case kHintCollection:
            OnCollectionHint();
            return;
        case kHintRangeAnswer:
            RefreshRangeCaption();
            RefreshRate();
            RefreshCharge();
            return;
        case kHintCorrection:
            adc_.Show(doc->HasAppliedChamber(channel_) && doc->Channel[channel_].TPCorrection == 1);
            data_.RefreshPage();
            RefreshDoseLine();
            return;
        case kHintSettings:
            ShowCollectionDescription();
            RefreshCharge();
            return;
        case kHintRemoteStart:
            OnRemoteStart();
            return;
        case kHintRemoteStop:
            OnRemoteStop();
            return;
        default:
            CKelvarinFormView::OnUpdate(hint);
            return;
    }
}

void COneChannelView::OnTimer(int id) {
    if (id != kSecondTimer) {
        CKelvarinFormView::OnTimer(id);
        return;
    }
    DateTimeBar().Refresh(false);
    GetDoc()->SendCommand(0x82);  // GetBias: the answer brings hint 3 when it changed
}
