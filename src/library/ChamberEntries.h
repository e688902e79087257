#pragma once
// What the chamber wizard's keypads and date pickers turn into a chamber calibration record,
// and the record a new chamber starts from. Each parse gives nothing for an entry that is
// not a number or does not fit its field; the wizard then keeps the value it had.
#include <cstdint>
#include <optional>
#include <string>

#include "store/ChamberCal.h"

namespace chamber_entry {

// The largest mantissa the 16-bit field holds in thousandths with a margin for rounding.
inline constexpr double kMaxMantissa = 32.75;
// Powers of ten that keep a coefficient (and a dose from it) a finite number.
inline constexpr int kMinExponent = -99;
inline constexpr int kMaxExponent = 99;

// Values the wizard shows as empty fields: nothing entered yet.
inline constexpr int16_t kNotEntered = -1;

// A record with nothing entered: empty texts, dates 0/0/0, mantissa, mode and polarity −1,
// exponent 0.
CHAMBER_CAL NewChamberRecord();
// Clears the calibration of `cal` (beam/isotope, coefficient, mode, Aion, polarity) and keeps
// the chamber, its report and dates, for a further calibration of the same chamber.
void ClearCalibration(CHAMBER_CAL& cal);

enum class MantissaCheck { kAccepted, kTooLarge, kNotANumber };
struct MantissaEntry {
    MantissaCheck check = MantissaCheck::kNotANumber;
    int16_t thousandths = 0;
};
// A mantissa typed on the keypad, in thousandths rounded to the nearest (1.001 → 1001).
MantissaEntry ParseMantissa(const std::string& text);
// A whole power of ten within kMinExponent..kMaxExponent.
std::optional<int16_t> ParseExponent(const std::string& text);
// A whole number of volts that the 16-bit field holds.
std::optional<int16_t> ParsePolarity(const std::string& text);
// The Aion factor as the record keeps it: "%0.3f" of the number typed.
std::optional<std::string> ParseAion(const std::string& text);

// Whether the date is a real calendar date.
bool IsValidDate(const DATE_YMD& date);
// The same month and day two years on; 29 February becomes 28 February.
DATE_YMD DueDateTwoYearsOn(const DATE_YMD& reportDate);

}  // namespace chamber_entry
