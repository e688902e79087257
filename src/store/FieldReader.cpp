#include "store/FieldReader.h"

#include <limits>

const CDBProp* FieldReader::Find(uint16_t id) {
    const CDBProp* prop = record_.FindProp(id);
    if (prop == nullptr)
        ok_ = false;
    return prop;
}

void FieldReader::Text(uint16_t id, std::string& field) {
    const CDBProp* prop = Find(id);
    const std::string* value = prop ? prop->GetString() : nullptr;
    if (value == nullptr)
        ok_ = false;
    else
        field = *value;
}

void FieldReader::Int16(uint16_t id, int16_t& field) {
    const CDBProp* prop = Find(id);
    auto value = prop ? prop->GetI2() : std::nullopt;
    if (!value)
        ok_ = false;
    else
        field = *value;
}

void FieldReader::Int16(uint16_t id, int& field) {
    const CDBProp* prop = Find(id);
    auto value = prop ? prop->GetI2() : std::nullopt;
    if (!value)
        ok_ = false;
    else
        field = *value;
}

void FieldReader::UInt16(uint16_t id, int16_t& field) {
    const CDBProp* prop = Find(id);
    auto value = prop ? prop->GetUI2() : std::nullopt;
    if (!value || *value > std::numeric_limits<int16_t>::max())
        ok_ = false;
    else
        field = static_cast<int16_t>(*value);
}

void FieldReader::Double(uint16_t id, double& field) {
    const CDBProp* prop = Find(id);
    auto value = prop ? prop->GetDouble() : std::nullopt;
    if (!value)
        ok_ = false;
    else
        field = *value;
}
