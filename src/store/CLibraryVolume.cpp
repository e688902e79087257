#include "store/CLibraryVolume.h"

#include "fw/Paths.h"
#include "store/VolumeFile.h"

bool CLibraryVolume::Track(bool ok) {
    lastError_ = ok ? DbError::kNone : database_.LastError();
    return ok;
}

bool CLibraryVolume::Fail(DbError error) {
    lastError_ = error;
    return false;
}

bool CLibraryVolume::CreateAndOpen() {
    return database_.Create(layout_.devicePath, layout_.databaseType, layout_.sortOrders) &&
           database_.Open(layout_.devicePath, layout_.sortOrders) && database_.Flush();
}

bool CLibraryVolume::OpenOrCreate() {
    if (layout_.policy == CreatePolicy::kOnlyWhenMissing) {
        if (database_.Open(layout_.devicePath))
            return true;
        return database_.LastError() == DbError::kNotFound && CreateAndOpen();
    }
    return database_.Open(layout_.devicePath, layout_.sortOrders) || CreateAndOpen();
}

bool CLibraryVolume::EnsureOpen() {
    if (!database_.IsMounted() && !database_.Mount(layout_.devicePath))
        return Track(false);
    if (database_.IsOpen())
        return Track(true);
    return Track(OpenOrCreate());
}

int CLibraryVolume::Count() {
    if (!EnsureOpen())
        return 0;
    auto count = database_.RecordCount();
    Track(count.has_value());
    return count.value_or(0);
}

bool CLibraryVolume::SeekIndex(int index) {
    int count = Count();
    if (lastError_ != DbError::kNone)
        return false;
    if (index < 0 || index >= count) {
        lastError_ = DbError::kNoMoreItems;
        return false;
    }
    return Track(database_.SeekTo(index) != 0);
}

bool CLibraryVolume::ReadAt(int index, CDBRecord& record) {
    return SeekIndex(index) && Track(database_.ReadRecord(record));
}

bool CLibraryVolume::ReadCurrent(CDBRecord& record) {
    return EnsureOpen() && Track(database_.ReadRecord(record));
}

bool CLibraryVolume::ReadAll(std::vector<std::optional<CDBRecord>>& records) {
    return EnsureOpen() && Track(database_.ReadAllRecords(records));
}

bool CLibraryVolume::Add(CDBRecord record) {
    record.SetOid(0);
    return EnsureOpen() && Track(database_.WriteRecord(record, false) != 0) &&
           Track(database_.Flush());
}

bool CLibraryVolume::UpdateAt(int index, const CDBRecord& values) {
    CDBRecord stored;
    if (!ReadAt(index, stored))
        return false;
    for (const CDBProp& prop : values.Props())
        stored.SetProp(prop);
    return Track(database_.WriteRecord(stored, true) != 0) && Track(database_.Flush());
}

bool CLibraryVolume::DeleteAt(int index) {
    return SeekIndex(index) && Track(database_.DeleteRecord(0)) && Track(database_.Flush());
}

bool CLibraryVolume::DeleteAllEqual(const CDBProp& value) {
    if (!EnsureOpen())
        return false;
    bool ok = true;
    while (ok && database_.SeekFirstEqual(value) != 0)
        ok = database_.DeleteRecord(0);
    ok = ok && database_.LastError() == DbError::kNoMoreItems && database_.Flush();
    if (!ok) {
        const DbError error = database_.LastError();
        database_.DiscardPending();
        return Fail(error);
    }
    return Track(true);
}

bool CLibraryVolume::SeekFirstEqual(const CDBProp& value) {
    return EnsureOpen() && Track(database_.SeekFirstEqual(value) != 0);
}

bool CLibraryVolume::SeekNextEqual(const CDBProp& value) {
    return EnsureOpen() && Track(database_.SeekNextEqual(value) != 0);
}

bool CLibraryVolume::RemoveVolume(std::string_view devicePath) {
    auto file = fw::MapDevicePath(devicePath);
    return file && RemoveVolumeFile(*file);
}
