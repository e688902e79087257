#pragma once
// Saving and starting data sets, as the file dialog and the standby sequence do it: ask for
// a name when there is none, never overwrite another file unasked, and count a list as saved
// only once its file was written completely.
#include <string>

#include "document/CKelvarinDoc.h"
#include "export/DataFile.h"

// The questions a save may ask the operator; the screens answer them with their dialogs.
class IDataSetPrompts {
  public:
    virtual ~IDataSetPrompts() = default;
    // The name keypad captioned by string `captionId`; false on Cancel.
    virtual bool AskFileName(int captionId, std::string& name) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    // kIdYes, kIdNo or kIdCancel.
    virtual int AskYesNoCancel(const std::string& text) = 0;
    virtual void Tell(const std::string& text) = 0;
};

enum class SaveOutcome { Saved, NothingToSave, Cancelled, NoDevice, Refused, WriteFailed };

inline constexpr int kCaptionSave = 199;
inline constexpr int kCaptionSaveAs = 250;

extern const char* const kDeviceNotFoundText;
extern const char* const kFileExistsText;
extern const char* const kUnsavedDataText;
extern const char* const kUnsafeNameText;
extern const char* const kWriteFailedText;

// Asks for a name until it is one a file may have (an unsafe one is told and asked again);
// false on Cancel or an empty name.
bool AskDataFileName(IDataSetPrompts& prompts, int captionId, std::string& name);
// "Save": names an untitled data set, checks the device and the file, and writes.
SaveOutcome SaveDataSet(CKelvarinDoc& doc, DataLayout layout, IDataSetPrompts& prompts);
// Checks and writes under the current Title (steps after naming); used by Save and New.
SaveOutcome WriteDataSet(CKelvarinDoc& doc, DataLayout layout, IDataSetPrompts& prompts);
// "New": offers to save unsaved rows, then clears both lists and makes a new title.
// True when a new data set was started.
bool NewDataSet(CKelvarinDoc& doc, DataLayout layout, IDataSetPrompts& prompts);
