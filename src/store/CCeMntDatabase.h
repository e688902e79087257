#pragma once
// A mounted library volume with one open database of records. Records are addressed by
// position in the database's sort order (ties in the order they were added); the object keeps
// a current record for reads, overwrites and deletes.
//
// Changes join one transaction that Flush commits; each store flushes after every change, so a
// crash between two changes never leaves a half-written record. Close commits what is pending.
// Failures return false / 0 / nothing and LastError() says which kind; nothing here throws.
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/CDBProp.h"
#include "store/CDBRecord.h"
#include "store/DbError.h"

class CCeMntDatabase {
  public:
    static constexpr size_t kMaxNameLength = 31;
    static constexpr size_t kMaxPathLength = 260;
    static constexpr size_t kMaxSortOrders = 4;

    CCeMntDatabase() = default;
    ~CCeMntDatabase();
    CCeMntDatabase(const CCeMntDatabase&) = delete;
    CCeMntDatabase& operator=(const CCeMntDatabase&) = delete;

    // Mounts the volume at a device path ("\FlashDisk\..."), creating it when missing. A damaged
    // or foreign file is moved aside (KeptAsidePath()) and reported as kCorrupt.
    bool Mount(std::string_view devicePath);
    // Creates a database on the mounted volume; each sort order is a property's tag and flags.
    bool Create(std::string_view name, uint32_t databaseType, std::span<const CDBProp> sortOrders);
    // Opens a database by name. No sort orders: the order it was created with. Named sort orders
    // must be among those it was created with. Succeeds at once when a database is open.
    bool Open(std::string_view name, std::span<const CDBProp> sortOrders = {});

    // Position on the record at a 0-based index; its identifier, or 0 (no current record then).
    uint32_t SeekTo(int index);
    // Position on the first record whose leading sort property equals `value`.
    uint32_t SeekFirstEqual(const CDBProp& value);
    // Position on the record after the current one when its leading sort property equals `value`.
    uint32_t SeekNextEqual(const CDBProp& value);

    // Reads all properties of the current record; `record` is left untouched on failure.
    bool ReadRecord(CDBRecord& record);
    // Every record in database order, read in one query: a list page costs one statement, not
    // one per row. A record with a damaged or no property is nothing at its position, so the
    // positions still match SeekTo. `records` is left untouched on failure.
    bool ReadAllRecords(std::vector<std::optional<CDBRecord>>& records);
    // Writes the record's properties, replacing all stored ones. Target: the record's identifier
    // when it has one, else the current record (atCurrent) or a new record. The written record
    // becomes current; returns its identifier, or 0.
    uint32_t WriteRecord(CDBRecord& record, bool atCurrent);
    // Deletes a record by identifier; 0 means the current record.
    bool DeleteRecord(uint32_t oid = 0);
    std::optional<int> RecordCount();
    // Commits pending changes to the flash disk.
    bool Flush();
    // Drops the changes not yet flushed, so a series of changes that failed half-way leaves
    // the volume as it was.
    void DiscardPending();
    // Commits what is pending and releases the volume.
    void Close();

    bool IsMounted() const { return volume_ != nullptr; }
    bool IsOpen() const { return databaseId_ != 0; }
    uint32_t CurrentOid() const { return current_; }
    DbError LastError() const { return lastError_; }
    const std::filesystem::path& VolumeFile() const { return file_; }
    // Where the last damaged volume file was kept; empty when none was (or it could not move).
    const std::filesystem::path& KeptAsidePath() const { return keptAside_; }

  private:
    bool Fail(DbError error);
    bool FailSql(int resultCode);
    bool Succeed();
    bool RequireOpen();
    void ReleaseVolume();

    bool BeginChange();
    bool EndChange(bool ok);

    std::optional<int64_t> FindDatabase(std::string_view name, bool& failed);
    bool LoadSortOrders(int64_t databaseId, std::vector<CDBProp>& out);
    bool InsertDatabase(std::string_view name, uint32_t databaseType,
                        std::span<const CDBProp> sortOrders);
    bool ChooseSortOrders(std::span<const CDBProp> stored, std::span<const CDBProp> requested);
    bool SortOrdersValid(std::span<const CDBProp> sortOrders) const;

    bool RefreshOrder();
    void ForgetOrder() { orderKnown_ = false; }
    std::string RankedRecordsSql() const;
    bool LeadingKeyEquals(uint32_t oid, const CDBProp& value, bool& failed);
    uint32_t SeekWith(const std::string& selectSql, const CDBProp& value);
    uint32_t BecomeCurrent(uint32_t oid);
    bool ValueMatchesLeadingSort(const CDBProp& value);

    static void AddPropOrDiscard(sqlite3_stmt* row, std::optional<CDBRecord>& record);
    bool RecordBelongsHere(uint32_t oid, bool& failed);
    bool ReplaceProps(uint32_t oid, const CDBRecord& record);
    uint32_t InsertRecordRow();

    sqlite3* volume_ = nullptr;
    std::filesystem::path file_;
    std::filesystem::path keptAside_;
    int64_t databaseId_ = 0;           // 0 = no database open
    std::vector<CDBProp> sortOrders_;  // the order records are seen in
    uint32_t current_ = 0;             // 0 = no current record
    // Identifiers in database order, read again when this object or another connection
    // changed the volume, so positional walks do not re-sort the library at every step.
    std::vector<uint32_t> order_;
    bool orderKnown_ = false;
    int64_t orderVersion_ = 0;
    DbError lastError_ = DbError::kNone;
};
