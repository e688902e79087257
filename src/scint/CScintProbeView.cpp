#include "scint/CScintProbeView.h"

#include "document/CKelvarinDoc.h"

void CScintProbeView::PrepareBoard() {
    CKelvarinDoc* doc = GetDoc();
    doc->SetRange(0, 0);
    doc->SetRange(1, 0);
    doc->SetBias(0, 0);
    doc->SetBias(1, 0);
}
