#include "screens/CTrendPage.h"

#include <cmath>

#include "controls/CTouchTabCtrl.h"
#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"
#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Clock.h"
#include "fw/Resources.h"
#include "fw/Text.h"

namespace {

constexpr int64_t kMsPerMinute = 60000;

// Page layout, from the page's top-left corner.
constexpr int kButtonLeft = 4, kButtonRight = 68, kButtonTop = 6, kButtonHeight = 42;
constexpr int kButtonPitch = 48;
constexpr int kLegendTop = 2, kLegendBottom = 22;
constexpr int kSwatchWidth = 14;
constexpr int kPlotLeft = 126, kPlotTop = 30, kPlotBottom = 124;
constexpr int kRightAxisWidth = 56;  // beside the plot, for channel 2's values
constexpr int kValueLabelLeft = 70;
constexpr int kTimeLabelHeight = 18;
constexpr int kButtonFontHeight = 16;
constexpr int kLegendFontHeight = 14;
constexpr int kTickFontHeight = 13;

// Channel 1 as on the screens' white columns, channel 2 in the grey of its column, darker
// so that its line reads on the white plot.
constexpr std::array<fw::Color, 2> kChannelLines = {fw::colors::kBlack, fw::Color::Rgb(96, 96, 96)};
constexpr fw::Color kChannel2Column = fw::Color::Rgb(194, 194, 194);
constexpr fw::Color kGridLine = fw::Color::Rgb(224, 224, 224);
constexpr fw::Color kCollectionSpan = fw::Color::Rgb(226, 241, 212);
constexpr fw::Color kStartMark = fw::colors::kAction;
constexpr fw::Color kEndMark = fw::Color::Rgb(249, 178, 0);
constexpr int kOverRangeTick = 4;

std::string DriftText(const std::optional<double>& drift) {
    if (!drift)
        return "Drift: ----";
    const double d = std::fabs(*drift) < 0.0005 ? 0.0 : *drift;
    const double a = std::fabs(d);
    const char* format = a < 10     ? "Drift: %+.3f %%/min"
                         : a < 100  ? "Drift: %+.2f %%/min"
                         : a < 1000 ? "Drift: %+.1f %%/min"
                                    : "Drift: %+.3g %%/min";
    return fw::StringPrintf(format, d);
}

fw::FontSpec TickFont() {
    return fw::FontSpec{"Tahoma", kTickFontHeight, fw::kWeightNormal};
}

// A line two pixels thick, so that it reads at a glance.
void ThickLine(fw::Dc& dc, fw::Point a, fw::Point b, fw::Color c) {
    dc.Line(a, b, c);
    dc.Line({a.x, a.y + 1}, {b.x, b.y + 1}, c);
}

}  // namespace

void CTrendPage::CreatePage(CKelvarinDoc& doc, const fw::Rect& size, fw::Color background) {
    doc_ = &doc;
    Create(nullptr, {0, 0, size.Width(), size.Height()});
    CreateWindowButtons();
    for (int slot = 0; slot < 2; ++slot) {
        legends_[slot].Create(this, {}, kIdLegends[slot]);
        legends_[slot].SetFontHeight(kLegendFontHeight);
        legends_[slot].SetBold(true);
        legends_[slot].SetMarkedText(true);  // dose-rate units carry superscripts
        legends_[slot].SetAlignment(CLabel::kLeft);
    }
    SetBkColor(background);
    Layout();
}

void CTrendPage::CreateWindowButtons() {
    for (int i = 0; i < 3; ++i) {
        CBttn& b = windowButtons_[i];
        const int top = kButtonTop + i * kButtonPitch;
        b.Create(this, {kButtonLeft, top, kButtonRight, top + kButtonHeight}, kIdWindows[i],
                 fw::StringPrintf("%d min", kWindowMinutes[i]));
        b.SetFontHeight(kButtonFontHeight);
        b.SetBold(true);
        b.SetOnClick([this, i] { SelectWindow(i); });
    }
    SelectWindow(window_);
}

void CTrendPage::SetChannels(std::vector<uint8_t> channels) {
    channels_.clear();
    for (uint8_t ch : channels) {
        if (channels_.size() < 2)
            channels_.push_back(ch & 1);
    }
    if (channels_.empty())
        channels_.push_back(0);
    Layout();
    Refresh();
}

