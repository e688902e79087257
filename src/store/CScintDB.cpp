#include "store/CScintDB.h"

#include <limits>

#include "store/CScintMeasDB.h"
#include "store/FieldReader.h"

namespace {

enum BaselineProp : uint16_t {
    kKey = 101,
    kYear = 102,
    kMonth = 103,
    kDay = 104,
    kHour = 105,
    kMinute = 106,
    kSecond = 107,
    kSerial = 108,
    kDoseType = 109,
    kDoseValue = 110,
    kGain = 111,
    kClr = 112,
    kDoseUnit = 113,
    kDescription = 114,
};

bool FitsInt16(int v) {
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

CDBRecord ToRecord(const SCINT_BASELINE& b) {
    CDBRecord r;
    r.AddProp(CDBProp::String(kKey, b.BaselineKey));
    r.AddProp(CDBProp::I2(kYear, b.Year));
    r.AddProp(CDBProp::I2(kMonth, b.Month));
    r.AddProp(CDBProp::I2(kDay, b.Day));
    r.AddProp(CDBProp::I2(kHour, b.Hour));
    r.AddProp(CDBProp::I2(kMinute, b.Minute));
    r.AddProp(CDBProp::I2(kSecond, b.Second));
    r.AddProp(CDBProp::String(kSerial, b.ScintSerial));
    r.AddProp(CDBProp::I2(kDoseType, static_cast<int16_t>(b.DoseType)));
    r.AddProp(CDBProp::Double(kDoseValue, b.DoseValue));
    r.AddProp(CDBProp::Double(kGain, b.ScintGain));
    r.AddProp(CDBProp::Double(kClr, b.CLR));
    r.AddProp(CDBProp::I2(kDoseUnit, b.ScintDoseUnit));
    r.AddProp(CDBProp::String(kDescription, b.Description));
    return r;
}

bool FromRecord(const CDBRecord& r, SCINT_BASELINE& b) {
    FieldReader read(r);
    read.Text(kKey, b.BaselineKey);
    read.Int16(kYear, b.Year);
    read.Int16(kMonth, b.Month);
    read.Int16(kDay, b.Day);
    read.Int16(kHour, b.Hour);
    read.Int16(kMinute, b.Minute);
    read.Int16(kSecond, b.Second);
    read.Text(kSerial, b.ScintSerial);
    read.Int16(kDoseType, b.DoseType);
    read.Double(kDoseValue, b.DoseValue);
    read.Double(kGain, b.ScintGain);
    read.Double(kClr, b.CLR);
    read.Int16(kDoseUnit, b.ScintDoseUnit);
    read.Text(kDescription, b.Description);
    return read.Ok();
}

CLibraryVolume::Layout BaselineLayout() {
    return {CScintDB::kVolumePath,
            CScintDB::kDatabaseType,
            {CDBProp::SortOrder(kKey, CDBProp::kTypeString)},
            CLibraryVolume::CreatePolicy::kAfterFailedOpen};
}

}  // namespace

CScintDB::CScintDB() : volume_(BaselineLayout()) {}

bool CScintDB::AddRecord(const SCINT_BASELINE& baseline) {
    if (!FitsInt16(baseline.DoseType))
        return volume_.Fail(DbError::kInvalidParameter);
    return volume_.Add(ToRecord(baseline));
}

bool CScintDB::Decode(const CDBRecord& stored, SCINT_BASELINE& out) {
    SCINT_BASELINE baseline;
    if (!FromRecord(stored, baseline))
        return volume_.Fail(DbError::kBadRecord);
    out = baseline;
    return true;
}

bool CScintDB::GetRecord(int index, SCINT_BASELINE& out) {
    CDBRecord stored;
    return volume_.ReadAt(index, stored) && Decode(stored, out);
}

bool CScintDB::FindKey(std::string_view key) {
    return volume_.SeekFirstEqual(CDBProp::String(kKey, key));
}

bool CScintDB::ReadCurrent(SCINT_BASELINE& out) {
    CDBRecord stored;
    return volume_.ReadCurrent(stored) && Decode(stored, out);
}

bool CScintDB::DeleteRecord(int index, std::string_view key) {
    SCINT_BASELINE stored;
    if (!GetRecord(index, stored))
        return false;
    if (stored.BaselineKey != key)
        return volume_.Fail(DbError::kInvalidParameter);
    return volume_.DeleteAt(index);
}

bool CScintDB::DeleteKey(std::string_view key) {
    return volume_.DeleteAllEqual(CDBProp::String(kKey, key));
}

int CScintDB::GetRecordCount() {
    return volume_.Count();
}

bool CScintDB::ClearLibrary() {
    bool baselines = CLibraryVolume::RemoveVolume(kVolumePath);
    bool points = CScintMeasDB::ClearLibrary();
    return baselines && points;
}
