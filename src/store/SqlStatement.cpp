#include "store/SqlStatement.h"

SqlStatement::SqlStatement(sqlite3* db, std::string_view sql) {
    prepareResult_ =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (prepareResult_ != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(stmt_);
}

void SqlStatement::BindInt(int index, int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
}

void SqlStatement::BindText(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

int SqlStatement::Step() {
    if (stmt_ == nullptr)
        return prepareResult_ == SQLITE_OK ? SQLITE_MISUSE : prepareResult_;
    return sqlite3_step(stmt_);
}

int SqlStatement::Run() {
    int rc = Step();
    while (rc == SQLITE_ROW)
        rc = Step();
    return rc;
}

std::string SqlStatement::ColumnText(int column) const {
    const auto* text = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return text == nullptr ? std::string() : std::string(text, static_cast<size_t>(size));
}

int ExecSql(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

DbError ErrorFromSqlite(int resultCode) {
    int primary = resultCode & 0xFF;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        return DbError::kCorrupt;
    return DbError::kIo;
}
