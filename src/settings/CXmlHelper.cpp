#include "settings/CXmlHelper.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "fw/AtomicFile.h"
#include "fw/Paths.h"
#include "settings/DurableWrite.h"
#include "settings/NumberText.h"

namespace {

constexpr const char* kRootName = "root";
// Category elements in the order a new file gets them; index = category number - 1.
constexpr const char* kCategoryNames[] = {"Updates", "SysInfo", "CalInfo",
                                          "ADCL",    "Trigger", "TempPressCorrection"};
constexpr const char* kValueAttribute = "value";
// Copies of damaged files are never overwritten; after this many the file is left alone.
constexpr int kMaxDamagedCopies = 99;

std::filesystem::path DamagedCopyPath(const std::filesystem::path& path, int number) {
    std::filesystem::path copy = path;
    copy += number == 1 ? std::string(".bad") : ".bad" + std::to_string(number);
    return copy;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& text, std::string& problem) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    bool ok = fd >= 0;
    char buffer[8192];
    while (ok) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    if (!ok)
        problem = "cannot read " + path.string() + ": " + std::strerror(errno);
    if (fd >= 0)
        ::close(fd);
    return ok;
}

}  // namespace

CXmlHelper::CXmlHelper(std::string_view devicePath) {
    if (ReadFile(devicePath))
        ParseText();
    if (state_ != SettingsFileState::Parsed)
        StartEmptyDocument();
    FindOrAddCategories();
}

bool CXmlHelper::ReadFile(std::string_view devicePath) {
    std::optional<std::filesystem::path> mapped = fw::MapDevicePath(devicePath);
    if (!mapped) {
        state_ = SettingsFileState::Unreadable;
        problem_ = "not a device path: " + std::string(devicePath);
        return false;
    }
    path_ = *mapped;
    std::error_code ec;
    std::filesystem::file_type type = std::filesystem::symlink_status(path_, ec).type();
    if (type == std::filesystem::file_type::not_found) {
        state_ = SettingsFileState::Missing;
        return false;
    }
    if (!ReadWholeFile(path_, fileText_, problem_)) {
        state_ = SettingsFileState::Unreadable;
        return false;
    }
    return true;
}

void CXmlHelper::ParseText() {
    if (xml_.Parse(fileText_.data(), fileText_.size()) == tinyxml2::XML_SUCCESS) {
        state_ = SettingsFileState::Parsed;
        DropTopLevelText();
        return;
    }
    state_ = SettingsFileState::Damaged;
    problem_ = std::string(xml_.ErrorName()) + " at line " + std::to_string(xml_.ErrorLineNum());
}

// The parser lets stray text outside the root element pass, but written back it would make
// a file that no longer loads; it holds no setting, so it goes.
void CXmlHelper::DropTopLevelText() {
    tinyxml2::XMLNode* node = xml_.FirstChild();
    while (node != nullptr) {
        tinyxml2::XMLNode* next = node->NextSibling();
        if (node->ToText() != nullptr)
            xml_.DeleteChild(node);
        node = next;
    }
}

void CXmlHelper::StartEmptyDocument() {
    xml_.Clear();
    xml_.InsertEndChild(xml_.NewDeclaration("xml version=\"1.0\""));
}

void CXmlHelper::FindOrAddCategories() {
    tinyxml2::XMLElement* root = FindOrAddChild(xml_, kRootName);
    categories_[kCategoryRoot] = root;
    for (int number = 1; number < kCategoryCount; ++number)
        categories_[number] = FindOrAddChild(*root, kCategoryNames[number - 1]);
}

tinyxml2::XMLElement* CXmlHelper::FindOrAddChild(tinyxml2::XMLNode& parent, const char* name) {
    if (tinyxml2::XMLElement* found = parent.FirstChildElement(name))
        return found;
    return parent.InsertEndChild(xml_.NewElement(name))->ToElement();
}

tinyxml2::XMLElement* CXmlHelper::GetCategory(int number) const {
    return number >= 0 && number < kCategoryCount ? categories_[number] : nullptr;
}

tinyxml2::XMLElement* CXmlHelper::KeyElement(int category, const char* key) const {
    tinyxml2::XMLElement* parent = GetCategory(category);
    return parent != nullptr ? parent->FirstChildElement(key) : nullptr;
}

const char* CXmlHelper::FindValue(int category, const char* key) const {
    tinyxml2::XMLElement* element = KeyElement(category, key);
    return element != nullptr ? element->Attribute(kValueAttribute) : nullptr;
}

bool CXmlHelper::SetString(const std::string& text, int category, const char* key) {
    tinyxml2::XMLElement* parent = GetCategory(category);
    if (parent == nullptr)
        return false;
    tinyxml2::XMLElement* element = FindOrAddChild(*parent, key);
    element->SetAttribute(kValueAttribute, text.c_str());
    const char* stored = element->Attribute(kValueAttribute);
    return stored != nullptr && text == stored;
}

bool CXmlHelper::SetInt(int category, const char* key, int value) {
    if (!SetString(settings::FormatInteger(value), category, key))
        return false;
    const char* stored = FindValue(category, key);
    std::optional<long long> readBack = settings::ParseInteger(stored ? stored : "");
    return readBack && *readBack == value;
}

bool CXmlHelper::GetString(int category, const char* key, std::string& text,
                           const std::string& defaultText) {
    if (GetCategory(category) == nullptr)
        return false;
    if (const char* stored = FindValue(category, key)) {
        text = stored;
        return true;
    }
    if (!SetString(defaultText, category, key))
        return false;
    text = defaultText;
    return true;
}

std::string CXmlHelper::PrintedText() const {
    tinyxml2::XMLPrinter printer;
    xml_.Print(&printer);
    return std::string(printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
}

bool CXmlHelper::KeepDamagedCopy(std::string* error) {
    std::error_code ec;
    for (int number = 1; number <= kMaxDamagedCopies; ++number) {
        std::filesystem::path copy = DamagedCopyPath(path_, number);
        if (std::filesystem::symlink_status(copy, ec).type() !=
            std::filesystem::file_type::not_found)
            continue;
        if (!fw::WriteFileAtomically(copy, fileText_, error))
            return false;
        keptAs_ = copy.string();
        return true;
    }
    if (error != nullptr)
        *error = "no free name to keep the damaged " + path_.string();
    return false;
}

bool CXmlHelper::Save(std::string* error) {
    if (state_ == SettingsFileState::Unreadable) {
        if (error != nullptr)
            *error = "settings file left as it is, it could not be read: " + problem_;
        return false;
    }
    if (state_ == SettingsFileState::Damaged && keptAs_.empty() && !KeepDamagedCopy(error))
        return false;
    return settings::ReplaceFileDurably(path_, PrintedText(), error);
}
