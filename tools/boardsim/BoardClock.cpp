#include "boardsim/BoardClock.h"

#include <cstdio>
#include <ctime>

namespace boardsim {
namespace {

// Calendar times count as seconds since 1970 in the local zone's wall time.
int64_t HostLocalSeconds() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return int64_t(now) + local.tm_gmtoff;
}

int64_t ToSeconds(const fw::LocalTime& t) {
    return fw::DaysSinceEpoch(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 +
           t.second;
}

fw::LocalTime FromSeconds(int64_t seconds) {
    std::time_t s = static_cast<std::time_t>(seconds);
    std::tm c{};
    gmtime_r(&s, &c);
    fw::LocalTime t;
    t.year = c.tm_year + 1900;
    t.month = c.tm_mon + 1;
    t.day = c.tm_mday;
    t.dayOfWeek = c.tm_wday;
    t.hour = c.tm_hour;
    t.minute = c.tm_min;
    t.second = c.tm_sec;
    return t;
}

}  // namespace

bool BoardClock::Set(const fw::LocalTime& t) {
    if (!fw::IsValidLocalTime(t))
        return false;
    held_ = false;
    offsetSeconds_ = ToSeconds(t) - HostLocalSeconds();
    return true;
}

bool BoardClock::Hold(const fw::LocalTime& t) {
    if (!fw::IsValidLocalTime(t))
        return false;
    held_ = true;
    heldSeconds_ = ToSeconds(t);
    return true;
}

bool BoardClock::SetFromPayload(const uint8_t* p) {
    fw::LocalTime t;
    t.second = p[0];
    t.minute = p[1];
    t.hour = p[2];
    t.day = p[4];
    t.month = p[5];
    t.year = 2000 + p[6];
    return held_ ? Hold(t) : Set(t);
}

int64_t BoardClock::SecondsNow() const {
    return held_ ? heldSeconds_ : HostLocalSeconds() + offsetSeconds_;
}

fw::LocalTime BoardClock::Now() const {
    return FromSeconds(SecondsNow());
}

std::array<uint8_t, 7> BoardClock::Payload() const {
    const fw::LocalTime t = Now();
    return {uint8_t(t.second), uint8_t(t.minute), uint8_t(t.hour),       uint8_t(t.dayOfWeek + 1),
            uint8_t(t.day),    uint8_t(t.month),  uint8_t(t.year - 2000)};
}

std::optional<fw::LocalTime> ParseBoardDate(const std::string& text) {
    fw::LocalTime t;
    t.hour = t.minute = t.second = 0;
    char separator = 0;
    int used = 0;
    const int fields =
        std::sscanf(text.c_str(), "%4d-%2d-%2d%n%c%2d:%2d%n:%2d%n", &t.year, &t.month, &t.day,
                    &used, &separator, &t.hour, &t.minute, &used, &t.second, &used);
    const bool shapeOk =
        fields == 3 || ((fields == 6 || fields == 7) && (separator == 'T' || separator == ' '));
    if (!shapeOk || size_t(used) != text.size() || !fw::IsValidLocalTime(t))
        return std::nullopt;
    t.dayOfWeek = fw::DayOfWeek(t.year, t.month, t.day);
    return t;
}

}  // namespace boardsim
