#include "screens/CDateTimeBar.h"

#include "fw/Font.h"
#include "fw/Text.h"

namespace {

constexpr fw::Color kLeftBand = fw::Color::Rgb(249, 178, 0);
constexpr fw::Color kMiddleBand = fw::Color::Rgb(105, 190, 40);
constexpr fw::Color kRightBand = fw::Color::Rgb(0, 159, 217);
constexpr int kTextInset = 4;
constexpr int kFontHeight = 14;

// Hour 0 is 12 AM, 12 is 12 PM.
int TwelveHour(int hour) {
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

}  // namespace

fw::Rect CDateTimeBar::DefaultRect() {
    return fw::Rect{0, fw::kScreenHeight - kHeight, fw::kScreenWidth, fw::kScreenHeight};
}

void CDateTimeBar::SetFormats(int timeFormat, int dateFormat) {
    timeFormat_ = timeFormat == 1 ? 1 : 0;
    dateFormat_ = dateFormat >= 0 && dateFormat <= 2 ? dateFormat : 0;
}

bool CDateTimeBar::Refresh(bool force) {
    const fw::LocalTime now = fw::GetClock().Now();
    const bool minuteChanged = !drawnOnce_ || now.minute != shown_.minute ||
                               now.hour != shown_.hour || now.day != shown_.day ||
                               now.month != shown_.month || now.year != shown_.year;
    if (!minuteChanged && !force)
        return false;
    shown_ = now;
    drawnOnce_ = true;
    ++redraws_;
    Invalidate();
    return true;
}

std::string CDateTimeBar::DateText(const fw::LocalTime& t, int dateFormat) {
    switch (dateFormat) {
        case 1:
            return fw::StringPrintf("%02d/%02d/%d", t.day, t.month, t.year);
        case 2:
            return fw::StringPrintf("%d%02d%02d", t.year, t.month, t.day);
        default:
            return fw::StringPrintf("%02d/%02d/%d", t.month, t.day, t.year);
    }
}

std::string CDateTimeBar::TimeText(const fw::LocalTime& t, int timeFormat) {
    if (timeFormat == 1)
        return fw::StringPrintf("%02d:%02d", t.hour, t.minute);
    return fw::StringPrintf("%02d:%02d %s", TwelveHour(t.hour), t.minute,
                            t.hour < 12 ? "AM" : "PM");
}

void CDateTimeBar::OnPaint(fw::Dc& dc) {
    const fw::Rect r = GetRect();
    const int quarter = r.Width() / 4;
    dc.FillRect(fw::Rect{r.left, r.top, r.left + quarter, r.bottom}, kLeftBand);
    dc.FillRect(fw::Rect{r.left + quarter, r.top, r.right - quarter, r.bottom}, kMiddleBand);
    dc.FillRect(fw::Rect{r.right - quarter, r.top, r.right, r.bottom}, kRightBand);
    dc.Line({r.left, r.top}, {r.right - 1, r.top}, fw::colors::kBlack);

    dc.SetFont(fw::FontSpec{"Tahoma", kFontHeight, fw::kWeightBold});
    dc.SetTextColor(fw::colors::kWhite);
    const fw::Rect text{r.left + kTextInset, r.top + 1, r.right - kTextInset, r.bottom};
    dc.DrawText(DateText(shown_, dateFormat_), text,
                fw::kAlignLeft | fw::kAlignVCenter | fw::kSingleLine);
    dc.DrawText(TimeText(shown_, timeFormat_), text,
                fw::kAlignRight | fw::kAlignVCenter | fw::kSingleLine);
}
