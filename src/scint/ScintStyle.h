#pragma once
// The looks the scintillator pages share: captions on the panel's blue, white value fields,
// green action buttons and the radio-like choice buttons.
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"

namespace scint {

// The grey of texts that only inform (the set names of the library page): dark enough to read
// on the panel's blue, where the controls' disabled grey almost vanishes.
constexpr fw::Color kInformGrey = fw::Color::Rgb(64, 64, 64);
// The heads of the blue (channel 1) and green (channel 2) values.
constexpr fw::Color kBlueText = fw::Color::Rgb(0, 0, 255);
constexpr fw::Color kGreenText = fw::Color::Rgb(0, 140, 0);

// White bold text on the dialog blue.
void StyleCaption(CLabel& label, int fontHeight, CLabel::Alignment alignment = CLabel::kLeft);
// Black text on a white value field.
void StyleOnWhite(CLabel& label, int fontHeight, bool bold,
                  CLabel::Alignment alignment = CLabel::kLeft);
// White bold text on the action green.
void StyleAction(CBttn& button, int fontHeight);
// A check-box face whose mark the page sets (only one of a group is marked).
void StyleChoice(CBttn& button, int fontHeight);
// A white framed field that opens its entry when touched.
void StyleField(CBttn& button, int fontHeight);

}  // namespace scint
