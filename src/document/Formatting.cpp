#include "document/Formatting.h"

#include <cmath>

#include "fw/Resources.h"
#include "fw/Text.h"

namespace formatting {
namespace {

constexpr int kUnitPicoAmp = 292, kUnitNanoAmp = 289;
constexpr int kUnitPicoCoulomb = 294, kUnitNanoCoulomb = 291, kUnitMicroCoulomb = 351;
constexpr int kUnitGy = 469, kUnitCGy = 470, kUnitMGy = 541, kUnitMicroGy = 542;
constexpr int kUnitR = 471, kUnitMR = 472, kUnitMicroR = 556;

}  // namespace

std::string NotApplicable() {
    return fw::LoadString(kNotApplicableId);
}

std::string OverRange() {
    return fw::LoadString(kOverRangeId);
}

std::string WithoutNegativeZero(std::string text) {
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string Fixed(double v, int decimals) {
    return WithoutNegativeZero(fw::StringPrintf("%.*f", decimals, v));
}

std::string CutValueText(const std::string& text) {
    size_t keep = !text.empty() && text[0] == '-' ? 6 : 5;
    size_t point = text.find('.');
    size_t integerEnd = point == std::string::npos ? text.size() : point;
    return text.substr(0, std::max(keep, integerEnd));
}

std::string FourSignificant(double v) {
    double a = std::fabs(v);
    return Fixed(v, a < 10 ? 3 : a < 100 ? 2 : a < 1000 ? 1 : 0);
}

std::string SteppedValue(double v, double scale) {
    const double a = std::fabs(v);
    return CutValueText(Fixed(v / scale, a < 10 * scale ? 3 : a < 100 * scale ? 2 : 1));
}

std::string RatioValue(double r) {
    const double m = std::fabs(r);
    return Fixed(r, m < 100 ? 3 : m < 1e4 ? 2 : m < 1e5 ? 1 : 0);
}

RateUnit RateUnitFor(bool highRange) {
    return highRange ? RateUnit{kUnitNanoAmp, 1e6} : RateUnit{kUnitPicoAmp, 1e3};
}

ChargeUnit ChargeUnitFor(bool highRange, double magnitudePc) {
    if (!highRange && magnitudePc < 1000)
        return {kUnitPicoCoulomb, 1.0};
    if (magnitudePc < 1e6)
        return {kUnitNanoCoulomb, 1e3};
    return {kUnitMicroCoulomb, 1e6};
}

DoseUnit DoseUnitFor(bool roentgen, double magnitude) {
    const double a = magnitude;
    if (roentgen) {
        return a >= 0.01    ? DoseUnit{kUnitR, 1.0}
               : a >= 0.001 ? DoseUnit{kUnitMR, 1e3}
                            : DoseUnit{kUnitMicroR, 1e6};
    }
    return a >= 1       ? DoseUnit{kUnitGy, 1.0}
           : a >= 0.01  ? DoseUnit{kUnitCGy, 1e2}
           : a >= 0.001 ? DoseUnit{kUnitMGy, 1e3}
                        : DoseUnit{kUnitMicroGy, 1e6};
}

std::string Superscript(int n) {
    std::string digits = fw::StringPrintf("%d", n);
    std::string out;
    for (char c : digits) {
        out.push_back('^');
        out.push_back(c);
    }
    return out;
}

}  // namespace formatting
