#include "controls/NumberEntry.h"

#include <cmath>
#include <cstdio>

#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"

namespace {

std::string LimitsText(const NumberRequest& r) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "Invalid value.\r\nValid values are:\r\n >= %g and <= %g",
                  r.minimum, r.maximum);
    return buffer;
}

}  // namespace

std::optional<double> ParseEntry(const std::string& text) {
    // Only what the keypad can type: an optional leading "-", digits, at most one point.
    bool digit = false;
    bool point = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else if (!(c == '-' && i == 0))
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    double value = 0;
    if (std::sscanf(text.c_str(), "%lf", &value) != 1 || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> AskForNumber(const NumberRequest& request) {
    CNumKeypadDlg keypad;
    keypad.SetTitleText(request.title);
    keypad.SetUnitText(request.unit);
    keypad.SetEntryText(request.preset);
    keypad.SetDecimals(request.decimals);
    keypad.SetMaxLength(request.maxLength);
    keypad.SetSignKey(request.signKey);
    keypad.SetQuickValues(request.quickValues);
    if (keypad.DoModal() != fw::kIdOk)
        return std::nullopt;
    std::optional<double> value = ParseEntry(keypad.EntryText());
    if (!value || *value < request.minimum || *value > request.maximum) {
        CMsgBox::Show(request.refusal.empty() ? LimitsText(request) : request.refusal, "",
                      CMsgBox::kTypeOk);
        return std::nullopt;
    }
    return value;
}
