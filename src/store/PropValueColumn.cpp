#include "store/PropValueColumn.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

void BindDouble(sqlite3_stmt* stmt, int index, double v) {
    if (!std::isnan(v)) {
        sqlite3_bind_double(stmt, index, v);
        return;
    }
    uint64_t bits = std::bit_cast<uint64_t>(v);
    sqlite3_bind_blob(stmt, index, &bits, sizeof bits, SQLITE_TRANSIENT);
}

std::vector<uint8_t> BlobColumn(sqlite3_stmt* stmt, int column) {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, column));
    int size = sqlite3_column_bytes(stmt, column);
    if (bytes == nullptr)
        return {};
    return std::vector<uint8_t>(bytes, bytes + size);
}

// A NaN that was kept as its raw bytes; nothing else is a double stored as a blob.
bool DoubleFromBlob(const std::vector<uint8_t>& bytes, CDBProp::Value& out) {
    uint64_t bits = 0;
    if (bytes.size() != sizeof bits)
        return false;
    std::memcpy(&bits, bytes.data(), sizeof bits);
    double v = std::bit_cast<double>(bits);
    if (!std::isnan(v))
        return false;
    out = v;
    return true;
}

bool ValueColumn(sqlite3_stmt* stmt, int column, uint16_t type, CDBProp::Value& out) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            out = static_cast<int64_t>(sqlite3_column_int64(stmt, column));
            return true;
        case SQLITE_FLOAT:
            out = sqlite3_column_double(stmt, column);
            return true;
        case SQLITE_TEXT: {
            auto bytes = BlobColumn(stmt, column);
            out = std::string(bytes.begin(), bytes.end());
            return true;
        }
        case SQLITE_BLOB: {
            auto bytes = BlobColumn(stmt, column);
            if (type == CDBProp::kTypeDouble)
                return DoubleFromBlob(bytes, out);
            out = std::move(bytes);
            return true;
        }
        default:
            return false;
    }
}

bool FitsUint16(int64_t v) {
    return v >= 0 && v <= std::numeric_limits<uint16_t>::max();
}

}  // namespace

void BindPropValue(sqlite3_stmt* stmt, int index, const CDBProp& prop) {
    const CDBProp::Value& value = prop.RawValue();
    if (const auto* i = std::get_if<int64_t>(&value)) {
        sqlite3_bind_int64(stmt, index, *i);
    } else if (const auto* d = std::get_if<double>(&value)) {
        BindDouble(stmt, index, *d);
    } else if (const auto* s = std::get_if<std::string>(&value)) {
        sqlite3_bind_text(stmt, index, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    } else if (const auto* b = std::get_if<std::vector<uint8_t>>(&value)) {
        // An empty blob must stay a blob, not become NULL.
        if (b->empty())
            sqlite3_bind_zeroblob(stmt, index, 0);
        else
            sqlite3_bind_blob(stmt, index, b->data(), static_cast<int>(b->size()),
                              SQLITE_TRANSIENT);
    }
}

std::optional<CDBProp> PropFromColumns(sqlite3_stmt* stmt, int idColumn, int typeColumn,
                                       int valueColumn) {
    int64_t id = sqlite3_column_int64(stmt, idColumn);
    int64_t type = sqlite3_column_int64(stmt, typeColumn);
    if (!FitsUint16(id) || !FitsUint16(type) || !CDBProp::IsKnownType(static_cast<uint16_t>(type)))
        return std::nullopt;
    CDBProp::Value value;
    if (!ValueColumn(stmt, valueColumn, static_cast<uint16_t>(type), value))
        return std::nullopt;
    return CDBProp::FromStored(static_cast<uint16_t>(id), static_cast<uint16_t>(type),
                               std::move(value));
}
