#pragma once
// The "Trend" page of the measuring screens: a strip chart of each shown channel's rate over
// the last 1, 5 or 15 minutes — the current, or the dose rate where a chamber measures on the
// current, in the unit the screen shows it in — with the spans where collections ran and the
// drift over the window. It reads the document's trend rings and does nothing while hidden.
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "fw/Window.h"
#include "screens/TrendPlot.h"

class CKelvarinDoc;

// What one channel's part of the chart shows.
struct TrendChannelChart {
    uint8_t channel = 0;
    int unitId = 0;
    std::optional<TrendAxis> axis;  // nothing: no value in the window to draw
    std::vector<std::vector<fw::Point>> runs;
    std::vector<int> overRangeXs;
    std::optional<double> drift;  // % per minute
};

struct TrendChart {
    fw::Rect plot;
    std::vector<TrendTick> timeTicks;
    std::vector<TrendMark> marks;
    std::vector<std::pair<int, int>> spans;
    std::vector<TrendChannelChart> channels;  // left axis first
};

class CTrendPage : public fw::Window {
  public:
    static constexpr std::array<int, 3> kIdWindows = {2301, 2302, 2303};
    static constexpr std::array<int, 3> kWindowMinutes = {1, 5, 15};
    static constexpr std::array<int, 2> kIdLegends = {2304, 2305};

    // A page of `size` (its width and height count) on `background`.
    void CreatePage(CKelvarinDoc& doc, const fw::Rect& size, fw::Color background);
    // The channels drawn: one, or both (channel 1 on the left axis).
    void SetChannels(std::vector<uint8_t> channels);
    void SetBkColor(fw::Color background);
    // After new rates or a change of range or chamber: the chart again, if it is shown.
    void Refresh();

    int WindowMinutes() const { return kWindowMinutes[window_]; }
    const TrendChart& Chart() const { return chart_; }
    const CLabel& Legend(int slot) const { return legends_[slot & 1]; }

    bool OnMessage(const fw::Message& msg) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    // What a channel's line is drawn in: the current, or its dose rate.
    struct Quantity {
        int doseUnitId = 0;   // 0: the current
        double factor = 1.0;  // from the ring's values to the shown unit
        int unitId = 0;
    };
    Quantity QuantityOf(uint8_t channel) const;
    bool ShowsTwo() const { return channels_.size() == 2; }
    void CreateWindowButtons();
    void Layout();
    void SelectWindow(int index);
    fw::Rect PlotRect() const;
    void BuildChart();
    void ShowLegends();

    void DrawSpansAndGrid(fw::Dc& dc) const;
    void DrawMarks(fw::Dc& dc) const;
    void DrawChannel(fw::Dc& dc, const TrendChannelChart& c, fw::Color color) const;
    void DrawValueLabels(fw::Dc& dc, const TrendChannelChart& c, bool rightSide) const;
    void DrawTimeLabels(fw::Dc& dc) const;
    void DrawSwatches(fw::Dc& dc) const;

    CKelvarinDoc* doc_ = nullptr;
    std::vector<uint8_t> channels_{0};
    int window_ = 0;
    fw::Color background_ = fw::colors::kWhite;
    std::array<CBttn, 3> windowButtons_;
    std::array<CLabel, 2> legends_;
    TrendChart chart_;
    std::vector<TrendValue> values_;  // reused from one refresh to the next
};
