#pragma once
// The kinds of failure the record-database layer reports; the stores tell them apart to decide
// whether to create a missing database, give up, or tell the operator the library was damaged.
#include <string_view>

enum class DbError {
    kNone = 0,
    kNotFound,          // the named database does not exist on the volume
    kInvalidParameter,  // bad argument: name too long, unknown sort order, unmappable path
    kNoData,            // a record without properties
    kNoMoreItems,       // seek before the first or past the last record; no current record
    kAlreadyExists,     // a database of that name is already on the volume
    kNotOpen,           // no volume mounted or no database open
    kBadRecord,         // a stored record lacks a property of the layout or holds a wrong type
    kCorrupt,           // the volume file is damaged or not a library; it was set aside
    kIo,                // the file could not be opened, read or written (permissions, disk full)
};

std::string_view DbErrorText(DbError error);
