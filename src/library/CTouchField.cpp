#include "library/CTouchField.h"

void CTouchField::CreateField(fw::Window* parent, const fw::Rect& rect, int id, int fontHeight) {
    Create(parent, rect, id);
    SetBkColor(fw::colors::kWhite);
    SetTextColor(fw::colors::kBlack);
    SetFontHeight(fontHeight);
    SetBorder(true);
    SetAlignment(kLeft);
}

void CTouchField::OnTouchDown(fw::Point) {
    pressed_ = true;
}

void CTouchField::OnTouchUp(fw::Point p) {
    const bool touched = pressed_ && GetRect().Contains(p);
    pressed_ = false;
    if (touched && IsEnabled())
        NotifyParent(Id());
}
