#include "store/CCLibDB.h"

#include <algorithm>

#include "store/FieldReader.h"

namespace {

enum ChamberProp : uint16_t {
    kSerial = 101,
    kModel = 102,
    kReportName = 103,
    kReportYear = 104,
    kReportMonth = 105,
    kReportDay = 106,
    kDueYear = 107,
    kDueMonth = 108,
    kDueDay = 109,
    kBeamIsotope = 110,
    kMantissa = 111,
    kExponent = 112,
    kCalMode = 113,
    kAion = 114,
    kPolarity = 115,
};

CDBRecord ToRecord(const CHAMBER_CAL& cal) {
    CDBRecord r;
    r.AddProp(CDBProp::String(kSerial, cal.ChamberSerial));
    r.AddProp(CDBProp::String(kModel, cal.ChamberModel));
    r.AddProp(CDBProp::String(kReportName, cal.ReportName));
    r.AddProp(CDBProp::I2(kReportYear, cal.ReportDate.Year));
    r.AddProp(CDBProp::I2(kReportMonth, cal.ReportDate.Month));
    r.AddProp(CDBProp::I2(kReportDay, cal.ReportDate.Day));
    r.AddProp(CDBProp::I2(kDueYear, cal.CalDueDate.Year));
    r.AddProp(CDBProp::I2(kDueMonth, cal.CalDueDate.Month));
    r.AddProp(CDBProp::I2(kDueDay, cal.CalDueDate.Day));
    r.AddProp(CDBProp::String(kBeamIsotope, cal.BeamIsotope));
    r.AddProp(CDBProp::I2(kMantissa, cal.CoefMantissa));
    r.AddProp(CDBProp::I2(kExponent, cal.CoefExponent));
    r.AddProp(CDBProp::I2(kCalMode, cal.CalMode));
    r.AddProp(CDBProp::String(kAion, cal.Aion));
    r.AddProp(CDBProp::I2(kPolarity, cal.Polarity));
    return r;
}

bool FromRecord(const CDBRecord& r, CHAMBER_CAL& cal) {
    FieldReader read(r);
    read.Text(kSerial, cal.ChamberSerial);
    read.Text(kModel, cal.ChamberModel);
    read.Text(kReportName, cal.ReportName);
    read.Int16(kReportYear, cal.ReportDate.Year);
    read.Int16(kReportMonth, cal.ReportDate.Month);
    read.Int16(kReportDay, cal.ReportDate.Day);
    read.Int16(kDueYear, cal.CalDueDate.Year);
    read.Int16(kDueMonth, cal.CalDueDate.Month);
    read.Int16(kDueDay, cal.CalDueDate.Day);
    read.Text(kBeamIsotope, cal.BeamIsotope);
    read.Int16(kMantissa, cal.CoefMantissa);
    read.Int16(kExponent, cal.CoefExponent);
    read.Int16(kCalMode, cal.CalMode);
    read.Text(kAion, cal.Aion);
    read.Int16(kPolarity, cal.Polarity);
    return read.Ok();
}

bool SameCalibration(const CHAMBER_CAL& a, const CHAMBER_CAL& b) {
    return a.ChamberSerial == b.ChamberSerial && a.ChamberModel == b.ChamberModel &&
           a.BeamIsotope == b.BeamIsotope && a.CoefMantissa == b.CoefMantissa &&
           a.CoefExponent == b.CoefExponent && a.CalMode == b.CalMode;
}

CLibraryVolume::Layout ChamberLayout() {
    return {CCLibDB::kVolumePath,
            CCLibDB::kDatabaseType,
            {CDBProp::SortOrder(kSerial, CDBProp::kTypeString)},
            CLibraryVolume::CreatePolicy::kOnlyWhenMissing};
}

}  // namespace

CCLibDB::CCLibDB() : volume_(ChamberLayout()) {}

bool CCLibDB::GetRecord(int index, CHAMBER_CAL& out) {
    CDBRecord stored;
    CHAMBER_CAL cal;
    if (!volume_.ReadAt(index, stored))
        return false;
    if (!FromRecord(stored, cal))
        return volume_.Fail(DbError::kBadRecord);
    last_ = cal;
    out = cal;
    return true;
}

bool CCLibDB::GetAllRecords(std::vector<std::optional<CHAMBER_CAL>>& out) {
    std::vector<std::optional<CDBRecord>> stored;
    if (!volume_.ReadAll(stored))
        return false;
    std::vector<std::optional<CHAMBER_CAL>> all(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        CHAMBER_CAL cal;
        if (stored[i] && FromRecord(*stored[i], cal))
            all[i] = std::move(cal);
    }
    out = std::move(all);
    return true;
}

bool CCLibDB::AddRecord(const CHAMBER_CAL& record) {
    if (!volume_.Add(ToRecord(record)))
        return false;
    last_ = record;
    return true;
}

bool CCLibDB::UpdateRecord(int index, const CHAMBER_CAL& record) {
    if (!volume_.UpdateAt(index, ToRecord(record)))
        return false;
    last_ = record;
    return true;
}

bool CCLibDB::DeleteRecord(int index) {
    return volume_.DeleteAt(index);
}

int CCLibDB::GetRecordCount() {
    return volume_.Count();
}

// A record that cannot be read whole is passed over.
template <typename Match>
bool CCLibDB::FindFirst(Match matches, int& index) {
    index = -1;
    std::vector<std::optional<CHAMBER_CAL>> all;
    if (!GetAllRecords(all))
        return false;
    auto found = std::find_if(all.begin(), all.end(), [&](const std::optional<CHAMBER_CAL>& cal) {
        return cal && matches(*cal);
    });
    if (found == all.end())
        return false;
    index = static_cast<int>(found - all.begin());
    return true;
}

bool CCLibDB::FindRecord(const CHAMBER_CAL& record, int& index) {
    return FindFirst([&](const CHAMBER_CAL& cal) { return cal == record; }, index);
}

bool CCLibDB::FindCalibration(const CHAMBER_CAL& record, int& index) {
    return FindFirst([&](const CHAMBER_CAL& cal) { return SameCalibration(cal, record); }, index);
}

bool CCLibDB::ClearLibrary() {
    return CLibraryVolume::RemoveVolume(kVolumePath);
}
