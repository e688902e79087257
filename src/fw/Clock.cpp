#include "fw/Clock.h"

#include <chrono>
#include <ctime>
#include <mutex>

namespace fw {
namespace {

std::mutex gClockMutex;
std::shared_ptr<Clock> gClock = std::make_shared<SystemClock>();

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The host's local time zone offset at `seconds`, so the instrument shows host local time.
int64_t HostUtcOffset(int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

LocalTime FromEpochSeconds(int64_t s) {
    int64_t days = s >= 0 ? s / 86400 : (s - 86399) / 86400;
    int64_t rem = s - days * 86400;
    // civil_from_days
    int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    LocalTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rem / 3600);
    t.minute = static_cast<int>(rem / 60 % 60);
    t.second = static_cast<int>(rem % 60);
    t.dayOfWeek = DayOfWeek(t.year, t.month, t.day);
    return t;
}

int64_t ToEpochSeconds(const LocalTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

bool IsValidLocalTime(const LocalTime& t) {
    return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 &&
           t.minute < 60 && t.second >= 0 && t.second < 60 && t.milliseconds >= 0 &&
           t.milliseconds < 1000;
}

int64_t DaysSinceEpoch(int year, int month, int day) {
    return DaysFromCivil(year, month, day);
}

int DayOfWeek(int year, int month, int day) {
    int64_t days = DaysFromCivil(year, month, day);  // 1970-01-01 was a Thursday
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

LocalTime Clock::Now() const {
    int64_t sys = SystemSeconds();
    return FromEpochSeconds(sys + HostUtcOffset(sys) + offsetSeconds_);
}

bool Clock::SetLocalTime(const LocalTime& t) {
    if (!IsValidLocalTime(t))
        return false;
    int64_t sys = SystemSeconds();
    offsetSeconds_ = ToEpochSeconds(t) - (sys + HostUtcOffset(sys));
    return true;
}

int64_t SystemClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t SystemClock::SystemSeconds() const {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

Clock& GetClock() {
    std::lock_guard<std::mutex> lock(gClockMutex);
    return *gClock;
}

void SetClock(std::shared_ptr<Clock> clock) {
    std::lock_guard<std::mutex> lock(gClockMutex);
    gClock = std::move(clock);
}

}  // namespace fw
