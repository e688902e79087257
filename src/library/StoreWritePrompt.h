#pragma once
// A library write that the operator may try again: when `write` fails, the box "Could not
// save data. Would you like to try again?" asks; Yes writes again, No or a standby request
// gives up. True only when a write succeeded.
#include <functional>

class CModalDialog;

namespace library {

inline constexpr const char* kCouldNotSaveText =
    "Could not save data.\r\nWould you like to try again?";

bool WriteWithRetry(const std::function<int(CModalDialog&)>& run,
                    const std::function<bool()>& write);

}  // namespace library
