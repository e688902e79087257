#include "screens/CTwoChannelView.h"

#include "controls/ControlColors.h"
#include "controls/MenuCommands.h"
#include "fw/Resources.h"
#include "screens/OneChannelPainting.h"
#include "screens/ViewFactory.h"

namespace {

// Panel layout, in pixels: channel 1's buttons on the left, the collection in the middle,
// channel 2's buttons on the right; "Add", "Zero" and "Ratio" under the page button.
constexpr fw::Rect kRangeRects[] = {{54, 4, 134, 40}, {464, 4, 544, 40}};
constexpr fw::Rect kBiasRects[] = {{138, 4, 218, 40}, {548, 4, 628, 40}};
constexpr fw::Rect kRangeCaptionRects[] = {{54, 44, 134, 80}, {464, 44, 544, 80}};
constexpr fw::Rect kBiasCaptionRects[] = {{138, 44, 218, 80}, {548, 44, 628, 80}};
constexpr fw::Rect kCaptionFrames[] = {{50, 41, 222, 83}, {460, 41, 632, 83}};
constexpr fw::Rect kStartStopRect{228, 4, 318, 40};
constexpr fw::Rect kChargeTypeRect{322, 4, 454, 40};
constexpr fw::Rect kStatusCaptionRect{230, 48, 296, 78};
constexpr fw::Rect kStatusRect{300, 48, 452, 78};
constexpr fw::Rect kStatusFrame{226, 44, 456, 83};
constexpr fw::Rect kAddRect{0, 84, 49, 142};
constexpr fw::Rect kZeroRect{0, 146, 49, 204};
constexpr fw::Rect kRatioRect{0, 208, 49, 264};
constexpr fw::Rect kValueArea{52, 88, 636, 264};
constexpr fw::Rect kTabRect{4, 266, 636, 456};  // seven tabs sharing its width
constexpr int kHalfWidth = (kValueArea.right - kValueArea.left) / 2;
constexpr int kThirdWidth = (kValueArea.right - kValueArea.left) / 3;
// Captions above the values: half-width columns, and narrower ones beside the ratios.
constexpr ValueLayout kHalfLayout{0, 84, 44, 30, 18, 14};
constexpr ValueLayout kNarrowLayout{0, 94, 30, 24, 16, 13};
constexpr int kCaptionFontHeight = 14;
constexpr int kSideButtonFontHeight = 16;
constexpr int kChargeTypeFontHeight = 16;
constexpr int kPageFontHeight = 20;

constexpr fw::Color kChannel2Background = fw::Color::Rgb(194, 194, 194);
const char* const kPageText = "CH\r\n1/2";
const char* const kPageCaptions[] = {"Setup Ch. 1", "Data Ch.1",  "Setup Ch. 2",
                                     "Data Ch. 2",  "Data Ratio", "File"};

const CChannelValues::Ids kColumnIds[] = {
    {{1023, 1032, 1035}, {1029, 1075, 1040}, {1061, 1048, 1038}, 1066},
    {{1025, 1050, 1052}, {1043, 1076, 1053}, {1064, 1057, 1047}, 1070},
};

fw::Color ColumnBackground(int channel) {
    return channel == 0 ? fw::colors::kWhite : kChannel2Background;
}

// Channel 1's column, channel 2's column and, in ratio mode, the ratio column between them.
fw::Rect ChannelColumn(int channel, bool ratioMode) {
    const int width = ratioMode ? kThirdWidth : kHalfWidth;
    return channel == 0 ? fw::Rect{kValueArea.left, kValueArea.top, kValueArea.left + width,
                                   kValueArea.bottom}
                        : fw::Rect{kValueArea.right - width, kValueArea.top, kValueArea.right,
                                   kValueArea.bottom};
}

fw::Rect RatioArea() {
    return {kValueArea.left + kThirdWidth, kValueArea.top, kValueArea.right - kThirdWidth,
            kValueArea.bottom};
}

// The panel's background around the value area, which the columns cover whole.
void FillAroundValueArea(fw::Dc& dc, const fw::Rect& panel) {
    const fw::Rect& v = kValueArea;
    for (const fw::Rect& r : {fw::Rect{panel.left, panel.top, panel.right, v.top},
                              fw::Rect{panel.left, v.top, v.left, v.bottom},
                              fw::Rect{v.right, v.top, panel.right, v.bottom},
                              fw::Rect{panel.left, v.bottom, panel.right, panel.bottom}})
        dc.FillRect(r, controls::kDialogBackground);
}

}  // namespace

