#include "settings/SettingsKeys.h"

#include <cstdint>
#include <span>

#include "document/CKelvarinDoc.h"
#include "document/EntryRules.h"
#include "fw/Resources.h"
#include "settings/CXmlHelper.h"
#include "settings/NumberText.h"

namespace settings {
namespace {

using Doc = CKelvarinDoc;
using FieldOf = std::function<SettingField(Doc&)>;

constexpr int kDefaultSerialNumberId = 344;  // "0000000"

template <auto Member>
SettingField DocField(Doc& doc) {
    return &(doc.*Member);
}

SettingKey IntegerKey(int category, std::string name, long defaultValue, long minimum, long maximum,
                      FieldOf field) {
    return {category, std::move(name), ValueFormat::Integer, FormatInteger(defaultValue),
            minimum,  maximum,         std::move(field)};
}

SettingKey OtherKey(int category, std::string name, ValueFormat format, std::string defaultText,
                    FieldOf field) {
    return {category, std::move(name), format, std::move(defaultText), 0, 0, std::move(field)};
}

// The touch calibration map, "TouchCalA".."TouchCalF".
void AddTouchKeys(std::vector<SettingKey>& keys) {
    constexpr const char* kDefaults[] = {"1.0", "0.0", "0.0", "0.0", "1.0", "0.0"};
    for (int i = 0; i < 6; ++i) {
        keys.push_back(OtherKey(kCategorySysInfo, std::string("TouchCal") + char('A' + i),
                                ValueFormat::Fixed6, kDefaults[i],
                                [i](Doc& doc) { return SettingField(&doc.TouchCal[i]); }));
    }
}

void AddSystemKeys(std::vector<SettingKey>& keys) {
    constexpr int c = kCategorySysInfo;
    keys.push_back(
        IntegerKey(c, "DefChargeDuration", 15, 1, 86400, DocField<&Doc::DefChargeDuration>));
    keys.push_back(OtherKey(c, "SerialNumber", ValueFormat::Text,
                            fw::LoadString(kDefaultSerialNumberId), DocField<&Doc::SerialNumber>));
    // Brightness 0 would leave the display dark at start; the preferences offer 1..10.
    keys.push_back(IntegerKey(c, "Brightness", 8, 1, 10, DocField<&Doc::Brightness>));
    keys.push_back(IntegerKey(c, "Volume", 8, 0, 10, DocField<&Doc::Volume>));
    keys.push_back(IntegerKey(c, "TimeFormat", 0, 0, 1, DocField<&Doc::TimeFormat>));
    keys.push_back(IntegerKey(c, "DateFormat", 0, 0, 2, DocField<&Doc::DateFormat>));
    keys.push_back(IntegerKey(c, "PasswordProtect", 1, 0, 1, DocField<&Doc::PasswordProtect>));
    keys.push_back(IntegerKey(c, "DefChargeType", 0, 0, 2, DocField<&Doc::DefChargeType>));
    keys.push_back(IntegerKey(c, "DataFileDelimiter", 0, 0, 1, DocField<&Doc::DataFileDelimiter>));
    AddTouchKeys(keys);
}

void AddCalibrationDates(std::vector<SettingKey>& keys) {
    struct Date {
        const char* name;
        DATE3 Doc::*date;
    };
    struct Part {
        const char* name;
        int16_t DATE3::*part;
    };
    constexpr Date kDates[] = {{"CalDate", &Doc::CalDate}, {"CalDueDate", &Doc::CalDueDate}};
    constexpr Part kParts[] = {
        {"Year", &DATE3::Year}, {"Month", &DATE3::Month}, {"Day", &DATE3::Day}};
    for (const Date& d : kDates)
        for (const Part& p : kParts)
            keys.push_back(IntegerKey(kCategoryADCL, std::string(d.name) + p.name, 0, INT16_MIN,
                                      INT16_MAX, [date = d.date, part = p.part](Doc& doc) {
                                          return SettingField(&((doc.*date).*part));
                                      }));
}

struct RangeMember {
    const char* name;
    double RANGE_CAL::*member;
    const char* defaultText;
};

constexpr RangeMember kFactors[] = {{"RateCF", &RANGE_CAL::RateCF, "1.0"},
                                    {"ChrgCF", &RANGE_CAL::ChrgCF, "1.0"}};
// The baseline E defaults to 2^23, the converter's mid-scale.
constexpr RangeMember kCurve[] = {
    {"Gain", &RANGE_CAL::Gain, "1.0"}, {"A", &RANGE_CAL::A, "0.0"},
    {"B", &RANGE_CAL::B, "0.0"},       {"C", &RANGE_CAL::C, "0.0"},
    {"D", &RANGE_CAL::D, "0.0"},       {"E", &RANGE_CAL::E, "8388608.0"},
};

std::string ChannelPrefix(int ch) {
    return "Ch" + std::to_string(ch + 1);
}

// Both ranges of channel `ch`, High first: "Ch1HiRateCF", ... "Ch1LoChrgCF".
void AddRangeKeys(std::vector<SettingKey>& keys, int category, ValueFormat format, int ch,
                  std::span<const RangeMember> members) {
    for (bool high : {true, false}) {
        std::string prefix = ChannelPrefix(ch) + (high ? "Hi" : "Lo");
        for (const RangeMember& m : members)
            keys.push_back(OtherKey(category, prefix + m.name, format, m.defaultText,
                                    [ch, high, member = m.member](Doc& doc) {
                                        CHANNEL_CAL& cal = doc.Filter.Cal[ch];
                                        // Bound first: GCC 12 applies ".*" to a copy of a
                                        // conditional expression.
                                        RANGE_CAL& range = high ? cal.High : cal.Low;
                                        return SettingField(&(range.*member));
                                    }));
        if (format == ValueFormat::Fixed3) {
            // A calibration factor of 0 (or below) reads every dose as 0.
            for (size_t i = keys.size() - members.size(); i < keys.size(); ++i)
                keys[i].accepts = entry_rules::IsUsableFactor;
        }
    }
}

void AddBiasKeys(std::vector<SettingKey>& keys, int ch) {
    keys.push_back(OtherKey(kCategoryCalInfo, ChannelPrefix(ch) + "BiasM", ValueFormat::Fixed6,
                            "1.0",
                            [ch](Doc& doc) { return SettingField(&doc.Filter.Cal[ch].BiasM); }));
    keys.push_back(OtherKey(kCategoryCalInfo, ChannelPrefix(ch) + "BiasB", ValueFormat::Fixed6,
                            "0.0",
                            [ch](Doc& doc) { return SettingField(&doc.Filter.Cal[ch].BiasB); }));
}

void AddChannelKeys(std::vector<SettingKey>& keys, int ch) {
    AddRangeKeys(keys, kCategoryADCL, ValueFormat::Fixed3, ch, kFactors);
    AddRangeKeys(keys, kCategoryCalInfo, ValueFormat::Fixed6, ch, kCurve);
    AddBiasKeys(keys, ch);
}

void AddTriggerAndStandards(std::vector<SettingKey>& keys) {
    constexpr int t = kCategoryTrigger;
    constexpr ValueFormat f = ValueFormat::Fixed1;
    keys.push_back(OtherKey(t, "HStart", f, "4.0", DocField<&Doc::HStart>));
    keys.push_back(OtherKey(t, "HStop", f, "2.5", DocField<&Doc::HStop>));
    keys.push_back(OtherKey(t, "LStart", f, "0.8", DocField<&Doc::LStart>));
    keys.push_back(OtherKey(t, "LStop", f, "0.5", DocField<&Doc::LStop>));
    keys.push_back(IntegerKey(kCategoryTempPress, "PressStd", 1, 0, 2, DocField<&Doc::PressStd>));
    keys.push_back(IntegerKey(kCategoryTempPress, "TempStd", 0, 0, 1, DocField<&Doc::TempStd>));
}

std::vector<SettingKey> MakeKeys() {
    std::vector<SettingKey> keys;
    AddSystemKeys(keys);
    AddCalibrationDates(keys);
    AddChannelKeys(keys, 0);
    AddChannelKeys(keys, 1);
    AddTriggerAndStandards(keys);
    // Last, so that files made before it keep their order; anything but 0 or 1 loads as off.
    keys.push_back(IntegerKey(kCategorySysInfo, "DataFileStatistics", 0, 0, 1,
                              DocField<&Doc::DataFileStatistics>));
    return keys;
}

int Decimals(ValueFormat format) {
    switch (format) {
        case ValueFormat::Fixed3:
            return 3;
        case ValueFormat::Fixed1:
            return 1;
        default:
            return 6;
    }
}

struct AssignText {
    const SettingKey& key;
    const char* text;

