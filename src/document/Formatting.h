#pragma once
// Number texts shared by every screen, data file and remote reply.
#include <string>
#include <string_view>

namespace formatting {

inline constexpr int kNotApplicableId = 333;  // "----"
inline constexpr int kOverRangeId = 407;      // "XXXXX"

std::string NotApplicable();
std::string OverRange();

// `text` without its leading minus sign when it is a number whose every digit is zero
// ("-0.000" → "0.000"; "-0.001" and "-inf" stay as they are):
// a value that rounds to nothing is shown, written and sent as an unsigned zero.
std::string WithoutNegativeZero(std::string text);

// "%.<decimals>f" of v, a value that rounds to zero without a minus sign.
std::string Fixed(double v, int decimals);

// Keeps at most 5 characters of a non-negative value's text and 6 of a negative one's, but
// never cuts into the digits left of the decimal point.
std::string CutValueText(const std::string& text);

// "%0.3f" below 10, "%.2f" below 100, "%.1f" below 1000, "%.0f" from there (by |v|).
std::string FourSignificant(double v);

// A rate or a charge, v shown divided by `scale` (the shown unit's size): three decimals
// below 10 shown units, two below 100, then one; cut as value texts are.
std::string SteppedValue(double v, double scale);

// A ratio: three decimals below 100, two below 10^4, one below 10^5, then none (by |r|).
std::string RatioValue(double r);

// The unit a current is shown in: pA on the Low range, nA on the High; the value in fA is
// shown divided by `faPerUnit`.
struct RateUnit {
    int unitId;
    double faPerUnit;
};
RateUnit RateUnitFor(bool highRange);

// The unit a charge of |pc| pC is shown in: pC only on the Low range, then nC, then µC; the
// value is shown divided by `pcPerUnit`.
struct ChargeUnit {
    int unitId;
    double pcPerUnit;
};
ChargeUnit ChargeUnitFor(bool highRange, double magnitudePc);

// The unit a dose of |v| Gy (Gy, cGy, mGy, µGy) or, for the exposure modes, R (R, mR, µR) is
// shown in; the value is shown multiplied by `unitsPerBase`.
struct DoseUnit {
    int unitId;
    double unitsPerBase;
};
DoseUnit DoseUnitFor(bool roentgen, double magnitude);

// "%d" of n with "^" before every character, for a raised power of ten (−12 → "^-^1^2").
std::string Superscript(int n);

}  // namespace formatting
