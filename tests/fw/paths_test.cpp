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
        {"\\USB HD\\data\\a.csv", "USB HD/data/a.csv"},
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

TEST(DevicePaths, RootComesFromTheEnvironment) {
    testing_support::TempRoot root;
    EXPECT_EQ(fw::InstrumentRoot(), root.Path());
    EXPECT_EQ(fw::MapDevicePath("\\FlashDisk\\x.CDB"), root.FlashDisk() / "x.CDB");
}

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(AtomicFile, ReplacesWholeAndKeepsOldOnFailure) {
    testing_support::TempRoot root;
    auto file = root.FlashDisk() / "sub" / "settings.xml";
    std::string error;
    ASSERT_TRUE(fw::WriteFileAtomically(file, "first", &error)) << error;
    ASSERT_TRUE(fw::WriteFileAtomically(file, "second", &error)) << error;
    EXPECT_EQ(ReadAll(file), "second");
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
