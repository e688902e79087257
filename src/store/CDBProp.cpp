#include "store/CDBProp.h"

#include <bit>
#include <limits>

namespace {

template <typename T>
bool IntegerFits(int64_t v) {
    return v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max();
}

bool IntegerFitsType(uint16_t type, int64_t v) {
    switch (type) {
        case CDBProp::kTypeI2:
            return IntegerFits<int16_t>(v);
        case CDBProp::kTypeUI2:
            return IntegerFits<uint16_t>(v);
        case CDBProp::kTypeI4:
            return IntegerFits<int32_t>(v);
        case CDBProp::kTypeUI4:
            return IntegerFits<uint32_t>(v);
        case CDBProp::kTypeBool:
            return v == 0 || v == 1;
        case CDBProp::kTypeFileTime:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool CDBProp::IsKnownType(uint16_t type) {
    switch (type) {
        case kTypeI2:
        case kTypeI4:
        case kTypeDouble:
        case kTypeBool:
        case kTypeUI2:
        case kTypeUI4:
        case kTypeString:
        case kTypeFileTime:
        case kTypeBlob:
            return true;
        default:
            return false;
    }
}

bool CDBProp::FitsType(uint16_t type, const Value& value) {
    switch (type) {
        case kTypeDouble:
            return std::holds_alternative<double>(value);
        case kTypeString:
            return std::holds_alternative<std::string>(value);
        case kTypeBlob:
            return std::holds_alternative<std::vector<uint8_t>>(value);
        default:
            return std::holds_alternative<int64_t>(value) &&
                   IntegerFitsType(type, std::get<int64_t>(value));
    }
}

std::optional<CDBProp> CDBProp::FromStored(uint16_t id, uint16_t type, Value value) {
    if (!FitsType(type, value))
        return std::nullopt;
    CDBProp prop(id);
    prop.type_ = type;
    prop.value_ = std::move(value);
    return prop;
}

CDBProp CDBProp::SortOrder(uint16_t id, uint16_t type, uint16_t flags) {
    CDBProp prop(id);
    prop.type_ = type;
    prop.Clear();
    prop.sortFlags_ = flags;
    return prop;
}

CDBProp CDBProp::I2(uint16_t id, int16_t v) {
    CDBProp prop(id);
    prop.SetI2(v);
    return prop;
}

CDBProp CDBProp::UI2(uint16_t id, uint16_t v) {
    CDBProp prop(id);
    prop.SetUI2(v);
    return prop;
}

CDBProp CDBProp::Double(uint16_t id, double v) {
    CDBProp prop(id);
    prop.SetDouble(v);
    return prop;
}

CDBProp CDBProp::String(uint16_t id, std::string_view v) {
    CDBProp prop(id);
    prop.SetString(v);
    return prop;
}

void CDBProp::SetInteger(uint16_t type, int64_t v) {
    type_ = type;
    value_ = v;
}

void CDBProp::SetDouble(double v) {
    type_ = kTypeDouble;
    value_ = v;
}

void CDBProp::SetString(std::string_view v) {
    type_ = kTypeString;
    value_ = std::string(v);
}

void CDBProp::SetBlob(std::span<const uint8_t> bytes) {
    type_ = kTypeBlob;
    value_ = std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::optional<int16_t> CDBProp::GetI2() const {
    if (type_ != kTypeI2)
        return std::nullopt;
    return static_cast<int16_t>(std::get<int64_t>(value_));
}

std::optional<uint16_t> CDBProp::GetUI2() const {
    if (type_ != kTypeUI2)
        return std::nullopt;
    return static_cast<uint16_t>(std::get<int64_t>(value_));
}

std::optional<int32_t> CDBProp::GetI4() const {
    if (type_ != kTypeI4)
        return std::nullopt;
    return static_cast<int32_t>(std::get<int64_t>(value_));
}

std::optional<double> CDBProp::GetDouble() const {
    if (type_ != kTypeDouble)
        return std::nullopt;
    return std::get<double>(value_);
}

const std::string* CDBProp::GetString() const {
    return type_ == kTypeString ? &std::get<std::string>(value_) : nullptr;
}

const std::vector<uint8_t>* CDBProp::GetBlob() const {
    return type_ == kTypeBlob ? &std::get<std::vector<uint8_t>>(value_) : nullptr;
}

void CDBProp::Clear() {
    switch (type_) {
        case kTypeDouble:
            value_ = 0.0;
            break;
        case kTypeString:
            value_ = std::string();
            break;
        case kTypeBlob:
            value_ = std::vector<uint8_t>();
            break;
        default:
            value_ = int64_t{0};
            break;
    }
}

bool CDBProp::operator==(const CDBProp& other) const {
    if (id_ != other.id_ || type_ != other.type_)
        return false;
    if (type_ == kTypeDouble) {
        return std::bit_cast<uint64_t>(std::get<double>(value_)) ==
               std::bit_cast<uint64_t>(std::get<double>(other.value_));
    }
    return value_ == other.value_;
}
