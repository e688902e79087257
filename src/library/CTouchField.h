#pragma once
// A value field of the chamber wizard: a white, framed label that tells its parent when it
// is touched, so the page can open the field's keypad, date picker or menu.
#include "controls/CLabel.h"

class CTouchField : public CLabel {
  public:
    // Builds the field in its look: black text of `fontHeight` on white, framed, left-aligned.
    void CreateField(fw::Window* parent, const fw::Rect& rect, int id, int fontHeight);

    void OnTouchDown(fw::Point p) override;
    void OnTouchUp(fw::Point p) override;

  private:
    bool pressed_ = false;
};