CTwoChannelView::CTwoChannelView() = default;

void CTwoChannelView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    ratioMode_ = 0;
    GetDoc()->DropLostChambers();  // a chamber gone from the library takes its factor along
    CreateControls();
    CreatePages();
    ShowCollectionTexts();
    RefreshRangeCaptions();
    RefreshBiases();
    LayoutValueArea();
    RefreshRates();
    RefreshCharges();
    SetTimer(kSecondTimer, kSecondMs);
}

// ---- construction --------------------------------------------------------------------------

void CTwoChannelView::CreateControls() {
    CreateCollectionControls(
        {kZeroRect, kStartStopRect, kChargeTypeRect, kStatusCaptionRect, kStatusRect, kAddRect},
        "Add");
    CreatePageButton(kPageText, kPageFontHeight);
    CreateDateTimeBar();
    ratio_.Create(this, kRatioRect, kIdRatio, "Ratio");
    for (CBttn* b : {&addMeasurement_, &zero_, &ratio_}) {
        b->SetFontHeight(kSideButtonFontHeight);
        b->SetBold(true);
    }
    chargeType_.SetFontHeight(kChargeTypeFontHeight);
    CreateChannelButtons();
    for (int ch = 0; ch < 2; ++ch) {
        values_[ch].Create(this, *GetDoc(), kColumnIds[ch]);
        values_[ch].SetChannel(uint8_t(ch));
        values_[ch].SetBackground(ColumnBackground(ch));
    }
    ratios_.Create(this, *GetDoc());
    ratios_.SetBackground(fw::colors::kWhite);
    tabs_.Create(this, kTabRect, kIdTabs);
    tabs_.SetBkColor(fw::colors::kWhite);
}

void CTwoChannelView::CreateChannelButtons() {
    const int rangeIds[] = {kIdRange1, kIdRange2};
    const int biasIds[] = {kIdBias1, kIdBias2};
    const int rangeCaptionIds[] = {kIdRangeCaption1, kIdRangeCaption2};
    const int biasCaptionIds[] = {kIdBiasCaption1, kIdBiasCaption2};
    for (int ch = 0; ch < 2; ++ch) {
        range_[ch].Create(this, kRangeRects[ch], rangeIds[ch], "Range");
        bias_[ch].Create(this, kBiasRects[ch], biasIds[ch], "Bias");
        for (CBttn* b : {&range_[ch], &bias_[ch]}) {
            b->SetFontHeight(20);
            b->SetBold(true);
        }
        rangeCaption_[ch].Create(this, kRangeCaptionRects[ch], rangeCaptionIds[ch]);
        biasCaption_[ch].Create(this, kBiasCaptionRects[ch], biasCaptionIds[ch]);
        StyleOnPanel(rangeCaption_[ch], kCaptionFontHeight);
        StyleOnPanel(biasCaption_[ch], kCaptionFontHeight);
    }
}