// One legend across the top for a single channel; for two, one over each half.
void CTrendPage::Layout() {
    const fw::Rect r = GetRect();
    const int left = r.left + kValueLabelLeft + 4;
    if (!ShowsTwo()) {
        legends_[0].MoveTo({left, r.top + kLegendTop, r.right - 6, r.top + kLegendBottom});
        legends_[1].Show(false);
    } else {
        const int mid = left + (r.right - left) / 2;
        legends_[0].MoveTo(
            {left + kSwatchWidth + 4, r.top + kLegendTop, mid, r.top + kLegendBottom});
        legends_[1].MoveTo(
            {mid + kSwatchWidth + 8, r.top + kLegendTop, r.right - 2, r.top + kLegendBottom});
        legends_[1].Show(true);
    }
    Invalidate();
}

void CTrendPage::SetBkColor(fw::Color background) {
    background_ = background;
    for (CLabel& l : legends_)
        l.SetBkColor(background);
    Invalidate();
}

void CTrendPage::SelectWindow(int index) {
    window_ = index;
    for (int i = 0; i < 3; ++i) {
        const bool selected = i == window_;
        windowButtons_[i].SetBkColor(selected ? controls::kActionButton : fw::colors::kWhite);
        windowButtons_[i].SetTextColor(selected ? fw::colors::kWhite : fw::colors::kBlack);
    }
    Refresh();
}

bool CTrendPage::OnMessage(const fw::Message& msg) {
    if (msg.id != CTouchTabCtrl::kPageShowing)
        return false;
    Refresh();
    return true;
}

// ---- the chart -----------------------------------------------------------------------------

fw::Rect CTrendPage::PlotRect() const {
    const fw::Rect r = GetRect();
    const int right = r.right - (ShowsTwo() ? kRightAxisWidth : 8);
    return {r.left + kPlotLeft, r.top + kPlotTop, right, r.top + kPlotBottom};
}

CTrendPage::Quantity CTrendPage::QuantityOf(uint8_t channel) const {
    const CAL_MODE* mode = FindCalMode(doc_->Channel[channel].CalMode);
    if (doc_->HasAppliedChamber(channel) && mode != nullptr && !mode->chargeBased)
        return {mode->unitId, 1.0, mode->unitId};
    const formatting::RateUnit unit = formatting::RateUnitFor(doc_->Channel[channel].Range == 1);
    return {0, 1.0 / unit.faPerUnit, unit.unitId};
}

void CTrendPage::Refresh() {
    if (doc_ == nullptr || !IsShownOnPanel())
        return;  // a hidden page costs nothing: it is built again as it is shown
    BuildChart();
    ShowLegends();
    const fw::Rect r = GetRect();
    InvalidateRect({r.left + kValueLabelLeft, r.top + kLegendBottom, r.right, r.bottom});
}

void CTrendPage::BuildChart() {
    const int64_t now = fw::GetClock().NowMs();
    const int64_t window = WindowMinutes() * kMsPerMinute;
    const CTrendPlot plot(PlotRect(), now, window);
    chart_.plot = plot.Area();
    chart_.timeTicks = plot.TimeTicks();
    // Both rings see the same collections: the first channel's marks stand for both.
    doc_->Trend[channels_[0]].Values(now - window, 0, values_);
    chart_.marks = plot.Marks(values_);
    chart_.spans = plot.CollectionSpans(values_);
    chart_.channels.resize(channels_.size());
    for (size_t i = 0; i < channels_.size(); ++i) {
        const Quantity q = QuantityOf(channels_[i]);
        doc_->Trend[channels_[i]].Values(now - window, q.doseUnitId, values_);
        for (TrendValue& v : values_)
            v.value *= q.factor;
        TrendChannelChart& c = chart_.channels[i];
        c.channel = channels_[i];
        c.unitId = q.unitId;
        c.drift = DriftPercentPerMinute(values_);
        c.axis = plot.AxisFor(values_);
        c.runs.clear();
        if (c.axis)
            plot.Runs(values_, c.axis->scale, c.runs);
        c.overRangeXs = plot.OverRangeXs(values_);
    }
}

void CTrendPage::ShowLegends() {
    for (size_t i = 0; i < chart_.channels.size(); ++i) {
        const TrendChannelChart& c = chart_.channels[i];
        std::string text = ShowsTwo() ? fw::StringPrintf("Ch.%d  ", c.channel + 1) : "";
        text += fw::LoadString(c.unitId) + "   " + DriftText(c.drift);
        legends_[i].SetText(text);
    }
}

// ---- painting ------------------------------------------------------------------------------

void CTrendPage::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), background_);
    if (ShowsTwo()) {
        const fw::Rect p = PlotRect();  // channel 2's values on its column's grey
        dc.FillRect({p.right, p.top - 8, GetRect().right - 2, p.bottom + 8}, kChannel2Column);
    }
    if (chart_.channels.empty())
        return;  // not built yet: shown only once it is
    DrawSpansAndGrid(dc);
    DrawMarks(dc);
    for (size_t i = chart_.channels.size(); i-- > 0;)
        DrawChannel(dc, chart_.channels[i], kChannelLines[chart_.channels[i].channel]);
    dc.FrameRect(chart_.plot, controls::kGrey);
    dc.SetFont(TickFont());
    for (size_t i = 0; i < chart_.channels.size(); ++i)
        DrawValueLabels(dc, chart_.channels[i], i == 1);
    DrawTimeLabels(dc);
    DrawSwatches(dc);
}

