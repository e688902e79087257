#include "store/CSrcDB.h"

#include "store/FieldReader.h"

namespace {

enum SourceProp : uint16_t {
    kSerial = 101,
    kName = 102,
    kHalfLife = 103,
    kActivity = 104,
    kActivityYear = 105,
    kActivityMonth = 106,
    kActivityDay = 107,
    kActivityUnit = 108,
};

CDBRecord ToRecord(const SOURCE_INFO& src) {
    CDBRecord r;
    r.AddProp(CDBProp::String(kSerial, src.SourceSerial));
    r.AddProp(CDBProp::String(kName, src.SourceName));
    r.AddProp(CDBProp::String(kHalfLife, src.HalfLife));
    r.AddProp(CDBProp::String(kActivity, src.Activity));
    r.AddProp(CDBProp::I2(kActivityYear, src.ActivityDate.Year));
    r.AddProp(CDBProp::I2(kActivityMonth, src.ActivityDate.Month));
    r.AddProp(CDBProp::I2(kActivityDay, src.ActivityDate.Day));
    r.AddProp(CDBProp::I2(kActivityUnit, src.ActivityUnit));
    return r;
}

bool FromRecord(const CDBRecord& r, SOURCE_INFO& src) {
    FieldReader read(r);
    read.Text(kSerial, src.SourceSerial);
    read.Text(kName, src.SourceName);
    read.Text(kHalfLife, src.HalfLife);
    read.Text(kActivity, src.Activity);
    read.Int16(kActivityYear, src.ActivityDate.Year);
    read.Int16(kActivityMonth, src.ActivityDate.Month);
    read.Int16(kActivityDay, src.ActivityDate.Day);
    read.Int16(kActivityUnit, src.ActivityUnit);
    return read.Ok();
}

CLibraryVolume::Layout SourceLayout() {
    return {CSrcDB::kVolumePath,
            CSrcDB::kDatabaseType,
            {CDBProp::SortOrder(kSerial, CDBProp::kTypeString)},
            CLibraryVolume::CreatePolicy::kAfterFailedOpen};
}

}  // namespace

CSrcDB::CSrcDB() : volume_(SourceLayout()) {}

bool CSrcDB::GetRecord(int index, SOURCE_INFO& out) {
    CDBRecord stored;
    SOURCE_INFO src;
    if (!volume_.ReadAt(index, stored))
        return false;
    if (!FromRecord(stored, src))
        return volume_.Fail(DbError::kBadRecord);
    last_ = src;
    out = src;
    return true;
}

bool CSrcDB::AddRecord(const SOURCE_INFO& record) {
    if (!volume_.Add(ToRecord(record)))
        return false;
    last_ = record;
    return true;
}

bool CSrcDB::UpdateRecord(int index, const SOURCE_INFO& record) {
    if (!volume_.UpdateAt(index, ToRecord(record)))
        return false;
    last_ = record;
    return true;
}

bool CSrcDB::DeleteRecord(int index) {
    return volume_.DeleteAt(index);
}

int CSrcDB::GetRecordCount() {
    return volume_.Count();
}

bool CSrcDB::ClearLibrary() {
    return CLibraryVolume::RemoveVolume(kVolumePath);
}