void CTwoChannelView::CreatePages() {
    CKelvarinDoc& doc = *GetDoc();
    for (int ch = 0; ch < 2; ++ch) {
        setup_[ch].CreatePage(doc, fw::colors::kWhite);
        setup_[ch].SetModalRunner(ModalRunner());
        setup_[ch].SetChannel(uint8_t(ch));
        data_[ch].CreatePage(doc, fw::colors::kWhite);
        data_[ch].SetChannel(uint8_t(ch));
    }
    ratioData_.CreatePage(doc, fw::colors::kWhite);
    for (COneChannelDataDlg* page :
         {&data_[0], &data_[1], static_cast<COneChannelDataDlg*>(&ratioData_)}) {
        page->SetModalRunner(ModalRunner());
        page->SetOnRowsDeleted([this] { RefillDataPages(nullptr); });
        page->SetOnFlagChanged([this, page] { RefillDataPages(page); });
    }
    file_.CreatePage(nullptr, {0, 0, COneChannelDataDlg::kWidth, COneChannelDataDlg::kHeight}, doc);
    file_.SetModalRunner(ModalRunner());
    file_.SetOnDataSetChanged([this] { RefreshPages(); });
    fw::Window* pages[] = {&setup_[0], &data_[0], &setup_[1], &data_[1], &ratioData_, &file_};
    for (int i = 0; i < 6; ++i)
        tabs_.AddPage(kPageCaptions[i], *pages[i]);
    trend_.CreatePage(doc, tabs_.DisplayRect(), fw::colors::kWhite);
    tabs_.AddPage("Trend", trend_);
    trend_.SetChannels({0, 1});
    RefreshPages();
}

std::vector<fw::Window*> CTwoChannelView::LockedControls() {
    return {&range_[0], &range_[1],   &bias_[0],        &bias_[1], &PageButton(),
            &zero_,     &chargeType_, &addMeasurement_, &tabs_};
}

// ---- layout and painting -----------------------------------------------------------------

void CTwoChannelView::LayoutValueArea() {
    const bool ratioMode = ratioMode_ == 1;
    for (int ch = 0; ch < 2; ++ch)
        values_[ch].Layout(ChannelColumn(ch, ratioMode), ratioMode ? kNarrowLayout : kHalfLayout);
    if (ratioMode)
        ratios_.Build(RatioArea());
    else
        ratios_.Hide();
    Invalidate();
}

void CTwoChannelView::ToggleRatioMode() {
    ratioMode_ = ratioMode_ == 1 ? 0 : 1;
    LayoutValueArea();
    RefreshRates();
    RefreshCharges();
}

void CTwoChannelView::OnPaint(fw::Dc& dc) {
    FillAroundValueArea(dc, GetRect());
    const bool ratioMode = ratioMode_ == 1;
    for (int ch = 0; ch < 2; ++ch)
        dc.FillRect(ChannelColumn(ch, ratioMode), ColumnBackground(ch));
    one_channel::DrawRoundFrame(dc, kStatusFrame, controls::kScreenFrame);
    for (const fw::Rect& frame : kCaptionFrames)
        one_channel::DrawRoundFrame(dc, frame, controls::kScreenFrame);
    if (ratioMode) {
        const fw::Rect middle = RatioArea();
        dc.FillRect(middle, fw::colors::kWhite);
        dc.Line({middle.left, middle.top}, {middle.left, middle.bottom - 1}, fw::colors::kBlack);
        dc.Line({middle.right - 1, middle.top}, {middle.right - 1, middle.bottom - 1},
                fw::colors::kBlack);
    } else {
        const int x = kValueArea.left + kHalfWidth;
        dc.Line({x, kValueArea.top}, {x, kValueArea.bottom - 1}, fw::colors::kBlack);
    }
}

// ---- refreshing --------------------------------------------------------------------------

void CTwoChannelView::RefreshRates() {
    for (CChannelValues& column : values_)
        column.RefreshRate();
    ratios_.RefreshRate();
    trend_.Refresh();
}

void CTwoChannelView::RefreshCharges() {
    ShowTriggerStatus();
    for (CChannelValues& column : values_)
        column.RefreshCharge();
    ratios_.RefreshCharge();
}

