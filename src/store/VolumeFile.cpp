#include "store/VolumeFile.h"

#include <limits>
#include <string>
#include <system_error>

#include "store/SqlStatement.h"

namespace {

// Marks our files so that any other SQLite file is recognised as foreign ("KVLB").
constexpr int64_t kApplicationId = 0x4B564C42;
constexpr int64_t kLayoutVersion = 1;

// Each property keeps its id, type code and position, so a record reads back exactly as written
// and in its own order; the value column takes SQLite's natural class for the type.
constexpr const char* kLayoutSql = R"sql(
CREATE TABLE databases(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL UNIQUE,
    type INTEGER NOT NULL);
CREATE TABLE sort_orders(
    db INTEGER NOT NULL REFERENCES databases(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    tag INTEGER NOT NULL,
    flags INTEGER NOT NULL,
    PRIMARY KEY(db, position));
CREATE TABLE records(
    oid INTEGER PRIMARY KEY AUTOINCREMENT,
    db INTEGER NOT NULL REFERENCES databases(id) ON DELETE CASCADE);
CREATE INDEX records_by_db ON records(db);
CREATE TABLE props(
    oid INTEGER NOT NULL REFERENCES records(oid) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    id INTEGER NOT NULL,
    type INTEGER NOT NULL,
    value,
    PRIMARY KEY(oid, position)) WITHOUT ROWID;
)sql";

std::filesystem::path JournalOf(const std::filesystem::path& file) {
    return std::filesystem::path(file.string() + "-journal");
}

enum class FileState { kNew, kSound, kDamaged, kFailed };

// Reads one integer pragma; the result code says whether the file could be read at all.
int QueryInt(sqlite3* db, const char* sql, int64_t& value) {
    SqlStatement stmt(db, sql);
    int rc = stmt.Step();
    if (rc == SQLITE_ROW) {
        value = stmt.ColumnInt(0);
        return SQLITE_OK;
    }
    return rc == SQLITE_DONE ? SQLITE_CORRUPT : rc;
}

// What a check found: the file's own damage and a failure to read it are told apart, so a file
// that is only busy or unreadable for a moment is never taken for damaged and moved aside.
FileState Verdict(int resultCode, bool sound) {
    if (resultCode != SQLITE_OK)
        return ErrorFromSqlite(resultCode) == DbError::kCorrupt ? FileState::kDamaged
                                                                : FileState::kFailed;
    return sound ? FileState::kSound : FileState::kDamaged;
}

// Every table and index with its SQL, one line each: two files with the same text have the
// same layout.
int SchemaText(sqlite3* db, std::string& text) {
    SqlStatement stmt(db,
                      "SELECT type || '|' || name || '|' || tbl_name || '|' || coalesce(sql, '') "
                      "FROM sqlite_schema ORDER BY type, name");
    int rc;
    while ((rc = stmt.Step()) == SQLITE_ROW)
        text += stmt.ColumnText(0) + "\n";
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

const std::string& OurSchemaText() {
    static const std::string text = [] {
        sqlite3* db = nullptr;
        std::string made;
        if (sqlite3_open(":memory:", &db) == SQLITE_OK && ExecSql(db, kLayoutSql) == SQLITE_OK)
            SchemaText(db, made);
        sqlite3_close(db);
        return made;
    }();
    return text;
}

// A changed table definition (a damaged schema page) lets queries run on columns that no
// longer mean what the store expects, e.g. record identifiers that are no longer keys.
FileState CheckLayout(sqlite3* db) {
    std::string text;
    int rc = SchemaText(db, text);
    return Verdict(rc, !OurSchemaText().empty() && text == OurSchemaText());
}

// The full check, not the quick one: it also finds keys out of order in a table, where a
// write lands in a place that later reads do not look.
FileState CheckIntegrity(sqlite3* db) {
    SqlStatement stmt(db, "PRAGMA integrity_check");
    int rc = stmt.Step();
    if (rc != SQLITE_ROW)
        return Verdict(rc == SQLITE_DONE ? SQLITE_CORRUPT : rc, false);
    bool ok = stmt.ColumnText(0) == "ok";
    return Verdict(SQLITE_OK, ok && stmt.Step() == SQLITE_DONE);
}

// Record identifiers are 32-bit and never 0 (0 means "no record"); the store writes no others.
FileState CheckRecordIds(sqlite3* db) {
    int64_t outside = 0;
    const std::string sql = "SELECT count(*) FROM records WHERE oid NOT BETWEEN 1 AND " +
                            std::to_string(std::numeric_limits<uint32_t>::max());
    int rc = QueryInt(db, sql.c_str(), outside);
    return Verdict(rc, outside == 0);
}

FileState Examine(sqlite3* db) {
    int64_t appId = 0, version = 0, objects = 0;
    int rc = QueryInt(db, "PRAGMA application_id", appId);
    if (rc == SQLITE_OK)
        rc = QueryInt(db, "PRAGMA user_version", version);
    if (rc == SQLITE_OK)
        rc = QueryInt(db, "SELECT count(*) FROM sqlite_schema", objects);
    if (rc != SQLITE_OK)
        return Verdict(rc, false);
    if (appId == 0 && version == 0 && objects == 0)
        return FileState::kNew;
    if (appId != kApplicationId || version != kLayoutVersion)
        return FileState::kDamaged;
    for (auto check : {CheckLayout, CheckIntegrity, CheckRecordIds}) {
        FileState state = check(db);
        if (state != FileState::kSound)
            return state;
    }
    return FileState::kSound;
}

int CreateLayout(sqlite3* db) {
    std::string sql = "BEGIN IMMEDIATE;";
    sql += kLayoutSql;
    sql += "PRAGMA application_id = " + std::to_string(kApplicationId) + ";";
    sql += "PRAGMA user_version = " + std::to_string(kLayoutVersion) + ";";
    sql += "COMMIT;";
    int rc = ExecSql(db, sql.c_str());
    if (rc != SQLITE_OK)
        ExecSql(db, "ROLLBACK");
    return rc;
}

// synchronous=FULL: every commit is on the flash before it returns, so a power cut after a
// change keeps it, and one during a change leaves the rollback journal to undo it whole.
// The plain rollback journal keeps a volume to one file between changes (no WAL side files).
int ConfigureConnection(sqlite3* db) {
    return ExecSql(db,
                   "PRAGMA foreign_keys = ON; PRAGMA journal_mode = DELETE;"
                   "PRAGMA synchronous = FULL;");
}

VolumeOpenResult Failed(sqlite3* db, DbError error) {
    sqlite3_close_v2(db);
    VolumeOpenResult result;
    result.error = error;
    return result;
}

}  // namespace

VolumeOpenResult OpenVolumeFile(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK)
        return Failed(db, DbError::kIo);
    // Another store object in the middle of a commit makes the checks wait, not fail.
    sqlite3_busy_timeout(db, 2000);
    FileState state = Examine(db);
    if (state == FileState::kFailed)
        return Failed(db, DbError::kIo);
    if (state == FileState::kDamaged) {
        sqlite3_close_v2(db);
        VolumeOpenResult result;
        result.error = DbError::kCorrupt;
        result.keptAside = SetVolumeAside(file).value_or(std::filesystem::path());
        return result;
    }
    if (ConfigureConnection(db) != SQLITE_OK)
        return Failed(db, DbError::kIo);
    if (state == FileState::kNew && CreateLayout(db) != SQLITE_OK)
        return Failed(db, DbError::kIo);
    VolumeOpenResult result;
    result.connection = db;
    return result;
}

std::optional<std::filesystem::path> SetVolumeAside(const std::filesystem::path& file) {
    std::error_code ec;
    for (int n = 1; n < 1000; ++n) {
        std::string suffix = n == 1 ? ".bad" : ".bad" + std::to_string(n);
        std::filesystem::path aside(file.string() + suffix);
        if (std::filesystem::exists(aside, ec) || std::filesystem::exists(JournalOf(aside), ec))
            continue;
        std::filesystem::rename(file, aside, ec);
        if (ec)
            return std::nullopt;
        if (std::filesystem::exists(JournalOf(file), ec))
            std::filesystem::rename(JournalOf(file), JournalOf(aside), ec);
        return aside;
    }
    return std::nullopt;
}

bool RemoveVolumeFile(const std::filesystem::path& file) {
    std::error_code ec;
    for (const auto& path : {file, JournalOf(file)}) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove(path, ec);
        if (std::filesystem::exists(path, ec))
            return false;
    }
    return true;
}
