#pragma once
// The instrument's settings file "\FlashDisk\ZELTarvo.xml": preferences, identity and the
// electrometer's own calibration. Read once at start (and rewritten then), written when
// preferences or calibration are applied and when a remote command asks for it.
#include <string>
#include <vector>

class CKelvarinDoc;

inline constexpr const char* kSettingsDevicePath = "\\FlashDisk\\ZELTarvo.xml";

// What the start-up load found and did; the caller tells the operator about damage and
// failed writes.
struct SettingsLoadReport {
    bool fileWasMissing = false;
    bool fileWasDamaged = false;            // not XML: defaults were used
    std::string keptAs;                     // where the damaged file was kept (".bad")
    std::vector<std::string> repairedKeys;  // stored values that were unusable: default used
    bool written = false;                   // the file now holds what the document holds
    std::string error;                      // why the file could not be read or written
    std::vector<std::string> addedKeys;     // keys the file lacked: default used
    std::string damage;                     // what was wrong with a damaged file
};

// Fills the document from the file, taking each unusable or missing value's default, empties
// the pending-update marker and writes the file back. Never throws.
SettingsLoadReport LoadSettings(CKelvarinDoc& doc);

// Writes every setting of the document; sets doc.SettingsSaved = 1 on success. Never throws.
bool SaveSettings(CKelvarinDoc& doc, std::string* error = nullptr);

// The software update's marker: "App" under "Updates", written at once. Never throws.
bool MarkApplicationUpdatePending(std::string* error = nullptr);
