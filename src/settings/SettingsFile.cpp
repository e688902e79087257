#include "settings/SettingsFile.h"

#include <exception>
#include <variant>

#include "document/CKelvarinDoc.h"
#include "document/EntryRules.h"
#include "fw/TouchCalibration.h"
#include "settings/CXmlHelper.h"
#include "settings/SettingsKeys.h"

namespace {

constexpr const char* kUpdateMarkerKey = "App";
constexpr const char* kUpdatePending = "App";

enum class KeyOutcome { Read, Added, Repaired, Unchanged };

// The stored value when it is usable; otherwise the default, stored back into the file. When
// even that cannot be stored the field keeps its value.
KeyOutcome LoadKey(CXmlHelper& xml, const settings::SettingKey& key, CKelvarinDoc& doc) {
    const char* stored = xml.FindValue(key.category, key.name.c_str());
    if (settings::AssignFromText(key, stored, doc))
        return KeyOutcome::Read;
    if (!xml.SetString(key.defaultText, key.category, key.name.c_str()))
        return KeyOutcome::Unchanged;
    settings::AssignFromText(key, key.defaultText.c_str(), doc);
    return stored == nullptr ? KeyOutcome::Added : KeyOutcome::Repaired;
}

void LoadAllKeys(CXmlHelper& xml, CKelvarinDoc& doc, SettingsLoadReport& report) {
    for (const settings::SettingKey& key : settings::SettingKeys()) {
        KeyOutcome outcome = LoadKey(xml, key, doc);
        if (outcome == KeyOutcome::Added)
            report.addedKeys.push_back(key.name);
        else if (outcome == KeyOutcome::Repaired)
            report.repairedKeys.push_back(key.name);
    }
}

// A start/stop pair the instrument cannot trigger on (start not above stop, or out of range)
// loads as that range's defaults, written back.
void RepairThresholdPair(CXmlHelper& xml, CKelvarinDoc& doc, const char* startName,
                         const char* stopName, SettingsLoadReport& report) {
    const settings::SettingKey* start = settings::FindKey(startName);
    const settings::SettingKey* stop = settings::FindKey(stopName);
    double* startValue = std::get<double*>(start->field(doc));
    double* stopValue = std::get<double*>(stop->field(doc));
    if (entry_rules::IsValidThresholdPair(*startValue, *stopValue))
        return;
    for (const settings::SettingKey* key : {start, stop}) {
        settings::AssignFromText(*key, key->defaultText.c_str(), doc);
        xml.SetString(key->defaultText, key->category, key->name.c_str());
        report.repairedKeys.push_back(key->name);
    }
}

// A stored touch map that would put touches off the panel (a hand-edited or damaged file)
// loads as no calibration, written back, so the panel can still be used to calibrate again.
void RepairTouchCalibration(CXmlHelper& xml, CKelvarinDoc& doc, SettingsLoadReport& report) {
    if (fw::TouchMatrix{doc.TouchCal}.IsUsable())
        return;
    for (char part = 'A'; part <= 'F'; ++part) {
        const settings::SettingKey* key = settings::FindKey(std::string("TouchCal") + part);
        settings::AssignFromText(*key, key->defaultText.c_str(), doc);
        xml.SetString(key->defaultText, key->category, key->name.c_str());
        report.repairedKeys.push_back(key->name);
    }
}

// The start-up state that follows from the loaded settings.
void ApplyLoadedDefaults(CKelvarinDoc& doc) {
    doc.ChargeDuration = doc.DefChargeDuration;
    doc.ChargeType = doc.DefChargeType;
    for (CHANNEL_INFO& channel : doc.Channel) {
        channel.Temperature = doc.StandardTemperature();
        channel.Pressure = doc.StandardPressure();
    }
}

void NoteFileState(const CXmlHelper& xml, SettingsLoadReport& report) {
    report.fileWasMissing = xml.State() == SettingsFileState::Missing;
    report.fileWasDamaged = xml.State() == SettingsFileState::Damaged;
    if (report.fileWasDamaged)
        report.damage = xml.Problem();
}

SettingsLoadReport LoadAndRewrite(CKelvarinDoc& doc) {
    SettingsLoadReport report;
    CXmlHelper xml(kSettingsDevicePath);
    NoteFileState(xml, report);
    LoadAllKeys(xml, doc, report);
    RepairThresholdPair(xml, doc, "HStart", "HStop", report);
    RepairThresholdPair(xml, doc, "LStart", "LStop", report);
    RepairTouchCalibration(xml, doc, report);
    ApplyLoadedDefaults(doc);
    // A pending update was taken care of before this program started.
    xml.SetString("", kCategoryUpdates, kUpdateMarkerKey);
    report.written = xml.Save(&report.error);
    report.keptAs = xml.KeptAs();
    return report;
}

bool StoreAllKeys(CKelvarinDoc& doc, std::string* error) {
    CXmlHelper xml(kSettingsDevicePath);
    for (const settings::SettingKey& key : settings::SettingKeys()) {
        if (!xml.SetString(settings::FieldText(key, doc), key.category, key.name.c_str())) {
            if (error != nullptr)
                *error = "cannot store " + key.name;
            return false;
        }
    }
    return xml.Save(error);
}

void NoteException(std::string* error, const char* what) {
    if (error != nullptr)
        *error = what;
}

}  // namespace

SettingsLoadReport LoadSettings(CKelvarinDoc& doc) {
    try {
        return LoadAndRewrite(doc);
    } catch (const std::exception& e) {
        SettingsLoadReport report;
        report.error = e.what();
        return report;
    }
}

bool SaveSettings(CKelvarinDoc& doc, std::string* error) {
    try {
        if (!StoreAllKeys(doc, error))
            return false;
        doc.SettingsSaved = 1;
        return true;
    } catch (const std::exception& e) {
        NoteException(error, e.what());
        return false;
    }
}

bool MarkApplicationUpdatePending(std::string* error) {
    try {
        CXmlHelper xml(kSettingsDevicePath);
        return xml.SetString(kUpdatePending, kCategoryUpdates, kUpdateMarkerKey) && xml.Save(error);
    } catch (const std::exception& e) {
        NoteException(error, e.what());
        return false;
    }
}
