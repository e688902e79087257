#include "export/DataSetSaver.h"

#include "fw/Message.h"

const char* const kDeviceNotFoundText =
    "Device not found, make sure the USB storage device is connected and try again.";
const char* const kFileExistsText = "File already exists, do you want to overwrite?";
const char* const kUnsavedDataText = "You have un-saved measurement data.\r\nDo you want to save?";
const char* const kUnsafeNameText =
    "A file name cannot contain \\ / : or \"..\".\r\nEnter another name.";
const char* const kWriteFailedText = "Could not save data.";

namespace {

bool IsUnsaved(const CKelvarinDoc& doc, DataLayout layout) {
    return layout == DataLayout::Scintillator ? doc.ScintUnsaved != 0 : doc.MeasUnsaved != 0;
}

}  // namespace

bool AskDataFileName(IDataSetPrompts& prompts, int captionId, std::string& name) {
    while (true) {
        std::string entered = name;
        if (!prompts.AskFileName(captionId, entered) || entered.empty())
            return false;
        if (IsSafeDataFileName(entered)) {
            name = entered;
            return true;
        }
        prompts.Tell(kUnsafeNameText);
    }
}

SaveOutcome WriteDataSet(CKelvarinDoc& doc, DataLayout layout, IDataSetPrompts& prompts) {
    switch (CheckDataFile(doc.Title, doc.DataFileDelimiter)) {
        case kPathNotFound:
            prompts.Tell(kDeviceNotFoundText);
            return SaveOutcome::NoDevice;
        case kInvalidName:
            prompts.Tell(kUnsafeNameText);
            return SaveOutcome::Refused;
        case kFileExists:
            // Only the file this data set was itself written to is replaced unasked.
            if (doc.Title != doc.LastSavedName && !prompts.AskYesNo(kFileExistsText)) {
                return SaveOutcome::Refused;
            }
            break;
        case kFileCreated:
            break;
        default:
            prompts.Tell(kWriteFailedText);
            return SaveOutcome::WriteFailed;
    }
    if (!WriteDataFile(doc, doc.Title, layout)) {
        prompts.Tell(kWriteFailedText);
        return SaveOutcome::WriteFailed;
    }
    doc.Untitled = 0;
    doc.TitleSaved = 1;
    doc.LastSavedName = doc.Title;
    doc.MarkListSaved(layout == DataLayout::Scintillator);
    return SaveOutcome::Saved;
}

SaveOutcome SaveDataSet(CKelvarinDoc& doc, DataLayout layout, IDataSetPrompts& prompts) {
    if (!IsUnsaved(doc, layout))
        return SaveOutcome::NothingToSave;
    if (doc.Untitled) {
        std::string name = doc.Title;
        if (!AskDataFileName(prompts, kCaptionSaveAs, name))
            return SaveOutcome::Cancelled;
        doc.Title = name;
    }
    return WriteDataSet(doc, layout, prompts);
}

bool NewDataSet(CKelvarinDoc& doc, DataLayout layout, IDataSetPrompts& prompts) {
    if (doc.DataUnsaved) {
        int answer = prompts.AskYesNoCancel(kUnsavedDataText);
        if (answer == fw::kIdCancel)
            return false;
        if (answer == fw::kIdYes) {
            std::string name = doc.Title;
            if (!AskDataFileName(prompts, doc.Untitled ? kCaptionSaveAs : kCaptionSave, name)) {
                return false;
            }
            doc.Title = name;
            if (WriteDataSet(doc, layout, prompts) != SaveOutcome::Saved)
                return false;
        }
    } else if (!doc.TitleSaved) {
        return false;
    }
    doc.ClearMeasurements();
    std::string title;
    doc.MakeTitle(title);
    return true;
}
