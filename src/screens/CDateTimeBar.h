#pragma once
// The date and time strip along the bottom of every screen: three coloured bands, the date
// at the left, the time at the right. It is redrawn when the minute changes, not every
// second.
#include <string>

#include "fw/Clock.h"
#include "fw/Window.h"

class CDateTimeBar : public fw::Window {
  public:
    static constexpr int kId = 1013;
    static constexpr int kHeight = 21;  // 12 dialog units

    // The strip's place on a full screen.
    static fw::Rect DefaultRect();

    // `timeFormat` 0 = 12-hour, 1 = 24-hour; `dateFormat` 0..2 as the document's.
    void SetFormats(int timeFormat, int dateFormat);
    int TimeFormat() const { return timeFormat_; }
    int DateFormat() const { return dateFormat_; }
    // Reads the instrument clock; redraws when its minute differs from the one drawn, or when
    // `force`. True when it asked for a redraw.
    bool Refresh(bool force);
    int RedrawCount() const { return redraws_; }

    void OnPaint(fw::Dc& dc) override;

    static std::string DateText(const fw::LocalTime& t, int dateFormat);
    static std::string TimeText(const fw::LocalTime& t, int timeFormat);

  private:
    int timeFormat_ = 0;
    int dateFormat_ = 0;
    fw::LocalTime shown_{};
    bool drawnOnce_ = false;
    int redraws_ = 0;
};
