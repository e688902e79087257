#include "prefs/PageStyle.h"

#include "controls/ControlColors.h"

namespace prefs_style {

void Caption(CLabel& label, int fontHeight) {
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(fontHeight);
    label.SetBold(true);
    label.SetAlignment(CLabel::kLeft);
}

void ValueBox(CLabel& label, int fontHeight) {
    label.SetBkColor(fw::colors::kWhite);
    label.SetTextColor(fw::colors::kBlack);
    label.SetFontHeight(fontHeight);
    label.SetBold(true);
    label.SetBorder(true);
}

void Button(CBttn& button, int fontHeight) {
    button.SetFontHeight(fontHeight);
    button.SetBold(true);
}

void Choice(CBttn& choice) {
    choice.SetCheckBoxMode(true);
    choice.SetBitmaps(controls::kBmpChoiceMarked, controls::kBmpChoiceUnmarked);
    choice.SetTransparent(true, fw::colors::kTransparentKey);
    choice.SetBkColor(controls::kDialogBackground);
    choice.SetTextColor(fw::colors::kWhite);
    choice.SetFontHeight(18);
}

void CheckBox(CBttn& box) {
    box.SetCheckBoxMode(true);
    box.SetBkColor(controls::kDialogBackground);
    box.SetTextColor(fw::colors::kWhite);
    box.SetFontHeight(18);
    box.SetBold(true);
}

}  // namespace prefs_style
