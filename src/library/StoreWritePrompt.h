#pragma once
// A change to a library store that the operator may try again when it fails: "Could not save
// data. Would you like to try again?" after every failed attempt, until it succeeds or the
// operator answers anything but Yes.
#include <functional>

#include "library/LibraryModal.h"

namespace library {

inline constexpr const char* kStoreRetryText =
    "Could not save data.\r\nWould you like to try again?";

// Runs `write` until it returns true (then true) or the operator gives up (then false).
bool WriteWithRetry(const ModalRunner& run, const std::function<bool()>& write);

}  // namespace library
