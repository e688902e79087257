#include "screens/OneChannelEntry.h"

#include <cmath>

#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/NumberEntry.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"

namespace one_channel {
namespace {

constexpr int kInvalidTimeText = 439;
constexpr int kInvalidCountText = 551;
constexpr int kBiasEntryLength = 5;
constexpr int kTimeEntryLength = 5;
constexpr int kAtmStd = 1;

const char* const kInvalidBiasText =
    "This bias setting is invalid.\r\nValid settings are:\r\n+1000 <= +100\r\n-1000 >= - 100\r\n";

struct KeypadSetup {
    std::string title;
    std::string unit;
    std::string preset;
    int maxLength = CNumKeypadDlg::kAnyLength;
    int decimals = 0;
    bool signKey = false;
};

void Configure(CNumKeypadDlg& keypad, const KeypadSetup& setup) {
    keypad.SetTitleText(setup.title);
    keypad.SetUnitText(setup.unit);
    keypad.SetEntryText(setup.preset);
    keypad.SetMaxLength(setup.maxLength);
    keypad.SetDecimals(setup.decimals);
    keypad.SetSignKey(setup.signKey);
}

// The entry after OK; nothing after Cancel, a standby request or an empty entry.
std::optional<std::string> RunKeypad(const ModalRunner& run, CNumKeypadDlg& keypad) {
    if (run(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return std::nullopt;
    return keypad.EntryText();
}

void Refuse(const std::string& text) {
    CMsgBox::Show(text, "", CMsgBox::kTypeOk);
}

// A whole number within [minimum, maximum], or nothing (and the refusal shown).
std::optional<long> WholeNumberWithin(const std::string& entry, long minimum, long maximum,
                                      const std::string& refusal) {
    std::optional<double> v = ParseEntry(entry);
    if (!v || *v != std::floor(*v) || *v < double(minimum) || *v > double(maximum)) {
        Refuse(refusal);
        return std::nullopt;
    }
    return long(*v);
}

std::optional<double> AskCorrectionInput(const ModalRunner& run, const KeypadSetup& setup,
                                         Limits limits, const char* quantity) {
    CNumKeypadDlg keypad;
    Configure(keypad, setup);
    std::optional<std::string> entry = RunKeypad(run, keypad);
    if (!entry)
        return std::nullopt;
    std::optional<double> v = ParseEntry(*entry);
    if (!v || *v < limits.minimum || *v > limits.maximum) {
        const int decimals = setup.decimals == 3 ? 3 : 1;
        Refuse(fw::StringPrintf("The %s is invalid.\r\nValid values are:\r\n >= ", quantity) +
               formatting::Fixed(limits.minimum, decimals) +
               " and <= " + formatting::Fixed(limits.maximum, decimals));
        return std::nullopt;
    }
    return v;
}

}  // namespace

int RunUnregistered(CModalDialog& dialog) {
    return dialog.DoModal();
}

bool IsValidBias(int volts) {
    return volts == 0 || (volts >= 100 && volts <= 1000) || (volts >= -1000 && volts <= -100);
}

std::optional<int16_t> AskBias(const ModalRunner& run, int16_t current) {
    CNumKeypadDlg keypad;
    Configure(keypad, {"Enter Bias Value", "Volts", fw::StringPrintf("%d", current),
                       kBiasEntryLength, 0, true});
    std::optional<std::string> entry = RunKeypad(run, keypad);
    if (!entry)
        return std::nullopt;
    std::optional<double> v = ParseEntry(*entry);
    if (!v || !IsValidBias(int(*v))) {
        Refuse(kInvalidBiasText);
        return std::nullopt;
    }
    return int16_t(*v);
}

std::optional<CollectionPlan> AskCollectionPlan(const ModalRunner& run,
                                                const CollectionPlan& current) {
    CNumKeypadDlg timeKeypad;
    Configure(timeKeypad, {"Enter Collection Time", "Secs",
                           fw::StringPrintf("%ld", current.seconds), kTimeEntryLength});
    timeKeypad.SetShowRepeatChoice(true);
    timeKeypad.SetRepeatChoice(current.repeating);
    std::optional<std::string> entry = RunKeypad(run, timeKeypad);
    if (!entry)
        return std::nullopt;
    std::optional<long> seconds = WholeNumberWithin(
        *entry, kMinCollectionSeconds, kMaxCollectionSeconds, fw::LoadString(kInvalidTimeText));
    if (!seconds)
        return std::nullopt;

    CollectionPlan plan = current;
    plan.seconds = *seconds;
    if (timeKeypad.RepeatChoice() == 0) {
        plan.repeatCount = 1;
        plan.repeating = 0;
        return plan;
    }
    CNumKeypadDlg countKeypad;
    Configure(countKeypad, {"Enter Number of Collections", "Collections",
                            fw::StringPrintf("%d", current.repeatCount), kTimeEntryLength});
    std::optional<std::string> countEntry = RunKeypad(run, countKeypad);
    if (!countEntry)
        return plan;
    std::optional<long> count =
        WholeNumberWithin(*countEntry, 1, kMaxRepeatCount, fw::LoadString(kInvalidCountText));
    if (count) {
        plan.repeatCount = int(*count);
        plan.repeating = *count >= 2 ? 1 : 0;
    }
    return plan;
}

Limits TemperatureLimits() {
    return {-20.0, 60.0};
}

Limits PressureLimits(int pressStd) {
    switch (pressStd) {
        case 1:
            return {0.5, 1.2};  // atm
        case 2:
            return {50.0, 120.0};  // kPa
        default:
            return {375.0, 900.0};  // mmHg
    }
}

std::string TemperatureText(double celsius) {
    return formatting::Fixed(celsius, 1);
}

std::string PressureText(double pressure, int pressStd) {
    return formatting::Fixed(pressure, pressStd == kAtmStd ? 3 : 1);
}

std::string PressureUnit(int pressStd) {
    static constexpr int kUnitIds[] = {338, 337, 339};
    return fw::LoadString(kUnitIds[pressStd >= 0 && pressStd <= 2 ? pressStd : 0]);
}

std::optional<double> AskTemperature(const ModalRunner& run, const std::string& preset) {
    return AskCorrectionInput(
        run,
        {"Enter Temperature", fw::LoadString(374), preset, CNumKeypadDlg::kAnyLength, 1, false},
        TemperatureLimits(), "temperature");
}

std::optional<double> AskPressure(const ModalRunner& run, const std::string& preset, int pressStd) {
    const int decimals = pressStd == kAtmStd ? 3 : 1;
    return AskCorrectionInput(run,
                              {"Enter Pressure", PressureUnit(pressStd), preset,
                               CNumKeypadDlg::kAnyLength, decimals, false},
                              PressureLimits(pressStd), "pressure");
}

}  // namespace one_channel
