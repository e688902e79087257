#include "screens/CMeasuringView.h"

#include "controls/ControlColors.h"
#include "document/Hints.h"
#include "fw/Text.h"

namespace {

constexpr fw::Color kBiasOutOfTolerance = fw::Color::Rgb(255, 255, 0);
const char* const kRangeCaptions[] = {"Low\r\n(0-500pA)", "High\r\n(0-500nA)"};
constexpr int kButtonFontHeight = 20;
constexpr int kStatusFontHeight = 18;

}  // namespace

CMeasuringView::~CMeasuringView() {
    KillTimer(kSecondTimer);
}

void CMeasuringView::CreateCollectionControls(const CollectionRects& rects,
                                              const std::string& addCaption) {
    addMeasurement_.Create(this, rects.addMeasurement, kIdAddMeasurement, addCaption);
    zero_.Create(this, rects.zero, kIdZero, "Zero");
    zero_.SetBkColor(controls::kZeroButton);
    startStop_.Create(this, rects.startStop, kIdStartStop);
    startStop_.SetBkColor(controls::kActionButton);
    startStop_.SetTextColor(fw::colors::kWhite);
    chargeType_.Create(this, rects.chargeType, kIdChargeType);
    for (CBttn* b : {&addMeasurement_, &zero_, &startStop_, &chargeType_}) {
        b->SetFontHeight(kButtonFontHeight);
        b->SetBold(true);
    }
    statusCaption_.Create(this, rects.statusCaption, kIdStatusCaption, "Status:");
    status_.Create(this, rects.status, kIdStatus);
    StyleOnPanel(statusCaption_, kStatusFontHeight);
    StyleOnPanel(status_, kStatusFontHeight);
    status_.SetAlignment(CLabel::kLeft);
}

void CMeasuringView::ShowCollectionTexts() {
    startStop_.SetCaption(GetDoc()->CollectionFinished == 0 ? "Start" : "Clear");
    ShowCollectionDescription();
    ShowStatus("Idle");
}

void CMeasuringView::StyleOnPanel(CLabel& label, int fontHeight) {
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(fontHeight);
    label.SetBold(true);
}

void CMeasuringView::ShowBias(uint8_t channel, CLabel& caption) {
    std::string text;
    const bool inTolerance = GetDoc()->CheckBias(channel, text);
    caption.SetText(text);
    caption.SetTextColor(inTolerance ? fw::colors::kWhite : kBiasOutOfTolerance);
}

void CMeasuringView::ShowRange(uint8_t channel, CLabel& caption) {
    caption.SetText(kRangeCaptions[GetDoc()->Channel[channel & 1].Range == 1 ? 1 : 0]);
}

void CMeasuringView::ShowCollectionDescription() {
    std::string text;
    GetDoc()->FormatCollectionTime(text);
    chargeType_.SetCaption(text);
}

void CMeasuringView::ShowStatus(const std::string& text) {
    status_.SetText(text);
}

void CMeasuringView::ShowCollectingStatus() {
    const CKelvarinDoc* doc = GetDoc();
    ShowStatus(
        fw::StringPrintf("%s (%d/%d)", "Collecting", doc->CollectionIndex, doc->RepeatCount));
}

void CMeasuringView::OnUpdate(int hint) {
    switch (hint) {
        case kHintChamber:
            GetDoc()->DropLostChambers();  // a chamber gone from the library takes its factor along
            ReleaseHeldResult();
            ShowChamberChange();
            RefreshRates();
            RefreshCharges();
            return;
        case kHintRangeAnswer:
            RefreshRangeCaptions();
            RefreshRates();
            RefreshCharges();
            return;
        case kHintCollection:
            OnCollectionHint();
            return;
        case kHintSettings:
            ShowCollectionDescription();
            RefreshCharges();
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

void CMeasuringView::OnTimer(int id) {
    if (id != kSecondTimer) {
        CKelvarinFormView::OnTimer(id);
        return;
    }
    DateTimeBar().Refresh(false);
    if (RequestsBias())
        GetDoc()->SendCommand(0x82);  // GetBias: the answer brings hint 3 when it changed
}
