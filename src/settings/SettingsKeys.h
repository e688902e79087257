#pragma once
// The settings file's keys in one table: where each key lives, the document field it fills,
// its default and how it is written. The order is the order of a newly made file.
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

class CKelvarinDoc;

namespace settings {

enum class ValueFormat {
    Integer,  // "%d" / "%ld"
    Text,     // as it is, UTF-8
    Fixed6,   // "%0f": gains, baseline coefficients, bias constants
    Fixed3,   // "%0.3f": rate and charge calibration factors
    Fixed1,   // "%0.1f": trigger thresholds (more decimals only for a finer value)
};

using SettingField = std::variant<uint8_t*, int16_t*, int*, long*, double*, std::string*>;

struct SettingKey {
    int category;
    std::string name;
    ValueFormat format;
    std::string defaultText;  // written and used when the key is missing or unusable
    long minimum;             // integer keys: the values the instrument can use
    long maximum;
    std::function<SettingField(CKelvarinDoc&)> field;
    // Number keys: a further test a finite value must pass (none when empty).
    std::function<bool(double)> accepts = {};
};

const std::vector<SettingKey>& SettingKeys();
const SettingKey* FindKey(const std::string& name);

// Puts the stored `text` into the key's field. False, leaving the field alone, when the text
// is no number, a non-finite one, a number the key does not accept, or an integer outside
// minimum..maximum.
bool AssignFromText(const SettingKey& key, const char* text, CKelvarinDoc& doc);

// The field's value as the key is written.
std::string FieldText(const SettingKey& key, CKelvarinDoc& doc);

}  // namespace settings
