#include "screens/COneChannelView.h"

#include "controls/ControlColors.h"
#include "controls/MenuCommands.h"
#include "fw/Resources.h"
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
constexpr fw::Rect kTabRect{48, 266, 636, 456};
// In the tab strip, right of the tabs.
constexpr fw::Rect kCorrectionsRect{500, 268, 634, 300};
// Caption beside the value, large digits: two lines at 80 pixels, three at 52.
constexpr ValueLayout kValueLayout{122, 138, 80, 52, 26, 20};
constexpr int kCaptionFontHeight = 15;
constexpr int kPageFontHeight = 22;

constexpr fw::Color kChannel2Background = fw::Color::Rgb(194, 194, 194);
constexpr int kPageTextChannel1 = 129;

}  // namespace

COneChannelView::COneChannelView() = default;

void COneChannelView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    channel_ = GetDoc()->OneChannelShown & 1;
    GetDoc()->DropLostChambers();  // a chamber gone from the library takes its factor along
    CreateControls();
    CreatePages();
    ShowCollectionTexts();
    RefreshRangeCaptions();
    RefreshBias();
    LayoutValueArea();
    RefreshRates();
    RefreshCharges();
    SetTimer(kSecondTimer, kSecondMs);
}

// ---- construction --------------------------------------------------------------------------

void COneChannelView::CreateControls() {
    CreateCollectionControls({kZeroRect, kStartStopRect, kChargeTypeRect, kStatusCaptionRect,
                              kStatusRect, kAddMeasurementRect},
                             "Add Measurement");
    addMeasurement_.SetTextAngle(900);
    CreatePageButton(fw::LoadString(kPageTextChannel1 + channel_), kPageFontHeight);
    CreateDateTimeBar();
    range_.Create(this, kRangeRect, kIdRange, "Range");
    bias_.Create(this, kBiasRect, kIdBias, "Bias");
    for (CBttn* b : {&range_, &bias_}) {
        b->SetFontHeight(20);
        b->SetBold(true);
    }
    rangeCaption_.Create(this, kRangeCaptionRect, kIdRangeCaption);
    biasCaption_.Create(this, kBiasCaptionRect, kIdBiasCaption);
    for (CLabel* l : {&rangeCaption_, &biasCaption_})
        StyleOnPanel(*l, kCaptionFontHeight);
    values_.Create(this, *GetDoc(),
                   {{kIdRateCaption, kIdRateValue, kIdRateUnit},
                    {kIdChargeCaption, kIdChargeValue, kIdChargeUnit},
                    {kIdDoseCaption, kIdDoseValue, kIdDoseUnit},
                    kIdAdc});
    values_.SetChannel(channel_);
    tabs_.Create(this, kTabRect, kIdTabs);
    corrections_.Create(this, kCorrectionsRect, kIdCorrections, "Corrections");
    corrections_.SetFontHeight(kCaptionFontHeight + 3);
    corrections_.SetBold(true);
}

void COneChannelView::CreatePages() {
    setup_.CreatePage(*GetDoc(), fw::colors::kWhite);
    setup_.SetModalRunner(ModalRunner());
    data_.CreatePage(*GetDoc(), fw::colors::kWhite);
    data_.SetModalRunner(ModalRunner());
    file_.CreatePage(nullptr, {0, 0, COneChannelDataDlg::kWidth, COneChannelDataDlg::kHeight},
                     *GetDoc());
    file_.SetModalRunner(ModalRunner());
    file_.SetOnDataSetChanged([this] { data_.RefreshPage(); });
    tabs_.AddPage("Setup", setup_);
    tabs_.AddPage("Data", data_);
    tabs_.AddPage("File", file_);
    trend_.CreatePage(*GetDoc(), tabs_.DisplayRect(), fw::colors::kWhite);
    tabs_.AddPage("Trend", trend_);
    trend_.SetChannels({channel_});
    setup_.SetChannel(channel_);
    data_.SetChannel(channel_);
    setup_.RefreshPage();
    data_.RefreshPage();
}

std::vector<fw::Window*> COneChannelView::LockedControls() {
    return {&range_,      &bias_,           &PageButton(), &zero_,
            &chargeType_, &addMeasurement_, &tabs_,        &corrections_};
}

