#pragma once
// The pair of arrow buttons beside a list that moves it a line at a time: how they are made
// and when they are live.
#include "controls/CBttn.h"
#include "controls/CTouchListCtrl.h"

namespace controls {

// The scroll-up and scroll-down faces, each centred in its button (grey when disabled).
void CreateScrollButtons(fw::Window* parent, CBttn& up, const fw::Rect& upRect, int upId,
                         CBttn& down, const fw::Rect& downRect, int downId);

// Both live while the list holds more rows than the `visibleRows` it shows.
void EnableScrollButtons(const CTouchListCtrl& list, int visibleRows, CBttn& up, CBttn& down);

// Each live while the list can still move its way.
void EnableScrollDirections(const CTouchListCtrl& list, CBttn& up, CBttn& down);

}  // namespace controls
