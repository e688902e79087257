#pragma once
// The colours the touch controls share with the screens (RGB as the panel shows them).
#include "fw/Geometry.h"

namespace controls {

constexpr fw::Color kDialogBackground = fw::colors::kDialogBackground;
constexpr fw::Color kActionButton = fw::colors::kAction;
constexpr fw::Color kZeroButton = fw::Color::Rgb(207, 177, 226);
constexpr fw::Color kSelectedRow = fw::colors::kAction;
constexpr fw::Color kDisabled = fw::colors::kDisabledText;
constexpr fw::Color kOverRange = fw::colors::kOverRange;
constexpr fw::Color kScreenFrame = fw::Color::Rgb(0, 159, 217);
constexpr fw::Color kGrey = fw::Color::Rgb(128, 128, 128);

// Bitmap resources the controls draw themselves.
constexpr int kBmpCheckMarked = 146;
constexpr int kBmpCheckUnmarked = 142;
constexpr int kBmpBackspace = 163;
constexpr int kBmpChoiceMarked = 230;
constexpr int kBmpChoiceUnmarked = 232;
constexpr int kBmpPageBackground = 246;

}  // namespace controls