void CTrendPage::DrawSpansAndGrid(fw::Dc& dc) const {
    const fw::Rect& p = chart_.plot;
    dc.FillRect(p, fw::colors::kWhite);
    for (const auto& [from, to] : chart_.spans)
        dc.FillRect({from, p.top, to + 1, p.bottom}, kCollectionSpan);
    if (const auto& axis = chart_.channels[0].axis) {
        for (const TrendTick& t : axis->ticks)
            dc.Line({p.left, t.pos}, {p.right - 1, t.pos}, kGridLine);
    }
    for (const TrendTick& t : chart_.timeTicks)
        dc.Line({t.pos, p.top}, {t.pos, p.bottom - 1}, kGridLine);
}

void CTrendPage::DrawMarks(fw::Dc& dc) const {
    const fw::Rect& p = chart_.plot;
    for (const TrendMark& m : chart_.marks) {
        const fw::Color c = m.start ? kStartMark : kEndMark;
        dc.FillRect({m.x - 1, p.top, m.x + 1, p.bottom}, c);
    }
}

void CTrendPage::DrawChannel(fw::Dc& dc, const TrendChannelChart& c, fw::Color color) const {
    for (const std::vector<fw::Point>& run : c.runs) {
        if (run.size() == 1)
            dc.FillRect({run[0].x - 1, run[0].y - 1, run[0].x + 1, run[0].y + 1}, color);
        for (size_t i = 1; i < run.size(); ++i)
            ThickLine(dc, run[i - 1], run[i], color);
    }
    const int top = chart_.plot.top;
    for (int x : c.overRangeXs)
        dc.FillRect({x - 1, top, x + 1, top + kOverRangeTick}, controls::kOverRange);
}

void CTrendPage::DrawValueLabels(fw::Dc& dc, const TrendChannelChart& c, bool rightSide) const {
    if (!c.axis)
        return;
    const fw::Rect r = GetRect();
    const fw::Rect& p = chart_.plot;
    const int half = kTickFontHeight / 2 + 2;
    dc.SetTextColor(kChannelLines[c.channel]);
    for (const TrendTick& t : c.axis->ticks) {
        const fw::Rect box =
            rightSide ? fw::Rect{p.right + 4, t.pos - half, r.right - 2, t.pos + half}
                      : fw::Rect{r.left + kValueLabelLeft, t.pos - half, p.left - 4, t.pos + half};
        dc.DrawText(
            t.label, box,
            fw::kSingleLine | fw::kAlignVCenter | (rightSide ? fw::kAlignLeft : fw::kAlignRight));
    }
}

// The window's start flush left, "now" flush right, the others centred on their ticks.
void CTrendPage::DrawTimeLabels(fw::Dc& dc) const {
    const fw::Rect& p = chart_.plot;
    const int top = p.bottom + 2;
    const int halfWidth = 32;
    dc.SetTextColor(fw::colors::kBlack);
    for (size_t i = 0; i < chart_.timeTicks.size(); ++i) {
        const TrendTick& t = chart_.timeTicks[i];
        unsigned align = fw::kAlignCenter;
        fw::Rect box{t.pos - halfWidth, top, t.pos + halfWidth, top + kTimeLabelHeight};
        if (i == 0) {
            align = fw::kAlignLeft;
            box = {t.pos, top, t.pos + 2 * halfWidth, top + kTimeLabelHeight};
        } else if (i + 1 == chart_.timeTicks.size()) {
            align = fw::kAlignRight;
            box = {t.pos - 2 * halfWidth, top, t.pos + 1, top + kTimeLabelHeight};
        }
        dc.DrawText(t.label, box, fw::kSingleLine | fw::kAlignVCenter | align);
    }
}

// Each channel's line colour beside its legend.
void CTrendPage::DrawSwatches(fw::Dc& dc) const {
    if (!ShowsTwo())
        return;
    for (int slot = 0; slot < 2; ++slot) {
        const fw::Color color = kChannelLines[chart_.channels[slot].channel];
        const fw::Rect legend = legends_[slot].GetRect();
        const int y = (legend.top + legend.bottom) / 2;
        ThickLine(dc, {legend.left - kSwatchWidth - 4, y}, {legend.left - 5, y}, color);
    }
}
