#pragma once
// The file page of the measuring screens' data pages: the data set's name ("*" after it
// while rows are unsaved), "New" to start a new data set and "Save" to write the rows to
// the USB storage device (enabled only while rows are unsaved). Failures are told in a
// message box and the rows are kept.
#include <functional>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "export/DataFile.h"
#include "fw/Window.h"
#include "screens/CDialogDataSetPrompts.h"

class CKelvarinDoc;

class CFileDlg : public fw::Window {
  public:
    static constexpr int kIdName = 1305;
    static constexpr int kIdNew = 1306;
    static constexpr int kIdSave = 1307;

    // The page for `doc`'s data set, writing `layout` (the scintillator screen writes its own).
    void CreatePage(fw::Window* parent, const fw::Rect& rect, CKelvarinDoc& doc,
                    DataLayout layout = DataLayout::Measurement);
    void SetBkColor(fw::Color background);
    // How the page's dialogs run (by default on their own); the screen the page is on
    // registers them with itself, so a standby request can close them.
    void SetModalRunner(CDialogDataSetPrompts::Runner run) { run_ = std::move(run); }
    // Called after "New" started a data set or "Save" wrote one, so the data list is redrawn.
    void SetOnDataSetChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // The name with "*" while rows are unsaved; "Save" enabled only then.
    void Refresh();
    // The two commands, as the buttons give them.
    SaveOutcome Save();
    bool New();

    std::string ShownName() const { return name_.Text(); }
    bool SaveEnabled() const { return save_.IsEnabled(); }

    bool OnCommand(int commandId, fw::Window* from) override;
    bool OnMessage(const fw::Message& msg) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    CKelvarinDoc* doc_ = nullptr;
    DataLayout layout_ = DataLayout::Measurement;
    fw::Color background_ = fw::colors::kWhite;
    CLabel caption_;
    CLabel name_;
    CBttn new_;
    CBttn save_;
    CDialogDataSetPrompts::Runner run_;
    std::function<void()> changed_;
};
