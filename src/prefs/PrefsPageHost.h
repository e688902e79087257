#pragma once
// What a preferences page asks of the screen that holds it: the document, the working
// values of this visit, marking a change, and running its dialogs and menus registered
// with the screen (so a standby request can close them).
#include <string>

#include "fw/Geometry.h"

class CHWControl;
class CKelvarinDoc;
class CModalDialog;
class CPopupMenu;
struct PrefsValues;

class PrefsPageHost {
  public:
    virtual ~PrefsPageHost() = default;

    virtual CKelvarinDoc& Doc() = 0;
    virtual PrefsValues& Values() = 0;
    virtual CHWControl& Hardware() = 0;
    // A working value changed: "Apply" is enabled.
    virtual void MarkChanged() = 0;
    // The pressure or temperature standard changed: Apply switches T/P correction off.
    virtual void MarkStandardsChanged() = 0;
    // The date/time bar in the working formats, read from the clock again.
    virtual void PreviewFormats() = 0;
    // The dialog's result; kIdStandby when a standby request closed it.
    virtual int RunPageDialog(CModalDialog& dialog) = 0;
    // The chosen command, 0 when none.
    virtual int TrackPagePopup(CPopupMenu& menu, const fw::Rect& button) = 0;

    // An OK-only message; its result (kIdStandby when a standby request closed it).
    int Tell(const std::string& text);
    // A question with the message box `type`; its result.
    int Ask(const std::string& text, int type);
};
