#pragma once
// The look the preferences pages share: white bold captions on the dialog colour, white
// buttons, and choices drawn as marked or unmarked circles.
#include "controls/CBttn.h"
#include "controls/CLabel.h"

namespace prefs_style {

inline constexpr int kPageWidth = 630;
inline constexpr int kPageHeight = 336;

void Caption(CLabel& label, int fontHeight = 18);
// A value shown in a white box ("8", "4.0", "1.000").
void ValueBox(CLabel& label, int fontHeight = 22);
void Button(CBttn& button, int fontHeight = 18);
// One of a group of choices: marked for the value in force.
void Choice(CBttn& choice);
// A check box on the page.
void CheckBox(CBttn& box);

}  // namespace prefs_style
