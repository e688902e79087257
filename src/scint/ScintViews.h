#pragma once
// Makes the scintillator pages known to the navigation (page commands 567 and 570). The
// application calls it once at start-up, so the screens layer names no scintillator header.
class CKelvarinFormView;

void RegisterScintViews();

// Page command 567: the baseline is chosen in the selection dialog, then the scintillator
// measurement page is shown. Cancel, or OK without a baseline that still reads, changes
// nothing.
void ChooseBaselineThenMeasure(CKelvarinFormView& from);
