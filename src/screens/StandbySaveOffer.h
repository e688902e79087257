#pragma once
// The save offer of a standby request: unsaved rows are saved, dropped by the operator's
// explicit choice, or the standby is refused. Rows are never dropped by accident: a name
// left empty or a storage answer nobody expected refuses the standby, with a message.
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

    static constexpr const char* kEmptyNameText =
        "No file name was given.\r\nThe data was not saved.";
    static constexpr const char* kRetryText =
        "Could not save data.\r\nWould you like to try again?";
    static constexpr const char* kUnexpectedText =
        "The storage device gave an unexpected answer.\r\nThe data was not saved.";

  private:
    // The name keypad captioned "Save"; false when the operator left it without OK.
    bool AskName(std::string& name);
    Outcome SaveUnder(const std::string& name);
    int Ask(const std::string& text, int type);
    void Tell(const std::string& text);

    CKelvarinFormView& view_;
    CKelvarinDoc& doc_;
    DataLayout layout_;
};
