#pragma once
// Reading and planting settings files the way another program would: by element name and
// the attribute "value", without the code under test.
#include <tinyxml2.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "support/temp_root.h"

namespace settings_test {

inline std::filesystem::path SettingsPath(const testing_support::TempRoot& root) {
    return root.FlashDisk() / "ZELTarvo.xml";
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The "value" of root/category/key in the file, or nothing when any of it is missing.
inline std::optional<std::string> StoredValue(const std::filesystem::path& path,
                                              const char* category, const char* key) {
    tinyxml2::XMLDocument xml;
    if (xml.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS)
        return std::nullopt;
    const tinyxml2::XMLElement* root = xml.FirstChildElement("root");
    const tinyxml2::XMLElement* cat = root ? root->FirstChildElement(category) : nullptr;
    const tinyxml2::XMLElement* element = cat ? cat->FirstChildElement(key) : nullptr;
    const char* value = element ? element->Attribute("value") : nullptr;
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// A settings file holding only the given SysInfo lines (e.g. `<Brightness value="abc"/>`).
inline std::string FileWithSysInfo(const std::string& sysInfoLines) {
    return "<?xml version=\"1.0\"?>\n<root>\n<Updates/>\n<SysInfo>" + sysInfoLines +
           "</SysInfo>\n</root>\n";
}

}  // namespace settings_test
