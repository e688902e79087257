#pragma once
// What every library store does with its volume: mount and open on first use (creating the
// database when it is missing), positional reads with the index checked against the count,
// and one flushed transaction per add, update or delete.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "store/CCeMntDatabase.h"

class CLibraryVolume {
  public:
    enum class CreatePolicy {
        kOnlyWhenMissing,  // open without naming a sort order; create only if not found
        kAfterFailedOpen,  // open naming the sort orders; create after any failure
    };

    struct Layout {
        std::string_view devicePath;  // also the database's name
        uint32_t databaseType = 0;
        std::vector<CDBProp> sortOrders;
        CreatePolicy policy = CreatePolicy::kAfterFailedOpen;
    };

    explicit CLibraryVolume(Layout layout) : layout_(std::move(layout)) {}

    bool EnsureOpen();
    // 0 on failure (LastError() tells it from an empty library).
    int Count();
    bool ReadAt(int index, CDBRecord& record);
    bool ReadCurrent(CDBRecord& record);
    // Every record in order; an unreadable one is nothing at its position.
    bool ReadAll(std::vector<std::optional<CDBRecord>>& records);
    bool Add(CDBRecord record);
    // Reads the record at index, sets each of `values` on it and writes it back in place.
    bool UpdateAt(int index, const CDBRecord& values);
    bool DeleteAt(int index);
    // Deletes every record whose leading sort property equals `value` in one flush: all of
    // them, or none when any step fails.
    bool DeleteAllEqual(const CDBProp& value);
    bool SeekFirstEqual(const CDBProp& value);
    bool SeekNextEqual(const CDBProp& value);

    // A store reports its own findings (an incomplete stored record, a value it cannot store).
    bool Fail(DbError error);
    DbError LastError() const { return lastError_; }
    const std::filesystem::path& KeptAsidePath() const { return database_.KeptAsidePath(); }

    // Deletes a library's volume file; the next use creates an empty one. No store object may
    // hold the volume meanwhile.
    static bool RemoveVolume(std::string_view devicePath);

  private:
    bool Track(bool ok);
    bool OpenOrCreate();
    bool CreateAndOpen();
    bool SeekIndex(int index);

    Layout layout_;
    CCeMntDatabase database_;
    DbError lastError_ = DbError::kNone;
};
