#include "scint/ScintStyle.h"

#include "controls/ControlColors.h"

namespace scint {

void StyleCaption(CLabel& label, int fontHeight, CLabel::Alignment alignment) {
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(fontHeight);
    label.SetBold(true);
    label.SetAlignment(alignment);
}

void StyleOnWhite(CLabel& label, int fontHeight, bool bold, CLabel::Alignment alignment) {
    label.SetBkColor(fw::colors::kWhite);
    label.SetTextColor(fw::colors::kBlack);
    label.SetFontHeight(fontHeight);
    label.SetBold(bold);
    label.SetAlignment(alignment);
}

void StyleAction(CBttn& button, int fontHeight) {
    button.SetBkColor(controls::kActionButton);
    button.SetTextColor(fw::colors::kWhite);
    button.SetFontHeight(fontHeight);
    button.SetBold(true);
}

void StyleChoice(CBttn& button, int fontHeight) {
    button.SetCheckBoxMode(true);
    button.SetBkColor(controls::kDialogBackground);
    button.SetTextColor(fw::colors::kWhite);
    button.SetFontHeight(fontHeight);
    button.SetBold(true);
}

void StyleField(CBttn& button, int fontHeight) {
    button.SetBkColor(fw::colors::kWhite);
    button.SetTextColor(fw::colors::kBlack);
    button.SetFontHeight(fontHeight);
    button.SetFramed(true);
}

}  // namespace scint
