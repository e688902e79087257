#pragma once
// Drawing the measuring screen's own decorations.
#include "controls/CLabel.h"
#include "fw/Dc.h"

namespace one_channel {

inline constexpr int kFrameCornerRadius = 16;

// A one-pixel frame along `r` with quarter-circle corners of `radius`.
void DrawRoundFrame(fw::Dc& dc, const fw::Rect& r, fw::Color color,
                    int radius = kFrameCornerRadius);

// The part of `band` a one-line text in the label's font needs, with the same vertical centre, so
// that a value drawn centred shows where it did in the whole band while a new value repaints only
// that strip.
fw::Rect TextStrip(const fw::Rect& band, const CLabel& label);

}  // namespace one_channel
