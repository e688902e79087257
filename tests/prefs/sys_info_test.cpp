// The board-support word of the system information, read from its file in its two shapes;
// anything else reads as none.
#include <gtest/gtest.h>

#include <fstream>

#include "prefs/SystemVersions.h"
#include "support/temp_root.h"

namespace {

void WriteText(const std::filesystem::path& p, const std::string& text) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

TEST(BspVersionTest, WordsAndTextsGiveTheStatedShapes) {
    struct Case {
        std::string fileText;
        const char* version;
        const char* build;
    } cases[] = {
        {"0x02050700\n", "2.05", "7"},
        {"  33753600 ", "2.03", "10"},
        {"0xFFFFFFFF", "255.255", "255"},
        {"", "0.00", "0"},
        {"2.5", "0.00", "0"},
        {"0x1FFFFFFFF", "0.00", "0"},
    };
    for (const Case& c : cases) {
        testing_support::TempRoot root;
        WriteText(root.Path() / prefs::kBspVersionFileName, c.fileText);
        const auto bsp = prefs::ReadBspVersion(root.Path());
        EXPECT_EQ(prefs::OsVersionText(bsp), c.version) << c.fileText;
        EXPECT_EQ(prefs::OsBuildText(bsp), c.build) << c.fileText;
    }
    testing_support::TempRoot empty;
    EXPECT_FALSE(prefs::ReadBspVersion(empty.Path()).has_value());
    EXPECT_EQ(prefs::LauncherVersionText(), "") << "no launcher file";
}

}  // namespace
