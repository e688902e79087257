#pragma once
// A number asked for on the numeric keypad and checked against its limits. A value that
// is not a number or lies outside the limits is refused with an OK-only message box; the
// caller then keeps the value it had.
#include <optional>
#include <string>

struct NumberRequest {
    std::string title;   // "Enter Bias Value"
    std::string unit;    // "Volts"
    std::string preset;  // the value in force, as shown
    double minimum = 0;
    double maximum = 0;
    // Shown when the entry is refused; a generic text naming the limits when empty.
    std::string refusal;
    int decimals = -1;
    int maxLength = -1;
    bool signKey = true;
    bool quickValues = false;
};

// The entered value; nullopt after Cancel, a standby request, or a refused entry.
std::optional<double> AskForNumber(const NumberRequest& request);

// The number `text` holds as a whole (C locale: "12.5", "-3"); nullopt for anything else
// (empty, "-", ".", "1e3", "nan").
std::optional<double> ParseEntry(const std::string& text);
