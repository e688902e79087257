#pragma once
// How a property's value sits in the value column: integers as INTEGER, doubles as REAL (NaN,
// which SQLite would turn into NULL, as its 8 raw bytes), strings as TEXT, blobs as BLOB.
#include <sqlite3.h>

#include <optional>

#include "store/CDBProp.h"

void BindPropValue(sqlite3_stmt* stmt, int index, const CDBProp& prop);

// The property in columns id, type, value of the current row; nothing when the stored value is
// not a valid value of the stored type.
std::optional<CDBProp> PropFromColumns(sqlite3_stmt* stmt, int idColumn, int typeColumn,
                                       int valueColumn);
