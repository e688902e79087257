#pragma once
// One clock behind every timer and the instrument's local time, so a test can advance
// a 60 s warm-up without waiting for it.
#include <cstdint>
#include <memory>

namespace fw {

// Calendar time as the instrument keeps it; dayOfWeek 0 = Sunday .. 6 = Saturday.
struct LocalTime {
    int year = 2000;
    int month = 1;
    int dayOfWeek = 6;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
    bool operator==(const LocalTime&) const = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    // Monotonic milliseconds for timers.
    virtual int64_t NowMs() const = 0;
    // Wall-clock seconds since 1970 as the operating system gives them.
    virtual int64_t SystemSeconds() const = 0;

    // The instrument's local time: the system's local time moved by whatever offset
    // SetLocalTime last chose (the board's clock is taken over without changing the host).
    LocalTime Now() const;
    // False, with nothing changed, when `t` is not a real calendar time.
    bool SetLocalTime(const LocalTime& t);

  private:
    int64_t offsetSeconds_ = 0;
};

class SystemClock : public Clock {
  public:
    int64_t NowMs() const override;
    int64_t SystemSeconds() const override;
};

// A clock that moves only when told to.
class ManualClock : public Clock {
  public:
    explicit ManualClock(int64_t systemSeconds = 1457946307) : systemSeconds_(systemSeconds) {}
    int64_t NowMs() const override { return nowMs_; }
    int64_t SystemSeconds() const override { return systemSeconds_ + nowMs_ / 1000; }
    void Advance(int64_t ms) { nowMs_ += ms; }

  private:
    int64_t nowMs_ = 0;
    int64_t systemSeconds_;
};

// The process-wide clock; a SystemClock until a test installs another.
Clock& GetClock();
void SetClock(std::shared_ptr<Clock> clock);

// Calendar checks shared by the clock and the date dialogs.
bool IsValidLocalTime(const LocalTime& t);
int DayOfWeek(int year, int month, int day);
// Days since 1970-01-01 of a (proleptic Gregorian) calendar date.
int64_t DaysSinceEpoch(int year, int month, int day);

}  // namespace fw
