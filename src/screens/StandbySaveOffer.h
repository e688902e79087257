#pragma once
// The save offer of a standby request: unsaved rows are saved, dropped by the operator's
// explicit choice, or the standby is refused. The name is asked in the save-file box with the
// checks of every data-set save. Rows are never dropped by accident: Cancel, an empty name or
// an unsafe one given up refuses the standby, and a failed write asks whether to try again.
#include "document/CKelvarinDoc.h"
#include "export/DataFile.h"

class CKelvarinFormView;

class StandbySaveOffer {
  public:
    enum class Outcome { GoOn, Refuse };

    StandbySaveOffer(CKelvarinFormView& view, CKelvarinDoc& doc, DataLayout layout)
        : view_(view), doc_(doc), layout_(layout) {}

    // Asks "You have un-saved measurement data..." when rows are unsaved, and saves when
    // the operator wants it. GoOn: standby may clear the lists.
    Outcome Run();

    static constexpr const char* kRetryText =
        "Could not save data.\r\nWould you like to try again?";

  private:
    Outcome SaveUnder(const std::string& name);
    int Ask(const std::string& text, int type);

    CKelvarinFormView& view_;
    CKelvarinDoc& doc_;
    DataLayout layout_;
};
