#pragma once
// The numbers the one-channel screen and its set-up page ask for on the numeric keypad:
// bias, collection time and count, temperature and pressure. Each ask shows the keypad,
// refuses an entry outside the instrument's limits with an OK-only message, and returns
// nothing after Cancel, an empty entry, a refusal or a standby request.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CModalDialog;

namespace one_channel {

// Runs a keypad or picker modally, registered with the screen it belongs to; its result.
using ModalRunner = std::function<int(CModalDialog&)>;
// Runs the dialog without a screen to register with.
int RunUnregistered(CModalDialog& dialog);

inline constexpr long kMinCollectionSeconds = 1;
inline constexpr long kMaxCollectionSeconds = 86400;
inline constexpr int kMaxRepeatCount = 500;

// Bias the front end can apply: off, or 100 V to 1000 V of either polarity.
bool IsValidBias(int volts);
std::optional<int16_t> AskBias(const ModalRunner& run, int16_t current);

// A timed collection as entered: its length and how often it runs.
struct CollectionPlan {
    long seconds = 0;
    int repeatCount = 1;
    int repeating = 0;
};
// Asks for the time (with the single/repeating choice) and, for a repeating collection,
// the number of collections. A refused or abandoned count keeps the previous one.
std::optional<CollectionPlan> AskCollectionPlan(const ModalRunner& run,
                                                const CollectionPlan& current);

// Air-density correction inputs. A pressure of zero would divide the correction by zero,
// so both are held to what a measuring room can have.
struct Limits {
    double minimum;
    double maximum;
};
Limits TemperatureLimits();
Limits PressureLimits(int pressStd);
// "%.1f" of a temperature; a pressure with three decimals in atm and one otherwise.
std::string TemperatureText(double celsius);
std::string PressureText(double pressure, int pressStd);
// "mmHg", "atm" or "kPa".
std::string PressureUnit(int pressStd);
std::optional<double> AskTemperature(const ModalRunner& run, const std::string& preset);
std::optional<double> AskPressure(const ModalRunner& run, const std::string& preset, int pressStd);

}  // namespace one_channel