// ---- layout of the value area ------------------------------------------------------------

fw::Color COneChannelView::Background() const {
    return channel_ == 0 ? fw::colors::kWhite : kChannel2Background;
}

void COneChannelView::LayoutValueArea() {
    ApplyBackground(Background());
    values_.Layout(kValueArea, kValueLayout);
}

void COneChannelView::ApplyBackground(fw::Color background) {
    values_.SetBackground(background);
    tabs_.SetBkColor(background);
    setup_.SetBkColor(background);
    data_.SetBkColor(background);
    file_.SetBkColor(background);
    trend_.SetBkColor(background);
}

void COneChannelView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
    dc.FillRect(kValueArea, Background());
    one_channel::DrawRoundFrame(dc, kStatusFrame, controls::kScreenFrame);
    one_channel::DrawRoundFrame(dc, kCaptionFrame, controls::kScreenFrame);
}

// ---- refreshing the texts ----------------------------------------------------------------

void COneChannelView::RefreshCharges() {
    ShowTriggerStatus();
    values_.RefreshCharge();
}

void COneChannelView::ShowNewRow(const MEAS_INFO& row) {
    data_.AddRow(row);
    data_.ShowFileName();
    file_.Refresh();  // the name gains its "*" and Save is offered
}

// ---- channel change -----------------------------------------------------------------------

void COneChannelView::ShowChannel(uint8_t channel) {
    channel_ = channel & 1;
    values_.SetChannel(channel_);
    PageButton().SetCaption(fw::LoadString(kPageTextChannel1 + channel_));
    RefreshRangeCaptions();
    RefreshBias();
    setup_.SetChannel(channel_);
    data_.SetChannel(channel_);
    trend_.SetChannels({channel_});
    setup_.RefreshPage();
    data_.RefreshPage();
    LayoutValueArea();
    RefreshRates();
    RefreshCharges();
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

// ---- commands ------------------------------------------------------------------------------

bool COneChannelView::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdRange:
            OpenRangeMenu(range_.GetRect());
            return true;
        case kIdBias:
            OpenBiasMenu(bias_.GetRect());
            return true;
        case kIdCorrections:
            OpenCorrections();
            return true;
        default:
            return CMeasuringView::OnCommand(commandId, from);
    }
}

void COneChannelView::OnPageCommand(int commandId) {
    const int channel = commandId - menu_cmd::kChannel1;
    if (channel == 0 || channel == 1) {
        if (channel != channel_)
            ShowChannel(uint8_t(channel));
        return;
    }
    if (commandId >= menu_cmd::kCheckSource)
        GetDoc()->CollectionFinished = 0;  // the held result is not kept for other screens
    CKelvarinFormView::OnPageCommand(commandId);
}

// ---- document notifications --------------------------------------------------------------

void COneChannelView::ShowChamberChange() {
    setup_.RefreshPage();
    data_.RefreshPage();
    LayoutValueArea();
}

void COneChannelView::OpenCorrections() {
    if (correction_ != nullptr)
        return;
    ReleaseHeldResult();
    CCorrectionDlg dialog(*GetDoc(), channel_);
    correction_ = &dialog;
    RunModal(dialog);
    correction_ = nullptr;
    RefreshBias();
    RefreshCharges();
    data_.ShowFileName();
    file_.Refresh();  // a kept result is unsaved data
}

void COneChannelView::OnTimer(int id) {
    CMeasuringView::OnTimer(id);
    if (id == kSecondTimer && correction_ != nullptr)
        correction_->OnSecond();
}

void COneChannelView::OnUpdate(int hint) {
    if (correction_ != nullptr)
        correction_->OnDocumentHint(hint);
    CKelvarinDoc* doc = GetDoc();
    switch (hint) {
        case kHintBiasRead:
            RefreshBias();
            return;
        case kHintNewRates:
            RefreshRates();
            if (doc->Channel[channel_].RateOverRange)
                fw::PlayResourceSound("SndOverload");
            return;
        case kHintCorrection:
            values_.ShowAdcMark();
            data_.RefreshPage();
            values_.RefreshDoseLine();
            return;
        default:
            CMeasuringView::OnUpdate(hint);
            return;
    }
}

std::optional<SeriesSelection> COneChannelView::ShownSeries() const {
    return data_.Series();
}
