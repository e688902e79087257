#include "store/DbError.h"

std::string_view DbErrorText(DbError error) {
    switch (error) {
        case DbError::kNone:
            return "no error";
        case DbError::kNotFound:
            return "database not found";
        case DbError::kInvalidParameter:
            return "invalid parameter";
        case DbError::kNoData:
            return "record has no properties";
        case DbError::kNoMoreItems:
            return "no such record";
        case DbError::kAlreadyExists:
            return "database already exists";
        case DbError::kNotOpen:
            return "database not open";
        case DbError::kBadRecord:
            return "stored record is incomplete";
        case DbError::kCorrupt:
            return "library file damaged";
        case DbError::kIo:
            return "file access failed";
    }
    return "unknown error";
}
