#pragma once
// The value lines of one measuring channel: rate and charge, and with a calibrated chamber
// the dose rate or dose, each as caption, value and unit, plus the "ADC" mark of the
// air-density correction. The one-channel screen shows one such column, the two-channel
// screen one per channel.
#include <array>
#include <cstdint>
#include <string>

#include "controls/CLabel.h"
#include "fw/Geometry.h"

class CKelvarinDoc;

// How the lines of a column are placed and sized.
struct ValueLayout {
    int captionWidth = 0;  // 0: each caption sits above its value instead of beside it
    int unitWidth = 0;
    int largeValue = 0;  // value text heights with two lines and with three
    int smallValue = 0;
    int largeCaption = 0;
    int smallCaption = 0;
};

class CChannelValues {
  public:
    // Control ids of caption, value and unit of each line, and of the "ADC" mark.
    struct Ids {
        std::array<int, 3> rate;
        std::array<int, 3> charge;
        std::array<int, 3> dose;
        int adc;
    };

    void Create(fw::Window* parent, CKelvarinDoc& doc, const Ids& ids);
    void SetChannel(uint8_t channel) { channel_ = channel & 1; }
    uint8_t Channel() const { return channel_; }

    // Two lines (rate above charge) without a calibrated chamber; three with one: rate,
    // dose rate, charge for a mode on the current, rate, charge, dose for one on the charge.
    void Layout(const fw::Rect& area, const ValueLayout& layout);
    void SetBackground(fw::Color background);
    // The "ADC" mark: shown while a calibrated chamber is corrected for air density.
    void ShowAdcMark();

    void RefreshRate();
    void RefreshCharge();
    void RefreshDoseLine();
    bool DoseIsCurrentBased() const;

    const CLabel& RateValue() const { return rate_.value; }
    const CLabel& ChargeValue() const { return charge_.value; }
    const CLabel& DoseValue() const { return dose_.value; }
    const CLabel& DoseCaption() const { return dose_.caption; }

  private:
    struct Line {
        CLabel caption;
        CLabel value;
        CLabel unit;
    };

    void CreateLine(fw::Window* parent, Line& line, std::array<int, 3> ids,
                    const std::string& caption);
    void PlaceLine(Line& line, const fw::Rect& area, int row, int rows, const ValueLayout& layout);
    void ShowDoseLine(bool shown);
    // The value in red while over range; its unit text by string id (0: none).
    static void ShowValue(Line& line, const std::string& text, bool overRange, int unitId);

    CKelvarinDoc* doc_ = nullptr;
    uint8_t channel_ = 0;
    Line rate_, charge_, dose_;
    CLabel adc_;
};
