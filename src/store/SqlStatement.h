#pragma once
// A prepared SQLite statement that finalises itself; the only place the store layer touches
// the statement API directly.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "store/DbError.h"

class SqlStatement {
  public:
    SqlStatement(sqlite3* db, std::string_view sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    // SQLITE_OK when the statement was prepared.
    int PrepareResult() const { return prepareResult_; }
    sqlite3_stmt* Handle() const { return stmt_; }

    void BindInt(int index, int64_t value);
    void BindText(int index, std::string_view text);
    // SQLITE_ROW, SQLITE_DONE or an error code; an unprepared statement returns its prepare error.
    int Step();
    // Steps until done; SQLITE_DONE on success.
    int Run();

    int64_t ColumnInt(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string ColumnText(int column) const;

  private:
    sqlite3_stmt* stmt_ = nullptr;
    int prepareResult_ = SQLITE_OK;
};

// Runs SQL without results; returns the SQLite result code.
int ExecSql(sqlite3* db, const char* sql);

// Damage to the file itself (kCorrupt) or any other failure to use it (kIo).
DbError ErrorFromSqlite(int resultCode);
