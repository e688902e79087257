#pragma once
// Key/value access to the settings file. Every value is the attribute "value" of an element
// named after its key; the key elements are grouped under fixed category elements below the
// element "root". Each helper owns the document it parsed, so helpers never disturb each
// other; making one re-reads the file.
#include <tinyxml2.h>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

// Categories as callers address them.
enum SettingsCategory : int {
    kCategoryRoot = 0,
    kCategoryUpdates = 1,
    kCategorySysInfo = 2,
    kCategoryCalInfo = 3,
    kCategoryADCL = 4,
    kCategoryTrigger = 5,
    kCategoryTempPress = 6,
};
inline constexpr int kCategoryCount = 7;

// What the helper found when it opened the file.
enum class SettingsFileState {
    Parsed,      // read and parsed
    Missing,     // no file yet: an empty document was started
    Damaged,     // read but not XML: an empty document was started, the bytes are kept
    Unreadable,  // there but could not be read: the file will not be replaced
};

class CXmlHelper {
  public:
    // Opens `devicePath` (the caller passes "\FlashDisk\ZELTarvo.xml") and adds, in memory,
    // the root and category elements the file lacks. Never writes.
    explicit CXmlHelper(std::string_view devicePath);
    CXmlHelper(const CXmlHelper&) = delete;
    CXmlHelper& operator=(const CXmlHelper&) = delete;

    // Stores `value` as "%d" text; true when it reads back as the same integer.
    bool SetInt(int category, const char* key, int value);
    // Stores `text` (UTF-8); true when the stored attribute equals it.
    bool SetString(const std::string& text, int category, const char* key);
    // The stored text, or else `defaultText`, which is then stored. False, with `text`
    // unchanged, when the category does not exist or the default could not be stored.
    bool GetString(int category, const char* key, std::string& text,
                   const std::string& defaultText);
    // The stored "value" text, or nullptr when the key element or its attribute is missing.
    const char* FindValue(int category, const char* key) const;
    // The category element (0 is "root"), or nullptr for a number that names none.
    tinyxml2::XMLElement* GetCategory(int number) const;

    // Replaces the file with the whole document; a crash leaves the old or the new file.
    // A damaged file is first kept beside it (see KeptAs); an unreadable one is never
    // replaced. False, with `error` saying why, when nothing was written.
    bool Save(std::string* error = nullptr);

    SettingsFileState State() const { return state_; }
    // Why the file was damaged or unreadable; empty otherwise.
    const std::string& Problem() const { return problem_; }
    // Where Save kept the damaged file; empty until it did.
    const std::string& KeptAs() const { return keptAs_; }
    const std::filesystem::path& FilePath() const { return path_; }

  private:
    // True when the file's bytes are in fileText_; otherwise State says why not.
    bool ReadFile(std::string_view devicePath);
    void ParseText();
    void DropTopLevelText();
    void StartEmptyDocument();
    void FindOrAddCategories();
    tinyxml2::XMLElement* FindOrAddChild(tinyxml2::XMLNode& parent, const char* name);
    tinyxml2::XMLElement* KeyElement(int category, const char* key) const;
    bool KeepDamagedCopy(std::string* error);
    std::string PrintedText() const;

    tinyxml2::XMLDocument xml_;
    std::filesystem::path path_;
    std::string fileText_;  // the bytes read, kept for the copy of a damaged file
    SettingsFileState state_ = SettingsFileState::Missing;
    std::string problem_;
    std::string keptAs_;
    std::array<tinyxml2::XMLElement*, kCategoryCount> categories_{};
};
