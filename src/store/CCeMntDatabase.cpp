#include "store/CCeMntDatabase.h"

#include <algorithm>
#include <limits>

#include "fw/Paths.h"
#include "store/PropValueColumn.h"
#include "store/SqlStatement.h"
#include "store/VolumeFile.h"

namespace {

constexpr uint16_t kKnownSortFlags =
    CDBProp::kSortDescending | CDBProp::kSortCaseInsensitive | CDBProp::kSortUnknownFirst;

size_t CharacterCount(std::string_view utf8) {
    return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool SameSortOrder(const CDBProp& a, const CDBProp& b) {
    return a.Tag() == b.Tag() && a.SortFlags() == b.SortFlags();
}

// The value of sort key `n`: the record's first property with that id and type.
std::string SortKeyExpression(const CDBProp& sort) {
    return "(SELECT p.value FROM props p WHERE p.oid = r.oid AND p.id = " +
           std::to_string(sort.Id()) + " AND p.type = " + std::to_string(sort.Type()) +
           " ORDER BY p.position LIMIT 1)";
}

std::string Collation(const CDBProp& sort) {
    return (sort.SortFlags() & CDBProp::kSortCaseInsensitive) ? " COLLATE NOCASE" : "";
}

// Records without the key go last unless the sort order asks for them first.
std::string OrderTerms(const std::vector<CDBProp>& sortOrders) {
    std::string terms;
    for (size_t i = 0; i < sortOrders.size(); ++i) {
        const CDBProp& sort = sortOrders[i];
        std::string key = "k" + std::to_string(i);
        bool unknownFirst = sort.SortFlags() & CDBProp::kSortUnknownFirst;
        bool descending = sort.SortFlags() & CDBProp::kSortDescending;
        terms += key + " IS NULL" + (unknownFirst ? " DESC, " : ", ");
        terms += key + Collation(sort) + (descending ? " DESC, " : ", ");
    }
    return terms + "oid";
}

// A stored record identifier as the store uses it; 0 (no record) for one no store wrote, so a
// damaged identifier can never alias another record's.
uint32_t RecordId(int64_t stored) {
    bool usable = stored >= 1 && stored <= std::numeric_limits<uint32_t>::max();
    return usable ? static_cast<uint32_t>(stored) : 0;
}

}  // namespace

CCeMntDatabase::~CCeMntDatabase() {
    Close();
}

bool CCeMntDatabase::Fail(DbError error) {
    lastError_ = error;
    return false;
}

bool CCeMntDatabase::Succeed() {
    lastError_ = DbError::kNone;
    return true;
}

// Damage found while working is handled as at mount: the file is kept aside, the volume released.
bool CCeMntDatabase::FailSql(int resultCode) {
    DbError error = ErrorFromSqlite(resultCode);
    if (error == DbError::kCorrupt && volume_ != nullptr) {
        // close_v2: statements still alive in the caller finalise the connection later.
        sqlite3_close_v2(volume_);
        volume_ = nullptr;
        ReleaseVolume();
        keptAside_ = SetVolumeAside(file_).value_or(std::filesystem::path());
    }
    return Fail(error);
}

bool CCeMntDatabase::RequireOpen() {
    if (!IsMounted() || !IsOpen())
        return Fail(DbError::kNotOpen);
    return true;
}

void CCeMntDatabase::ReleaseVolume() {
    ForgetOrder();
    databaseId_ = 0;
    sortOrders_.clear();
    current_ = 0;
}

bool CCeMntDatabase::Mount(std::string_view devicePath) {
    if (devicePath.size() > kMaxPathLength)
        return Fail(DbError::kInvalidParameter);
    auto file = fw::MapDevicePath(devicePath);
    if (!file)
        return Fail(DbError::kInvalidParameter);
    if (IsMounted() && *file == file_)
        return Succeed();
    Close();
    file_ = *file;
    VolumeOpenResult opened = OpenVolumeFile(file_);
    if (opened.error == DbError::kCorrupt)
        keptAside_ = opened.keptAside;
    if (opened.connection == nullptr)
        return Fail(opened.error);
    volume_ = opened.connection;
    return Succeed();
}

void CCeMntDatabase::Close() {
    if (volume_ == nullptr)
        return;
    Flush();
    sqlite3_close_v2(volume_);
    volume_ = nullptr;
    ReleaseVolume();
}

bool CCeMntDatabase::Flush() {
    if (!IsMounted())
        return Fail(DbError::kNotOpen);
    if (sqlite3_get_autocommit(volume_))
        return Succeed();
    int rc = ExecSql(volume_, "COMMIT");
    if (rc != SQLITE_OK) {
        ExecSql(volume_, "ROLLBACK");
        ForgetOrder();
        return FailSql(rc);
    }
    return Succeed();
}

// Each change runs in a savepoint inside the pending transaction, so a change that fails part
// way is undone whole while earlier unflushed changes stay.
void CCeMntDatabase::DiscardPending() {
    if (IsMounted() && !sqlite3_get_autocommit(volume_))
        ExecSql(volume_, "ROLLBACK");
    ForgetOrder();
    current_ = 0;
}

bool CCeMntDatabase::BeginChange() {
    ForgetOrder();
    if (sqlite3_get_autocommit(volume_)) {
        int rc = ExecSql(volume_, "BEGIN IMMEDIATE");
        if (rc != SQLITE_OK)
            return FailSql(rc);
    }
    int rc = ExecSql(volume_, "SAVEPOINT change");
    return rc == SQLITE_OK ? true : FailSql(rc);
}

bool CCeMntDatabase::EndChange(bool ok) {
    if (volume_ == nullptr)  // released after damage was found
        return false;
    if (!ok) {
        ExecSql(volume_, "ROLLBACK TO change");
        ExecSql(volume_, "RELEASE change");
        return false;
    }
    int rc = ExecSql(volume_, "RELEASE change");
    return rc == SQLITE_OK ? true : FailSql(rc);
}

bool CCeMntDatabase::SortOrdersValid(std::span<const CDBProp> sortOrders) const {
    if (sortOrders.size() > kMaxSortOrders)
        return false;
    return std::all_of(sortOrders.begin(), sortOrders.end(), [](const CDBProp& sort) {
        return CDBProp::IsKnownType(sort.Type()) && (sort.SortFlags() & ~kKnownSortFlags) == 0;
    });
}

std::optional<int64_t> CCeMntDatabase::FindDatabase(std::string_view name, bool& failed) {
    SqlStatement stmt(volume_, "SELECT id FROM databases WHERE name = ?1");
    stmt.BindText(1, name);
    int rc = stmt.Step();
    failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
    if (failed)
        FailSql(rc);
    if (rc != SQLITE_ROW)
        return std::nullopt;
    return stmt.ColumnInt(0);
}

bool CCeMntDatabase::InsertDatabase(std::string_view name, uint32_t databaseType,
                                    std::span<const CDBProp> sortOrders) {
    SqlStatement insertDb(volume_, "INSERT INTO databases(name, type) VALUES(?1, ?2)");
    insertDb.BindText(1, name);
    insertDb.BindInt(2, databaseType);
    int rc = insertDb.Run();
    if (rc != SQLITE_DONE)
        return FailSql(rc);
    int64_t id = sqlite3_last_insert_rowid(volume_);
    for (size_t i = 0; i < sortOrders.size(); ++i) {
        SqlStatement insertSort(
            volume_, "INSERT INTO sort_orders(db, position, tag, flags) VALUES(?1, ?2, ?3, ?4)");
        insertSort.BindInt(1, id);
        insertSort.BindInt(2, static_cast<int64_t>(i));
        insertSort.BindInt(3, sortOrders[i].Tag());
        insertSort.BindInt(4, sortOrders[i].SortFlags());
        rc = insertSort.Run();
        if (rc != SQLITE_DONE)
            return FailSql(rc);
    }
    return true;
}

bool CCeMntDatabase::Create(std::string_view name, uint32_t databaseType,
                            std::span<const CDBProp> sortOrders) {
    if (!IsMounted())
        return Fail(DbError::kNotOpen);
    if (name.empty() || CharacterCount(name) > kMaxNameLength || !SortOrdersValid(sortOrders))
        return Fail(DbError::kInvalidParameter);
    bool failed = false;
    if (FindDatabase(name, failed))
        return Fail(DbError::kAlreadyExists);
    if (failed || !BeginChange())
        return false;
    if (!EndChange(InsertDatabase(name, databaseType, sortOrders)))
        return false;
    return Succeed();
}

bool CCeMntDatabase::LoadSortOrders(int64_t databaseId, std::vector<CDBProp>& out) {
    SqlStatement stmt(volume_,
                      "SELECT tag, flags FROM sort_orders WHERE db = ?1 ORDER BY position");
    stmt.BindInt(1, databaseId);
    int rc;
    while ((rc = stmt.Step()) == SQLITE_ROW) {
        auto tag = static_cast<uint32_t>(stmt.ColumnInt(0));
        out.push_back(CDBProp::SortOrder(static_cast<uint16_t>(tag >> 16),
                                         static_cast<uint16_t>(tag & 0xFFFF),
                                         static_cast<uint16_t>(stmt.ColumnInt(1))));
    }
    return rc == SQLITE_DONE ? true : FailSql(rc);
}

bool CCeMntDatabase::ChooseSortOrders(std::span<const CDBProp> stored,
                                      std::span<const CDBProp> requested) {
    for (const CDBProp& wanted : requested) {
        bool known = std::any_of(stored.begin(), stored.end(),
                                 [&](const CDBProp& s) { return SameSortOrder(s, wanted); });
        if (!known)
            return Fail(DbError::kInvalidParameter);
    }
    auto chosen = requested.empty() ? stored : requested;
    sortOrders_.assign(chosen.begin(), chosen.end());
    return true;
}

bool CCeMntDatabase::Open(std::string_view name, std::span<const CDBProp> sortOrders) {
    if (!IsMounted())
        return Fail(DbError::kNotOpen);
    if (IsOpen())
        return Succeed();
    if (name.empty() || CharacterCount(name) > kMaxNameLength || !SortOrdersValid(sortOrders))
        return Fail(DbError::kInvalidParameter);
    bool failed = false;
    auto id = FindDatabase(name, failed);
    if (failed)
        return false;
    if (!id)
        return Fail(DbError::kNotFound);
    std::vector<CDBProp> stored;
    if (!LoadSortOrders(*id, stored) || !ChooseSortOrders(stored, sortOrders))
        return false;
    databaseId_ = *id;
    current_ = 0;
    return Succeed();
}

// Every record of the open database with its sort keys (k0, k1, ...) and its 0-based position.
std::string CCeMntDatabase::RankedRecordsSql() const {
    std::string keys;
    for (size_t i = 0; i < sortOrders_.size(); ++i)
        keys += ", " + SortKeyExpression(sortOrders_[i]) + " AS k" + std::to_string(i);
    if (sortOrders_.empty())
        keys = ", NULL AS k0";
    return "WITH keyed AS (SELECT r.oid AS oid" + keys +
           " FROM records r WHERE r.db = " + std::to_string(databaseId_) +
           "), ranked AS (SELECT *, ROW_NUMBER() OVER (ORDER BY " + OrderTerms(sortOrders_) +
           ") - 1 AS pos FROM keyed) ";
}

// Runs a query over the ranked records binding ?1 to `value`; its first row is the new current.
uint32_t CCeMntDatabase::SeekWith(const std::string& selectSql, const CDBProp& value) {
    current_ = 0;
    SqlStatement stmt(volume_, RankedRecordsSql() + selectSql);
    BindPropValue(stmt.Handle(), 1, value);
    int rc = stmt.Step();
    if (rc == SQLITE_DONE) {
        Fail(DbError::kNoMoreItems);
        return 0;
    }
    if (rc != SQLITE_ROW) {
        FailSql(rc);
        return 0;
    }
    return BecomeCurrent(RecordId(stmt.ColumnInt(0)));
}

// A damaged identifier (0) found at a position is no current record.
uint32_t CCeMntDatabase::BecomeCurrent(uint32_t oid) {
    current_ = oid;
    if (current_ == 0)
        Fail(DbError::kBadRecord);
    else
        Succeed();
    return current_;
}

// data_version moves when another connection commits; this object's own changes forget the
// order themselves.
bool CCeMntDatabase::RefreshOrder() {
    SqlStatement version(volume_, "PRAGMA data_version");
    int rc = version.Step();
    if (rc != SQLITE_ROW)
        return FailSql(rc);
    if (orderKnown_ && version.ColumnInt(0) == orderVersion_)
        return true;
    SqlStatement stmt(volume_, RankedRecordsSql() + "SELECT oid FROM ranked ORDER BY pos");
    std::vector<uint32_t> order;
    while ((rc = stmt.Step()) == SQLITE_ROW)
        order.push_back(RecordId(stmt.ColumnInt(0)));
    if (rc != SQLITE_DONE)
        return FailSql(rc);
    order_ = std::move(order);
    orderVersion_ = version.ColumnInt(0);
    orderKnown_ = true;
    return true;
}

uint32_t CCeMntDatabase::SeekTo(int index) {
    current_ = 0;
    if (!RequireOpen() || !RefreshOrder())
        return 0;
    if (index < 0 || static_cast<size_t>(index) >= order_.size()) {
        Fail(DbError::kNoMoreItems);
        return 0;
    }
    return BecomeCurrent(order_[static_cast<size_t>(index)]);
}

bool CCeMntDatabase::ValueMatchesLeadingSort(const CDBProp& value) {
    if (sortOrders_.empty() || sortOrders_[0].Tag() != value.Tag())
        return Fail(DbError::kInvalidParameter);
    return true;
}

uint32_t CCeMntDatabase::SeekFirstEqual(const CDBProp& value) {
    if (!RequireOpen() || !ValueMatchesLeadingSort(value))
        return 0;
    return SeekWith("SELECT oid FROM ranked WHERE k0 = ?1" + Collation(sortOrders_[0]) +
                        " ORDER BY pos LIMIT 1",
                    value);
}

bool CCeMntDatabase::LeadingKeyEquals(uint32_t oid, const CDBProp& value, bool& failed) {
    const CDBProp& sort = sortOrders_[0];
    SqlStatement stmt(volume_,
                      "SELECT (SELECT value FROM props WHERE oid = ?2 AND id = ?3 AND "
                      "type = ?4 ORDER BY position LIMIT 1) = ?1" +
                          Collation(sort));
    BindPropValue(stmt.Handle(), 1, value);
    stmt.BindInt(2, oid);
    stmt.BindInt(3, sort.Id());
    stmt.BindInt(4, sort.Type());
    int rc = stmt.Step();
    failed = rc != SQLITE_ROW;
    if (failed)
        FailSql(rc);
    return !failed && stmt.ColumnInt(0) == 1;
}

uint32_t CCeMntDatabase::SeekNextEqual(const CDBProp& value) {
    uint32_t from = current_;
    current_ = 0;
    if (!RequireOpen() || !ValueMatchesLeadingSort(value) || !RefreshOrder())
        return 0;
    auto at = std::find(order_.begin(), order_.end(), from);
    bool failed = false;
    if (from == 0 || at == order_.end() || at + 1 == order_.end() ||
        !LeadingKeyEquals(*(at + 1), value, failed)) {
        if (!failed)
            Fail(DbError::kNoMoreItems);
        return 0;
    }
    current_ = *(at + 1);
    Succeed();
    return current_;
}

bool CCeMntDatabase::ReadRecord(CDBRecord& record) {
    if (!RequireOpen())
        return false;
    if (current_ == 0)
        return Fail(DbError::kNoMoreItems);
    SqlStatement stmt(volume_,
                      "SELECT id, type, value FROM props WHERE oid = ?1 ORDER BY position");
    stmt.BindInt(1, current_);
    CDBRecord read;
    int rc;
    while ((rc = stmt.Step()) == SQLITE_ROW) {
        auto prop = PropFromColumns(stmt.Handle(), 0, 1, 2);
        if (!prop)
            return Fail(DbError::kBadRecord);
        read.AddProp(*prop);
    }
    if (rc != SQLITE_DONE)
        return FailSql(rc);
    if (read.Empty())
        return Fail(DbError::kNoMoreItems);
    read.SetOid(current_);
    record = std::move(read);
    return Succeed();
}

// One row per property (one with NULLs for a record without any), in database order. A new
// record starts where the position changes, so the first row always opens one, whatever
// identifier it carries.
bool CCeMntDatabase::ReadAllRecords(std::vector<std::optional<CDBRecord>>& records) {
    if (!RequireOpen())
        return false;
    SqlStatement stmt(volume_, RankedRecordsSql() +
                                   "SELECT ranked.pos, ranked.oid, p.id, p.type, p.value "
                                   "FROM ranked LEFT JOIN props p ON p.oid = ranked.oid "
                                   "ORDER BY ranked.pos, p.position");
    std::vector<std::optional<CDBRecord>> read;
    int64_t pos = -1;
    int rc;
    while ((rc = stmt.Step()) == SQLITE_ROW) {
        if (read.empty() || stmt.ColumnInt(0) != pos) {
            pos = stmt.ColumnInt(0);
            read.emplace_back(CDBRecord());
            read.back()->SetOid(RecordId(stmt.ColumnInt(1)));
        }
        std::optional<CDBRecord>& record = read.back();
        if (record)
            AddPropOrDiscard(stmt.Handle(), record);
    }
    if (rc != SQLITE_DONE)
        return FailSql(rc);
    records = std::move(read);
    return Succeed();
}

// A record without a usable identifier or properties, or with an undecodable one, cannot be
// read: it keeps its position as nothing.
void CCeMntDatabase::AddPropOrDiscard(sqlite3_stmt* row, std::optional<CDBRecord>& record) {
    if (record->Oid() == 0 || sqlite3_column_type(row, 2) == SQLITE_NULL) {
        record.reset();
        return;
    }
    auto prop = PropFromColumns(row, 2, 3, 4);
    if (prop)
        record->AddProp(*prop);
    else
        record.reset();
}

bool CCeMntDatabase::RecordBelongsHere(uint32_t oid, bool& failed) {
    SqlStatement stmt(volume_, "SELECT 1 FROM records WHERE oid = ?1 AND db = ?2");
    stmt.BindInt(1, oid);
    stmt.BindInt(2, databaseId_);
    int rc = stmt.Step();
    failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
    if (failed)
        FailSql(rc);
    return rc == SQLITE_ROW;
}

uint32_t CCeMntDatabase::InsertRecordRow() {
    SqlStatement stmt(volume_, "INSERT INTO records(db) VALUES(?1)");
    stmt.BindInt(1, databaseId_);
    int rc = stmt.Run();
    if (rc != SQLITE_DONE) {
        FailSql(rc);
        return 0;
    }
    return static_cast<uint32_t>(sqlite3_last_insert_rowid(volume_));
}

bool CCeMntDatabase::ReplaceProps(uint32_t oid, const CDBRecord& record) {
    SqlStatement clear(volume_, "DELETE FROM props WHERE oid = ?1");
    clear.BindInt(1, oid);
    int rc = clear.Run();
    if (rc != SQLITE_DONE)
        return FailSql(rc);
    const auto& props = record.Props();
    for (size_t i = 0; i < props.size(); ++i) {
        SqlStatement insert(
            volume_,
            "INSERT INTO props(oid, position, id, type, value) VALUES(?1, ?2, ?3, ?4, ?5)");
        insert.BindInt(1, oid);
        insert.BindInt(2, static_cast<int64_t>(i));
        insert.BindInt(3, props[i].Id());
        insert.BindInt(4, props[i].Type());
        BindPropValue(insert.Handle(), 5, props[i]);
        rc = insert.Run();
        if (rc != SQLITE_DONE)
            return FailSql(rc);
    }
    return true;
}

uint32_t CCeMntDatabase::WriteRecord(CDBRecord& record, bool atCurrent) {
    if (!RequireOpen())
        return 0;
    if (record.Empty()) {
        Fail(DbError::kNoData);
        return 0;
    }
    for (const CDBProp& prop : record.Props()) {
        if (!CDBProp::FitsType(prop.Type(), prop.RawValue())) {
            Fail(DbError::kInvalidParameter);
            return 0;
        }
    }
    uint32_t target = record.Oid() != 0 ? record.Oid() : (atCurrent ? current_ : 0);
    bool overwrite = record.Oid() != 0 || atCurrent;
    bool failed = false;
    if (overwrite && (target == 0 || !RecordBelongsHere(target, failed))) {
        if (!failed)
            Fail(DbError::kNoMoreItems);
        return 0;
    }
    if (!BeginChange())
        return 0;
    if (!overwrite)
        target = InsertRecordRow();
    if (!EndChange(target != 0 && ReplaceProps(target, record)))
        return 0;
    current_ = target;
    record.SetOid(target);
    Succeed();
    return target;
}

bool CCeMntDatabase::DeleteRecord(uint32_t oid) {
    if (!RequireOpen())
        return false;
    uint32_t target = oid != 0 ? oid : current_;
    bool failed = false;
    if (target == 0 || !RecordBelongsHere(target, failed))
        return failed ? false : Fail(DbError::kNoMoreItems);
    if (!BeginChange())
        return false;
    SqlStatement stmt(volume_, "DELETE FROM records WHERE oid = ?1");
    stmt.BindInt(1, target);
    int rc = stmt.Run();
    if (!EndChange(rc == SQLITE_DONE))
        return rc == SQLITE_DONE ? false : FailSql(rc);
    if (target == current_)
        current_ = 0;
    return Succeed();
}

std::optional<int> CCeMntDatabase::RecordCount() {
    if (!RequireOpen() || !RefreshOrder())
        return std::nullopt;
    Succeed();
    return static_cast<int>(order_.size());
}
