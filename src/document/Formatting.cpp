#include "document/Formatting.h"

#include <cmath>

#include "fw/Resources.h"
#include "fw/Text.h"

namespace formatting {

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

std::string Superscript(int n) {
    std::string digits = fw::StringPrintf("%d", n);
    std::string out;
    for (char c : digits) {
        out.push_back('^');
        out.push_back(c);
    }
    return out;
}

std::string RemoveCommas(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == ',')
            c = ' ';
    }
    return out;
}

}  // namespace formatting
