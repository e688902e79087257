// Writing the settings file: damaged files kept, failed writes reported, crashes survived,
// helpers independent of each other.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "document/CKelvarinDoc.h"
#include "settings/CXmlHelper.h"
#include "settings/DurableWrite.h"
#include "settings/SettingsFile.h"
#include "settings_test_support.h"

namespace {

using namespace settings_test;
using testing_support::TempRoot;

// A complete file as the instrument writes it, with Ch1HiGain 1.5.
std::string SavedFileWithGain(const TempRoot& root, CKelvarinDoc& doc) {
    LoadSettings(doc);
    doc.Filter.Cal[0].High.Gain = 1.5;
    EXPECT_TRUE(SaveSettings(doc));
    return ReadText(SettingsPath(root));
}

TEST(SettingsDamage, UnparseableFileIsKeptAsideBeforeDefaultsAreWritten) {
    // Text that is no XML, a file cut short in an element, and an empty file.
    for (const std::string& bytes : {std::string("not xml"),
                                     std::string("<?xml version=\"1.0\"?>\n<root><SysInfo><Bri"),
                                     {}}) {
        SCOPED_TRACE(bytes.size());
        TempRoot root;
        const std::string path = SettingsPath(root).string();
        WriteText(path, bytes);
        CKelvarinDoc doc;
        SettingsLoadReport report = LoadSettings(doc);
        EXPECT_TRUE(report.fileWasDamaged && report.written) << report.error;
        EXPECT_EQ(report.keptAs, path + ".bad");
        EXPECT_EQ(ReadText(report.keptAs), bytes);
        EXPECT_EQ(StoredValue(path, "SysInfo", "Brightness"), "8");
        // A second damaged file never overwrites the copy of the first.
        WriteText(path, "<root><second");
        EXPECT_EQ(LoadSettings(doc).keptAs, path + ".bad2");
        EXPECT_EQ(ReadText(path + ".bad"), bytes);
    }
}

// Each helper keeps its own document; a failed save (the staged copy cannot take the place of
// a folder) or read is reported and the file kept.
TEST(SettingsWrite, HelpersFailedSavesAndReads) {
    TempRoot root;
    CKelvarinDoc doc;
    LoadSettings(doc);
    CXmlHelper first(kSettingsDevicePath);
    {
        CXmlHelper second(kSettingsDevicePath);
        ASSERT_TRUE(second.SetInt(kCategorySysInfo, "Brightness", 3) && second.Save());
    }
    EXPECT_TRUE(first.SetInt(kCategorySysInfo, "Volume", 5));
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(StoredValue(SettingsPath(root), "SysInfo", "Volume"), "5");
    EXPECT_EQ(StoredValue(SettingsPath(root), "SysInfo", "Brightness"), "8");
    std::string text = "kept";  // a category index past the table is none
    EXPECT_FALSE(first.GetString(kCategoryCount, "x", text, "1"));
    EXPECT_EQ(text, "kept");
    std::string before = SavedFileWithGain(root, doc);
    doc.SettingsSaved = 0;
    std::filesystem::create_directory(SettingsPath(root).string() + ".new");
    doc.Filter.Cal[0].High.Gain = 2.5;
    std::string error;
    EXPECT_FALSE(SaveSettings(doc, &error) || error.empty());
    EXPECT_EQ(doc.SettingsSaved, 0);
    EXPECT_EQ(ReadText(SettingsPath(root)), before);
    // A file that cannot be read at all is left alone, and neither load nor save writes.
    std::filesystem::remove(SettingsPath(root).string() + ".new");
    std::filesystem::remove(SettingsPath(root));
    std::filesystem::create_directory(SettingsPath(root));
    EXPECT_FALSE(LoadSettings(doc).written || SaveSettings(doc));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsPath(root)));
}

// A power cut just before the staged file replaces the old one, and the kernel killing the
// writer once a file passes 512 bytes (a torn write): the old file stays whole and loads
// cleanly, and the next save goes through.
TEST(SettingsCrash, DeathWhileSavingLeavesTheOldFileWhole) {
    const std::pair<void (*)(), int> deaths[] = {
        {[] { settings::SetStagedWriteHook([] { std::raise(SIGKILL); }); }, SIGKILL},
        {[] {
             rlimit limit{512, 512};
             setrlimit(RLIMIT_FSIZE, &limit);
         },
         SIGXFSZ},
    };
    for (const auto& [prepare, signal] : deaths) {
        SCOPED_TRACE(signal);
        TempRoot root;
        CKelvarinDoc doc;
        std::string before = SavedFileWithGain(root, doc);
        doc.Filter.Cal[0].High.Gain = 2.5;
        const pid_t pid = fork();
        if (pid == 0) {  // the save in a child prepared to die
            prepare();
            SaveSettings(doc);
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(ReadText(SettingsPath(root)), before);
        std::filesystem::path staged = SettingsPath(root).string() + ".new";
        if (signal == SIGKILL) {  // the child did get as far as the complete new text
            EXPECT_EQ(StoredValue(staged, "CalInfo", "Ch1HiGain"), "2.500000");
        }

        CKelvarinDoc after;
        EXPECT_TRUE(LoadSettings(after).repairedKeys.empty());
        EXPECT_EQ(after.Filter.Cal[0].High.Gain, 1.5);
        ASSERT_TRUE(SaveSettings(doc));
        EXPECT_EQ(StoredValue(SettingsPath(root), "CalInfo", "Ch1HiGain"), "2.500000");
        EXPECT_FALSE(std::filesystem::exists(staged));
    }
}

}  // namespace
