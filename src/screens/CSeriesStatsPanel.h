#pragma once
// The statistics beside a data page's list: the unit on top, then n, mean, standard
// deviation, coefficient of variation, minimum and maximum of the rows listed.
#include <array>

#include "controls/CLabel.h"
#include "document/SeriesSummary.h"
#include "fw/Window.h"

class CSeriesStatsPanel : public fw::Window {
  public:
    static constexpr int kIdUnit = 1480;
    // Values, in the order n, mean, s, CV, min, max.
    static constexpr std::array<int, 6> kValueIds = {1481, 1482, 1483, 1484, 1485, 1486};
    static constexpr int kFigures = 6;

    void Create(fw::Window* parent, const fw::Rect& rect);
    void SetBkColor(fw::Color background);
    void ShowSummary(const SeriesSummary& summary);
    // The text shown for figure `i` (kValueIds order).
    const std::string& FigureText(int i) const { return values_[size_t(i)].Text(); }
    const std::string& UnitText() const { return unit_.Text(); }

    void OnPaint(fw::Dc& dc) override;

  private:
    fw::Color background_ = fw::colors::kWhite;
    CLabel unit_;
    std::array<CLabel, kFigures> captions_, values_;
};
