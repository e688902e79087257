#pragma once
// Drawing the measuring screen's own decorations.
#include "fw/Dc.h"

namespace one_channel {

inline constexpr int kFrameCornerRadius = 16;

// A one-pixel frame along `r` with quarter-circle corners of `radius`.
void DrawRoundFrame(fw::Dc& dc, const fw::Rect& r, fw::Color color,
                    int radius = kFrameCornerRadius);

}  // namespace one_channel
