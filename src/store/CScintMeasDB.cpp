#include "store/CScintMeasDB.h"

#include "store/FieldReader.h"

namespace {

enum PointProp : uint16_t {
    kKey = 101,
    kYear = 102,
    kMonth = 103,
    kDay = 104,
    kHour = 105,
    kMinute = 106,
    kSecond = 107,
    kSetIndex = 108,
    kBlue = 109,
    kGreen = 110,
};

CDBRecord ToRecord(const SCINT_MMNT& p) {
    CDBRecord r;
    r.AddProp(CDBProp::String(kKey, p.BaselineKey));
    r.AddProp(CDBProp::I2(kYear, p.Year));
    r.AddProp(CDBProp::I2(kMonth, p.Month));
    r.AddProp(CDBProp::I2(kDay, p.Day));
    r.AddProp(CDBProp::I2(kHour, p.Hour));
    r.AddProp(CDBProp::I2(kMinute, p.Minute));
    r.AddProp(CDBProp::I2(kSecond, p.Second));
    r.AddProp(CDBProp::UI2(kSetIndex, static_cast<uint16_t>(p.SetIndex)));
    r.AddProp(CDBProp::Double(kBlue, p.Blue));
    r.AddProp(CDBProp::Double(kGreen, p.Green));
    return r;
}

bool FromRecord(const CDBRecord& r, SCINT_MMNT& p) {
    FieldReader read(r);
    read.Text(kKey, p.BaselineKey);
    read.Int16(kYear, p.Year);
    read.Int16(kMonth, p.Month);
    read.Int16(kDay, p.Day);
    read.Int16(kHour, p.Hour);
    read.Int16(kMinute, p.Minute);
    read.Int16(kSecond, p.Second);
    read.UInt16(kSetIndex, p.SetIndex);
    read.Double(kBlue, p.Blue);
    read.Double(kGreen, p.Green);
    return read.Ok();
}

CLibraryVolume::Layout PointLayout() {
    return {CScintMeasDB::kVolumePath,
            CScintMeasDB::kDatabaseType,
            {CDBProp::SortOrder(kKey, CDBProp::kTypeString),
             CDBProp::SortOrder(kSetIndex, CDBProp::kTypeUI2)},
            CLibraryVolume::CreatePolicy::kAfterFailedOpen};
}

}  // namespace

CScintMeasDB::CScintMeasDB() : volume_(PointLayout()) {}

bool CScintMeasDB::AddRecord(const SCINT_MMNT& point) {
    walking_ = false;
    if (point.SetIndex < 0)
        return volume_.Fail(DbError::kInvalidParameter);
    return volume_.Add(ToRecord(point));
}

bool CScintMeasDB::FindNextKey(std::string_view key) {
    CDBProp value = CDBProp::String(kKey, key);
    bool continuing = walking_ && walkKey_ == key;
    walking_ = continuing ? volume_.SeekNextEqual(value) : volume_.SeekFirstEqual(value);
    walkKey_ = key;
    return walking_;
}

bool CScintMeasDB::ReadCurrent(SCINT_MMNT& out) {
    CDBRecord stored;
    SCINT_MMNT point;
    if (!volume_.ReadCurrent(stored))
        return false;
    if (!FromRecord(stored, point))
        return volume_.Fail(DbError::kBadRecord);
    out = point;
    return true;
}

bool CScintMeasDB::DeleteKey(std::string_view key) {
    walking_ = false;
    return volume_.DeleteAllEqual(CDBProp::String(kKey, key));
}

int CScintMeasDB::GetRecordCount() {
    return volume_.Count();
}

bool CScintMeasDB::ClearLibrary() {
    return CLibraryVolume::RemoveVolume(kVolumePath);
}