void CTwoChannelView::RefreshRangeCaptions() {
    for (uint8_t ch = 0; ch < 2; ++ch)
        ShowRange(ch, rangeCaption_[ch]);
}

void CTwoChannelView::RefreshBiases() {
    for (uint8_t ch = 0; ch < 2; ++ch)
        ShowBias(ch, biasCaption_[ch]);
}

void CTwoChannelView::RefreshPages() {
    for (int ch = 0; ch < 2; ++ch) {
        setup_[ch].RefreshPage();
        data_[ch].RefreshPage();
    }
    ratioData_.RefreshPage();
    file_.Refresh();
}

void CTwoChannelView::RefreshFileNames() {
    for (COneChannelDataDlg& page : data_)
        page.ShowFileName();
    ratioData_.ShowFileName();
    file_.Refresh();  // the name gains its "*" and Save is offered
}

// One row, shown on both channels' data pages and on the ratio page.
void CTwoChannelView::ShowNewRow(const MEAS_INFO& row) {
    for (COneChannelDataDlg& page : data_)
        page.AddRow(row);
    ratioData_.AddRow(row);
    RefreshFileNames();
}

// ---- navigation ----------------------------------------------------------------------------

bool CTwoChannelView::SwitchChannelView(int target) {
    if (target == kShowBothChannels)
        return true;
    if (target != kShowChannel1 && target != kShowChannel2)
        return false;
    GetDoc()->OneChannelShown = uint8_t(target);
    return SwitchToViewOrTell(MakeOneChannelView());
}

void CTwoChannelView::OnPageCommand(int commandId) {
    if (commandId == menu_cmd::kChannels1And2)
        return;  // already shown
    if (commandId >= menu_cmd::kCheckSource)
        GetDoc()->CollectionFinished = 0;  // the held result is not kept for other screens
    CKelvarinFormView::OnPageCommand(commandId);
}

// ---- commands and notifications ----------------------------------------------------------

bool CTwoChannelView::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdRange1:
        case kIdRange2:
            selChannel_ = commandId == kIdRange1 ? 0 : 1;
            OpenRangeMenu(range_[selChannel_].GetRect());
            return true;
        case kIdBias1:
        case kIdBias2:
            selChannel_ = commandId == kIdBias1 ? 0 : 1;
            OpenBiasMenu(bias_[selChannel_].GetRect());
            return true;
        case kIdRatio:
            ToggleRatioMode();
            return true;
        default:
            return CMeasuringView::OnCommand(commandId, from);
    }
}

void CTwoChannelView::ShowChamberChange() {
    RefreshPages();
    LayoutValueArea();
}

void CTwoChannelView::OnUpdate(int hint) {
    CKelvarinDoc* doc = GetDoc();
    switch (hint) {
        case kHintBiasRead:
            RefreshBiases();
            return;
        case kHintNewRates:
            RefreshRates();
            if (doc->Channel[0].RateOverRange || doc->Channel[1].RateOverRange)
                fw::PlayResourceSound("SndOverload");
            return;
        case kHintCorrection:
            for (CChannelValues& column : values_) {
                column.ShowAdcMark();
                column.RefreshDoseLine();
            }
            ratios_.RefreshDose();
            RefreshPages();
            return;
        default:
            CMeasuringView::OnUpdate(hint);
            return;
    }
}

std::optional<SeriesSelection> CTwoChannelView::ShownSeries() const {
    switch (tabs_.GetCurSel()) {
        case kData1:
            return data_[0].Series();
        case kData2:
            return data_[1].Series();
        case kDataRatio:
            return ratioData_.Series();
        default:
            return std::nullopt;  // a set-up or the file page is in view
    }
}

void CTwoChannelView::RefillDataPages(const COneChannelDataDlg* except) {
    for (COneChannelDataDlg* page :
         {&data_[0], &data_[1], static_cast<COneChannelDataDlg*>(&ratioData_)}) {
        if (page != except)
            page->RefillRows();
    }
}
