#include <gtest/gtest.h>

#include "fw/AtomicFile.h"
#include "fw/Paths.h"
#include "support/temp_root.h"

#include <fstream>

namespace {

// Device paths map below the instrument root and never leave it.
TEST(DevicePaths, MapBelowTheInstrumentRootAndNeverLeaveIt) {
    const std::filesystem::path root = "/r";
    const std::pair<const char*, const char*> mapped[] = {
        {"\\FlashDisk\\ZELTarvo.xml", "FlashDisk/ZELTarvo.xml"},
        {"/USB HD/a.csv", "USB HD/a.csv"},
        {"\\USB HD\\", "USB HD"},
    };
    for (const auto& [device, below] : mapped)
        EXPECT_EQ(fw::MapDevicePath(device, root), root / below) << device;
    for (const char* bad :
         {"\\FlashDisk\\..\\..\\etc\\passwd", "\\USB HD\\..\\FlashDisk\\x", "\\USB HD\\.\\a",
          "\\Windows\\x", "FlashDisk\\x", "", "\\", "\\FlashDisk\\a\\\\b", "\\flashdisk\\x"}) {
        EXPECT_FALSE(fw::MapDevicePath(bad, root).has_value()) << bad;
    }
}

TEST(AtomicFile, ReplacesWholeAndKeepsOldOnFailure) {
    testing_support::TempRoot root;
    // Below the root the environment names, in a folder made for it.
    auto file = fw::MapDevicePath("\\FlashDisk\\sub\\settings.xml").value();
    EXPECT_EQ(file, root.FlashDisk() / "sub" / "settings.xml");
    std::string error;
    ASSERT_TRUE(fw::WriteFileAtomically(file, "first", &error)) << error;
    ASSERT_TRUE(fw::WriteFileAtomically(file, "second", &error)) << error;
    std::string text;
    std::getline(std::ifstream(file), text);
    EXPECT_EQ(text, "second");
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));

    // A target that is a folder cannot be replaced: reported, and the folder is untouched.
    auto folder = root.FlashDisk() / "folder";
    std::filesystem::create_directories(folder / "inside");
    EXPECT_FALSE(fw::WriteFileAtomically(folder, "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "inside"));
    EXPECT_FALSE(std::filesystem::exists(folder.string() + ".tmp"));
}

}  // namespace
