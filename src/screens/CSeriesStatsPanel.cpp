#include "screens/CSeriesStatsPanel.h"

#include "document/Formatting.h"

namespace {

constexpr int kFontHeight = 13;
constexpr int kLinePitch = 17;
constexpr int kCaptionWidth = 34;
const char* const kCaptions[] = {"n", "Mean", "SD", "CV %", "Min", "Max"};

}  // namespace

void CSeriesStatsPanel::Create(fw::Window* parent, const fw::Rect& rect) {
    fw::Window::Create(parent, rect);
    unit_.Create(this, {rect.left, rect.top, rect.right, rect.top + kLinePitch}, kIdUnit);
    unit_.SetBold(true);
    unit_.SetFontHeight(kFontHeight);
    unit_.SetMarkedText(true);  // dose-rate units carry raised characters
    for (int i = 0; i < kFigures; ++i) {
        const int top = rect.top + (i + 1) * kLinePitch;
        const int split = rect.left + kCaptionWidth;
        captions_[i].Create(this, {rect.left, top, split, top + kLinePitch}, 0, kCaptions[i]);
        captions_[i].SetAlignment(CLabel::kLeft);
        values_[i].Create(this, {split, top, rect.right, top + kLinePitch}, kValueIds[i]);
        values_[i].SetAlignment(CLabel::kRight);
        for (CLabel* l : {&captions_[i], &values_[i]})
            l->SetFontHeight(kFontHeight);
    }
    ShowSummary(SeriesSummary{});
}

void CSeriesStatsPanel::SetBkColor(fw::Color background) {
    background_ = background;
    unit_.SetBkColor(background);
    for (int i = 0; i < kFigures; ++i) {
        captions_[i].SetBkColor(background);
        values_[i].SetBkColor(background);
    }
    Invalidate();
}

void CSeriesStatsPanel::ShowSummary(const SeriesSummary& s) {
    const std::string na = formatting::NotApplicable();
    // A ratio has no unit; a column without readings has none yet.
    unit_.SetText(s.unit.empty() || s.unit == na ? "Statistics" : s.unit);
    const std::string* figures[] = {
        nullptr, &s.mean, &s.standardDeviation, &s.coefficientOfVariation, &s.minimum, &s.maximum};
    values_[0].SetText(std::to_string(s.count));
    for (int i = 1; i < kFigures; ++i)
        values_[i].SetText(figures[i]->empty() ? na : *figures[i]);
}

void CSeriesStatsPanel::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), background_);
}
