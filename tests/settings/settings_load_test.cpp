// Loading the settings file: defaults, repairs written back, formats, text and locale.
#include <gtest/gtest.h>

#include <tuple>

#include "document/CKelvarinDoc.h"
#include "document/comma_locale.h"
#include "settings/SettingsFile.h"
#include "settings_test_support.h"

namespace {

using namespace settings_test;
using testing_support::TempRoot;

// A file holding one category with the given element lines.
std::string FileWith(const std::string& category, const std::string& lines) {
    return "<root><" + category + ">" + lines + "</" + category + "></root>";
}

TEST(SettingsLoad, MissingFileGivesTheDefaultsAndEachKeyIsSavedInItsFormat) {
    TempRoot root;
    CKelvarinDoc doc;
    // Fields of each kind away from their defaults, so a load that forgets a kind shows.
    doc.DefChargeDuration = 99;
    doc.SerialNumber = "x";
    doc.CalDueDate = {1, 1, 1};
    doc.Filter.Cal[1].Low = {7.5, 7.5, 7.5, 0, 7.5, 7.5, 7.5, 7.5, 7.5};
    doc.LStop = 9.9;
    doc.TouchCal = {2.0, 0.1, 5.0, 0.1, 2.0, 5.0};
    SettingsLoadReport report = LoadSettings(doc);

    EXPECT_TRUE(report.fileWasMissing && !report.fileWasDamaged && report.written) << report.error;
    EXPECT_TRUE(report.repairedKeys.empty());
    EXPECT_EQ(report.addedKeys.size(), 64u);
    EXPECT_EQ(std::tuple(doc.DefChargeDuration, doc.CalDueDate.Day), std::tuple(15, 0));
    EXPECT_EQ(doc.SerialNumber, "0000000");
    const RANGE_CAL& r = doc.Filter.Cal[1].Low;
    EXPECT_EQ((std::vector<double>{r.RateCF, r.Gain, r.A, r.E, doc.LStop, doc.TouchCal[0]}),
              (std::vector<double>{1, 1, 0, 8388608, 0.5, 1}));
    EXPECT_EQ(ReadText(SettingsPath(root)).rfind("<?xml version=\"1.0\"?>", 0), 0u);
    // Each key in its format, read back.
    doc.Filter.Cal[0].High.A = 0.1234567;
    doc.Filter.Cal[1].Low.RateCF = 1.0234;
    doc.LStart = 1.5;
    doc.LStop = 1.26;
    doc.PressStd = 2;
    const std::string serial = "\xC3\x86n\xC3\xB8-\xCE\xA9 \xC2\xB5 \xE9\x9B\xBB <&\"'>";
    doc.SerialNumber = serial;  // any characters, markup included
    ASSERT_TRUE(SaveSettings(doc));
    EXPECT_EQ(doc.SettingsSaved, 1);

    for (const auto& [category, key, text] : {std::tuple{"CalInfo", "Ch1HiA", "0.123457"},
                                              {"ADCL", "Ch2LoRateCF", "1.023"},
                                              {"Trigger", "HStart", "4.0"},
                                              {"Trigger", "LStop", "1.26"},
                                              {"SysInfo", "SerialNumber", serial.c_str()}})
        EXPECT_EQ(StoredValue(SettingsPath(root), category, key), text) << key;

    CKelvarinDoc again;
    LoadSettings(again);
    EXPECT_EQ(std::tuple(again.Filter.Cal[0].High.A, again.LStop, again.Channel[1].Pressure),
              std::tuple(0.123457, 1.26, 101.3));
    EXPECT_EQ(again.SerialNumber, serial);
}

// Stray text after the root goes, so the rewritten file loads again; the update marker an
// update sets is emptied by the next load.
TEST(SettingsLoad, StrayTextAndTheUpdateMarkerGoWithALoad) {
    TempRoot root;
    WriteText(SettingsPath(root),
              FileWith("SysInfo", "<Brightness value=\"5\"/>") +
                  "Brightness value=\"9\"/></SysInfo><Extra>\xff</Extra></root>");
    CKelvarinDoc doc;
    ASSERT_TRUE(LoadSettings(doc).written);
    ASSERT_TRUE(MarkApplicationUpdatePending());
    EXPECT_EQ(StoredValue(SettingsPath(root), "Updates", "App"), "App");
    EXPECT_EQ(StoredValue(SettingsPath(root), "SysInfo", "Brightness"), "5");
    CKelvarinDoc again;
    SettingsLoadReport second = LoadSettings(again);
    EXPECT_TRUE(!second.fileWasDamaged && second.written) << second.damage;
    EXPECT_TRUE(second.addedKeys.empty());
    EXPECT_EQ(again.Brightness, 5);
    EXPECT_EQ(StoredValue(SettingsPath(root), "Updates", "App"), "");
}

// A value the instrument cannot use takes its default, written back at once and by every later
// save; a usable one (`writtenBack` the stored text) is kept and repairs nothing.
TEST(SettingsLoad, UnusableValuesAndThresholdPairsTakeTheirDefaultsWrittenBack) {
    const struct {
        const char *category, *key, *stored, *writtenBack;
    } cases[] = {
        {"SysInfo", "Brightness", "abc", "8"},
        {"SysInfo", "Brightness", "0", "8"},
        {"SysInfo", "Brightness", "300", "8"},
        {"SysInfo", "DateFormat", "-1", "0"},
        {"SysInfo", "DefChargeDuration", "86401", "15"},
        {"CalInfo", "Ch1HiGain", "nan", "1.0"},
        {"ADCL", "Ch2HiRateCF", "1e999", "1.0"},
        {"ADCL", "Ch1LoChrgCF", "0", "1.0"},  // a factor of 0 reads every dose as 0
        // Kept: the edges of the ranges, numbers read as far as they go in the C form, and a
        // huge factor whose "%f" text is 308 characters long.
        {"SysInfo", "Volume", "0", "0"},
        {"SysInfo", "DefChargeType", "2x", "2x"},
        {"CalInfo", "Ch1HiA", "\t+2.25e1 V", "\t+2.25e1 V"},
        {"CalInfo", "Ch2HiGain", "1e300", "1e300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        const bool kept = std::string(c.stored) == c.writtenBack;
        TempRoot root;
        const std::filesystem::path path = SettingsPath(root);
        WriteText(path,
                  FileWith(c.category, std::string("<") + c.key + " value=\"" + c.stored + "\"/>"));
        CKelvarinDoc doc;
        EXPECT_EQ(LoadSettings(doc).repairedKeys,
                  kept ? std::vector<std::string>{} : std::vector<std::string>{c.key});
        EXPECT_EQ(StoredValue(path, c.category, c.key), c.writtenBack);
        // What the file lacks is added with its default, in its own category or a new one.
        EXPECT_EQ(StoredValue(path, "SysInfo", "SerialNumber"), "0000000");
        EXPECT_EQ(StoredValue(path, "Trigger", "LStop"), "0.5");
        EXPECT_EQ(doc.ChargeType, doc.DefChargeType);
        ASSERT_TRUE(SaveSettings(doc));
        EXPECT_EQ(std::stod(*StoredValue(path, c.category, c.key)), std::stod(c.writtenBack));
    }
    // A start/stop pair the instrument cannot trigger on loads as that range's defaults, both
    // written back; the other range keeps its stored pair.
    const std::tuple<const char*, const char*, bool> pairs[] = {
        {"3.05", "3.0", true},   // finer than the keypads give, as the remote port sets it
        {"2.5", "2.5", false},   // start not above stop
        {"10.0", "2.5", false},  // start above 9.9
        {"4.0", "0.0", false},   // stop below 0.1
    };
    for (const auto& [start, stop, kept] : pairs) {
        SCOPED_TRACE(std::string(start) + "/" + stop);
        TempRoot root;
        WriteText(
            SettingsPath(root),
            FileWith("Trigger", std::string("<HStart value=\"") + start + "\"/><HStop value=\"" +
                                    stop + "\"/><LStart value=\"0.9\"/><LStop value=\"0.3\"/>"));
        CKelvarinDoc doc;
        LoadSettings(doc);
        EXPECT_EQ(StoredValue(SettingsPath(root), "Trigger", "HStart"), kept ? start : "4.0");
        EXPECT_EQ(StoredValue(SettingsPath(root), "Trigger", "HStop"), kept ? stop : "2.5");
        EXPECT_EQ(std::pair(doc.LStart, doc.LStop), std::pair(0.9, 0.3));
    }
}

TEST(SettingsLocale, NumbersStayInTheCFormUnderACommaLocale) {
    TempRoot root;
    if (!testing_locale::UseCommaLocale(root.Path()))
        GTEST_SKIP() << "no de_DE locale on this machine";
    WriteText(SettingsPath(root), FileWith("CalInfo", "<Ch1HiGain value=\"1.5\"/>"));
    CKelvarinDoc doc;
    LoadSettings(doc);
    bool saved = SaveSettings(doc);
    testing_locale::UseCLocale();

    EXPECT_EQ(doc.Filter.Cal[0].High.Gain, 1.5);
    ASSERT_TRUE(saved);
    EXPECT_EQ(StoredValue(SettingsPath(root), "CalInfo", "Ch1HiGain"), "1.500000");
    EXPECT_EQ(StoredValue(SettingsPath(root), "Trigger", "HStart"), "4.0");
}

}  // namespace
