#include "controls/ScrollButtons.h"

#include "res/Resources.h"

namespace controls {

void CreateScrollButtons(fw::Window* parent, CBttn& up, const fw::Rect& upRect, int upId,
                         CBttn& down, const fw::Rect& downRect, int downId) {
    up.Create(parent, upRect, upId);
    up.SetBitmaps(res::kBmpScrollUp, res::kBmpScrollUpDisabled);
    down.Create(parent, downRect, downId);
    down.SetBitmaps(res::kBmpScrollDown, res::kBmpScrollDownDisabled);
    for (CBttn* b : {&up, &down})
        b->SetBitmapPosition(CBttn::BitmapPosition::Centre);
}

void EnableScrollButtons(const CTouchListCtrl& list, int visibleRows, CBttn& up, CBttn& down) {
    const bool scrollable = list.GetItemCount() > visibleRows;
    up.Enable(scrollable);
    down.Enable(scrollable);
}

void EnableScrollDirections(const CTouchListCtrl& list, CBttn& up, CBttn& down) {
    up.Enable(list.CanScrollUp());
    down.Enable(list.CanScrollDown());
}

}  // namespace controls
