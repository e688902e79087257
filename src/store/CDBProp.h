#pragma once
// One typed property of a library record: a 16-bit property id, a type code and the value.
// The tag packs both as the database service does (id in the high 16 bits, type in the low).
// Values are held by value: a property never points into a caller's buffer.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class CDBProp {
  public:
    static constexpr uint16_t kTypeI2 = 2;
    static constexpr uint16_t kTypeI4 = 3;
    static constexpr uint16_t kTypeDouble = 5;
    static constexpr uint16_t kTypeBool = 11;
    static constexpr uint16_t kTypeUI2 = 18;
    static constexpr uint16_t kTypeUI4 = 19;
    static constexpr uint16_t kTypeString = 31;
    static constexpr uint16_t kTypeFileTime = 64;
    static constexpr uint16_t kTypeBlob = 65;

    // Sort flags, when the property names a sort order.
    static constexpr uint16_t kSortDescending = 0x1;
    static constexpr uint16_t kSortCaseInsensitive = 0x2;
    static constexpr uint16_t kSortUnknownFirst = 0x4;

    using Value = std::variant<int64_t, double, std::string, std::vector<uint8_t>>;

    static constexpr uint32_t MakeTag(uint16_t id, uint16_t type) {
        return (static_cast<uint32_t>(id) << 16) | type;
    }
    static bool IsKnownType(uint16_t type);
    // Whether `value` is a valid value of `type` (right kind, integer within the type's range).
    static bool FitsType(uint16_t type, const Value& value);
    // A property from stored parts; nothing when the value does not fit the type.
    static std::optional<CDBProp> FromStored(uint16_t id, uint16_t type, Value value);

    // A new property is a 32-bit integer 0.
    CDBProp() = default;
    explicit CDBProp(uint16_t id) : id_(id) {}
    // A property naming a sort order (a value is not needed for that).
    static CDBProp SortOrder(uint16_t id, uint16_t type, uint16_t flags = 0);

    static CDBProp I2(uint16_t id, int16_t v);
    static CDBProp UI2(uint16_t id, uint16_t v);
    static CDBProp Double(uint16_t id, double v);
    static CDBProp String(uint16_t id, std::string_view v);

    uint16_t Id() const { return id_; }
    uint16_t Type() const { return type_; }
    uint32_t Tag() const { return MakeTag(id_, type_); }
    uint16_t SortFlags() const { return sortFlags_; }
    const Value& RawValue() const { return value_; }

    void SetId(uint16_t id) { id_ = id; }
    void SetSortFlags(uint16_t flags) { sortFlags_ = flags; }
    void SetI2(int16_t v) { SetInteger(kTypeI2, v); }
    void SetUI2(uint16_t v) { SetInteger(kTypeUI2, v); }
    void SetI4(int32_t v) { SetInteger(kTypeI4, v); }
    void SetUI4(uint32_t v) { SetInteger(kTypeUI4, v); }
    void SetBool(bool v) { SetInteger(kTypeBool, v ? 1 : 0); }
    void SetFileTime(uint64_t v) { SetInteger(kTypeFileTime, static_cast<int64_t>(v)); }
    void SetDouble(double v);
    void SetString(std::string_view v);
    void SetBlob(std::span<const uint8_t> bytes);

    // The value when the property has that type; nothing otherwise.
    std::optional<int16_t> GetI2() const;
    std::optional<uint16_t> GetUI2() const;
    std::optional<int32_t> GetI4() const;
    std::optional<double> GetDouble() const;
    const std::string* GetString() const;
    const std::vector<uint8_t>* GetBlob() const;

    // Resets the value to its type's zero, keeping id and type.
    void Clear();

    // Same id, type and value; doubles compare bit for bit so a stored value reads back equal.
    bool operator==(const CDBProp& other) const;

  private:
    void SetInteger(uint16_t type, int64_t v);

    uint16_t id_ = 0;
    uint16_t type_ = kTypeI4;
    uint16_t sortFlags_ = 0;
    Value value_ = int64_t{0};
};