    bool operator()(std::string* field) const {
        *field = text;
        return true;
    }
    bool operator()(double* field) const {
        std::optional<double> value = ParseFiniteDouble(text);
        if (!value || (key.accepts && !key.accepts(*value)))
            return false;
        *field = *value;
        return true;
    }
    template <class Integer>
    bool operator()(Integer* field) const {
        std::optional<long long> value = ParseInteger(text);
        if (!value || *value < key.minimum || *value > key.maximum)
            return false;
        *field = static_cast<Integer>(*value);
        return true;
    }
};

struct TextOfField {
    const SettingKey& key;

    std::string operator()(std::string* field) const { return *field; }
    std::string operator()(double* field) const {
        // A threshold set over the remote port may be finer than one decimal: rounded, a
        // valid start/stop pair could come back equal and be reset at the next load.
        if (key.format == ValueFormat::Fixed1)
            return FormatFixedExact(*field, Decimals(key.format));
        return FormatFixed(*field, Decimals(key.format));
    }
    template <class Integer>
    std::string operator()(Integer* field) const {
        return FormatInteger(*field);
    }
};

}  // namespace

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = MakeKeys();
    return keys;
}

const SettingKey* FindKey(const std::string& name) {
    for (const SettingKey& key : SettingKeys()) {
        if (key.name == name)
            return &key;
    }
    return nullptr;
}

bool AssignFromText(const SettingKey& key, const char* text, CKelvarinDoc& doc) {
    return text != nullptr && std::visit(AssignText{key, text}, key.field(doc));
}

std::string FieldText(const SettingKey& key, CKelvarinDoc& doc) {
    return std::visit(TextOfField{key}, key.field(doc));
}

}  // namespace settings
