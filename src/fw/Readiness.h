#pragma once
// Telling the program that started this one (the panel's launcher) that the instrument is up:
// when KELVARIN_READY_FD names an open descriptor, the line "ready" is written to it once the
// first frame is on the panel (the first view, or a box about a port that would not open),
// and the descriptor is closed. Without the variable nothing
// happens, so the program runs the same when started by hand.
namespace fw {

inline constexpr const char* kReadyFdVariable = "KELVARIN_READY_FD";

// True when a launcher was told; later calls do nothing.
bool SignalReady();

}  // namespace fw
