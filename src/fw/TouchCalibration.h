#pragma once
// The touch panel's calibration: an affine map from the coordinates the panel reports to
// the pixel under the finger, fitted from touches on known targets. The SDL backend applies
// the map in force to every touch; the headless backend's touches are already pixels.
#include <array>
#include <optional>
#include <span>

#include "fw/Geometry.h"

namespace fw {

struct TouchMatrix {
    // x' = a x + b y + c, y' = d x + e y + f
    std::array<double, 6> k{1.0, 0.0, 0.0, 0.0, 1.0, 0.0};

    Point Map(Point raw) const;
    // Finite, and a map a real panel can need: each axis kept within a factor of 4 and the
    // offsets within one panel size; anything else would put touches off the screen.
    bool IsUsable() const;
};

// The map in force; an unusable one puts the identity in force instead.
void SetTouchMatrix(const TouchMatrix& matrix);
const TouchMatrix& GetTouchMatrix();

// Whether the touches come from a panel the map applies to (set by the SDL backend), so
// that the board's wake with calibration has something to calibrate.
void SetPanelNeedsCalibration(bool needs);
bool PanelNeedsCalibration();

// The least-squares map from the `touched` points to the `targets` (the same count, at
// least three). Nothing when the touches do not span the panel (all on or near one line),
// the map is not usable, or a touch lands more than `tolerance` pixels from its target after
// the fit (a finger slipped).
std::optional<TouchMatrix> SolveTouchMatrix(std::span<const Point> targets,
                                            std::span<const Point> touched, double tolerance);

}  // namespace fw
