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

std::string CutValueText(const std::string& text) {
    size_t keep = !text.empty() && text[0] == '-' ? 6 : 5;
    size_t point = text.find('.');
    size_t integerEnd = point == std::string::npos ? text.size() : point;
    return text.substr(0, std::max(keep, integerEnd));
}

std::string FourSignificant(double v) {
    double a = std::fabs(v);
    if (a < 10)
        return fw::StringPrintf("%0.3f", v);
    if (a < 100)
        return fw::StringPrintf("%.2f", v);
    if (a < 1000)
        return fw::StringPrintf("%.1f", v);
    return fw::StringPrintf("%.0f", v);
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
