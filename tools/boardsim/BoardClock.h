#pragma once
// The main board's battery clock. It starts at the host's local time and runs with it; a date
// given at start, or the instrument's SetDateTime, moves it. A held clock stands still, so a
// test reads the same date whenever it runs.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "fw/Clock.h"

namespace boardsim {

class BoardClock {
  public:
    BoardClock() = default;

    // Runs on from `t`; false, with nothing changed, when `t` is no calendar time.
    bool Set(const fw::LocalTime& t);
    // Stands at `t` until set again.
    bool Hold(const fw::LocalTime& t);
    // A SetDateTime payload: second, minute, hour, weekday, day, month, year - 2000. Fields
    // that make no date (the instrument sends 0xFF when it has none) leave the clock alone.
    bool SetFromPayload(const uint8_t* payload);

    fw::LocalTime Now() const;
    // The clock in the payload layout of SetDateTime (weekday 1 = Sunday).
    std::array<uint8_t, 7> Payload() const;

  private:
    int64_t SecondsNow() const;

    int64_t offsetSeconds_ = 0;  // from the host's local time
    bool held_ = false;
    int64_t heldSeconds_ = 0;
};

// "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (a blank may stand for the T);
// nothing when the text is no calendar time.
std::optional<fw::LocalTime> ParseBoardDate(const std::string& text);

}  // namespace boardsim
