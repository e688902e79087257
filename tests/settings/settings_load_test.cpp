// Loading the settings file: defaults, repairs written back, formats, text and locale.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "document/CKelvarinDoc.h"
#include "document/comma_locale.h"
#include "settings/SettingsFile.h"
#include "settings_test_support.h"

namespace {

using namespace settings_test;
using testing_support::TempRoot;

// Puts every stored field away from its default, so a load that forgets one shows.
void Scramble(CKelvarinDoc& d) {
    d.DefChargeDuration = 99;
    d.SerialNumber = "x";
    d.Brightness = d.Volume = 2;
    d.TimeFormat = d.PasswordProtect = d.PressStd = 0;
    d.DateFormat = d.DefChargeType = 2;
    d.DataFileDelimiter = d.TempStd = 1;
    d.CalDate = d.CalDueDate = {1, 1, 1};
    for (CHANNEL_CAL& cal : d.Filter.Cal) {
        cal.Low = cal.High = {7.5, 7.5, 7.5, 0, 7.5, 7.5, 7.5, 7.5, 7.5};
        cal.BiasM = cal.BiasB = 7.5;
    }
    d.HStart = d.HStop = d.LStart = d.LStop = 9.9;
    d.TouchCal = {2.0, 0.1, 5.0, 0.1, 2.0, 5.0};
}

std::vector<std::string> ChildNames(const std::filesystem::path& path, const char* category) {
    tinyxml2::XMLDocument xml;
    xml.LoadFile(path.c_str());
    const tinyxml2::XMLElement* parent = xml.FirstChildElement("root");
    if (parent != nullptr && category != nullptr)
        parent = parent->FirstChildElement(category);
    std::vector<std::string> names;
    for (auto* e = parent ? parent->FirstChildElement() : nullptr; e; e = e->NextSiblingElement())
        names.push_back(e->Name());
    return names;
}

TEST(SettingsLoad, MissingFileGivesEveryDefaultAndWritesTheFixedLayout) {
    TempRoot root;
    CKelvarinDoc doc;
    Scramble(doc);
    SettingsLoadReport report = LoadSettings(doc);

    EXPECT_TRUE(report.fileWasMissing && !report.fileWasDamaged && report.written) << report.error;
    EXPECT_TRUE(report.repairedKeys.empty());
    EXPECT_EQ(report.addedKeys.size(), 64u);

    EXPECT_EQ((std::vector<long>{doc.DefChargeDuration, doc.ChargeDuration, doc.Brightness,
                                 doc.Volume, doc.TimeFormat, doc.DateFormat, doc.PasswordProtect,
                                 doc.DefChargeType, doc.DataFileDelimiter, doc.CalDate.Year,
                                 doc.CalDueDate.Day, doc.PressStd, doc.TempStd}),
              (std::vector<long>{15, 15, 8, 8, 0, 0, 1, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(doc.SerialNumber, "0000000");
    for (const CHANNEL_CAL& cal : doc.Filter.Cal) {
        for (const RANGE_CAL* r : {&cal.Low, &cal.High}) {
            EXPECT_EQ((std::vector<double>{r->RateCF, r->ChrgCF, r->Gain, r->A, r->B, r->C, r->D,
                                           r->E, cal.BiasM, cal.BiasB}),
                      (std::vector<double>{1, 1, 1, 0, 0, 0, 0, 8388608, 1, 0}));
        }
    }
    EXPECT_EQ((std::vector<double>{doc.HStart, doc.HStop, doc.LStart, doc.LStop,
                                   doc.Channel[1].Temperature, doc.Channel[1].Pressure}),
              (std::vector<double>{4.0, 2.5, 0.8, 0.5, 20.0, 1.0}));
    EXPECT_EQ(doc.TouchCal, (std::array<double, 6>{1.0, 0.0, 0.0, 0.0, 1.0, 0.0}));

    std::filesystem::path path = SettingsPath(root);
    EXPECT_EQ(ReadText(path).rfind("<?xml version=\"1.0\"?>", 0), 0u);
    EXPECT_EQ(ChildNames(path, nullptr),
              (std::vector<std::string>{"Updates", "SysInfo", "CalInfo", "ADCL", "Trigger",
                                        "TempPressCorrection"}));
    EXPECT_EQ(
        ChildNames(path, "SysInfo"),
        (std::vector<std::string>{"DefChargeDuration", "SerialNumber", "Brightness", "Volume",
                                  "TimeFormat", "DateFormat", "PasswordProtect", "DefChargeType",
                                  "DataFileDelimiter", "TouchCalA", "TouchCalB", "TouchCalC",
                                  "TouchCalD", "TouchCalE", "TouchCalF", "DataFileStatistics"}));
    EXPECT_EQ(StoredValue(path, "SysInfo", "TouchCalE"), "1.0");
    const std::vector<std::string> adcl = ChildNames(path, "ADCL"),
                                   cal = ChildNames(path, "CalInfo");
    ASSERT_EQ(adcl.size(), 14u);
    ASSERT_EQ(cal.size(), 28u);
    EXPECT_EQ((std::vector<std::string>{adcl[0], adcl[5], adcl[6], adcl[9], adcl[13], cal[0],
                                        cal[6], cal[13], cal[27]}),
              (std::vector<std::string>{"CalDateYear", "CalDueDateDay", "Ch1HiRateCF",
                                        "Ch1LoChrgCF", "Ch2LoChrgCF", "Ch1HiGain", "Ch1LoGain",
                                        "Ch1BiasB", "Ch2BiasB"}));
    EXPECT_EQ(ChildNames(path, "Trigger"),
              (std::vector<std::string>{"HStart", "HStop", "LStart", "LStop"}));
    EXPECT_EQ(StoredValue(path, "CalInfo", "Ch2HiE"), "8388608.0");
    EXPECT_EQ(StoredValue(path, "TempPressCorrection", "PressStd"), "1");
    EXPECT_EQ(StoredValue(path, "Updates", "App"), "");
}

TEST(SettingsLoad, StrayTextAfterTheRootIsDroppedSoTheRewriteLoadsAgain) {
    TempRoot root;
    WriteText(SettingsPath(root),
              "<root><SysInfo><Brightness value=\"5\"/></SysInfo></root>"
              "Brightness value=\"9\"/></SysInfo><Extra>\xff</Extra></root>");
    CKelvarinDoc doc;
    SettingsLoadReport first = LoadSettings(doc);
    ASSERT_TRUE(first.written);
    EXPECT_FALSE(first.fileWasDamaged) << first.damage;
    EXPECT_EQ(doc.Brightness, 5);
    CKelvarinDoc again;
    SettingsLoadReport second = LoadSettings(again);
    EXPECT_FALSE(second.fileWasDamaged) << second.damage;
    EXPECT_TRUE(second.addedKeys.empty());
    EXPECT_EQ(again.Brightness, 5);
}

// A value the instrument cannot use takes its default, written back at once and by every later
// save; a usable one (`writtenBack` the stored text) is kept and repairs nothing.
TEST(SettingsLoad, UnusableValuesTakeTheirDefaultAndAreWrittenBack) {
    const struct {
        const char *category, *key, *stored, *writtenBack;
    } cases[] = {
        {"SysInfo", "Brightness", "abc", "8"},
        {"SysInfo", "Brightness", "0", "8"},
        {"SysInfo", "Brightness", "300", "8"},
        {"SysInfo", "Brightness", "+-1", "8"},
        {"SysInfo", "Brightness", "99999999999999999999", "8"},
        {"SysInfo", "Volume", "11", "8"},
        {"SysInfo", "TimeFormat", "2", "0"},
        {"SysInfo", "DateFormat", "-1", "0"},
        {"SysInfo", "PasswordProtect", "7", "1"},
        {"SysInfo", "DefChargeType", "3", "0"},
        {"SysInfo", "DataFileDelimiter", "2", "0"},
        {"SysInfo", "DataFileStatistics", "2", "0"},
        {"SysInfo", "DataFileStatistics", "on", "0"},
        {"SysInfo", "DefChargeDuration", "0", "15"},
        {"SysInfo", "DefChargeDuration", "86401", "15"},
        {"TempPressCorrection", "PressStd", "3", "1"},
        {"TempPressCorrection", "TempStd", "2", "0"},
        {"ADCL", "CalDateYear", "40000", "0"},
        {"CalInfo", "Ch1HiGain", "nan", "1.0"},
        {"CalInfo", "Ch2LoE", "inf", "8388608.0"},
        {"CalInfo", "Ch1BiasB", "-inf", "0.0"},
        {"ADCL", "Ch2HiRateCF", "1e999", "1.0"},
        // A factor of 0 or below reads every dose as 0.
        {"ADCL", "Ch1LoChrgCF", "0", "1.0"},
        {"ADCL", "Ch2LoRateCF", "-2.5", "1.0"},
        {"ADCL", "Ch1HiRateCF", ".", "1.0"},
        {"Trigger", "HStart", "abc", "4.0"},
        // Kept: the edges of the ranges, numbers read as far as they go in the C form, and a
        // huge factor whose "%f" text is 308 characters long.
        {"SysInfo", "DefChargeDuration", "86400", "86400"},
        {"SysInfo", "Brightness", " +10", " +10"},
        {"SysInfo", "Volume", "0", "0"},
        {"SysInfo", "DateFormat", "2", "2"},
        {"SysInfo", "DefChargeType", "2x", "2x"},
        {"CalInfo", "Ch1HiA", "\t+2.25e1 V", "\t+2.25e1 V"},
        {"CalInfo", "Ch1HiB", "1,5x", "1,5x"},
        {"CalInfo", "Ch2HiGain", "1e300", "1e300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        const bool kept = std::string(c.stored) == c.writtenBack;
        TempRoot root;
        WriteText(SettingsPath(root), std::string("<root><") + c.category + "><" + c.key +
                                          " value=\"" + c.stored + "\"/></" + c.category +
                                          "></root>");
        CKelvarinDoc doc;
        Scramble(doc);
        EXPECT_EQ(LoadSettings(doc).repairedKeys,
                  kept ? std::vector<std::string>{} : std::vector<std::string>{c.key});
        EXPECT_EQ(StoredValue(SettingsPath(root), c.category, c.key), c.writtenBack);
        // What the file lacks is added with its default, in its own category or a new one.
        EXPECT_EQ(StoredValue(SettingsPath(root), "SysInfo", "SerialNumber"), "0000000");
        EXPECT_EQ(StoredValue(SettingsPath(root), "Trigger", "LStop"), "0.5");
        EXPECT_EQ(doc.ChargeType, doc.DefChargeType);
        ASSERT_TRUE(SaveSettings(doc));
        EXPECT_EQ(std::stod(*StoredValue(SettingsPath(root), c.category, c.key)),
                  std::stod(c.writtenBack));
    }
}

// A start/stop pair the instrument cannot trigger on loads as that range's defaults, both
// written back; the other range keeps its stored pair.
TEST(SettingsLoad, ThresholdPairsThatBreakTheEntryRulesTakeTheRangeDefaults) {
    struct Pair {
        const char* start;
        const char* stop;
        bool kept;
    };
    const Pair cases[] = {
        {"0.25", "0.2", true},   // finer than the keypads give, but a pair to trigger on
        {"3.05", "3.0", true},   // as the remote port sets it
        {"2.5", "2.5", false},   // start not above stop
        {"10.0", "2.5", false},  // start above 9.9
        {"4.0", "0.0", false},   // stop below 0.1
        {"0.2", "0.1", true},   {"9.9", "9.8", true},
    };
    for (const Pair& c : cases) {
        SCOPED_TRACE(std::string(c.start) + "/" + c.stop);
        TempRoot root;
        WriteText(SettingsPath(root), std::string("<root><Trigger><HStart value=\"") + c.start +
                                          "\"/><HStop value=\"" + c.stop +
                                          "\"/><LStart value=\"0.9\"/><LStop value=\"0.3\"/>"
                                          "</Trigger></root>");
        CKelvarinDoc doc;
        LoadSettings(doc);
        EXPECT_EQ(StoredValue(SettingsPath(root), "Trigger", "HStart"), c.kept ? c.start : "4.0");
        EXPECT_EQ(StoredValue(SettingsPath(root), "Trigger", "HStop"), c.kept ? c.stop : "2.5");
        EXPECT_GT(doc.HStart, doc.HStop);
        EXPECT_EQ(doc.LStart, 0.9);
        EXPECT_EQ(doc.LStop, 0.3);
    }
}

TEST(SettingsSave, WritesEachKeyInItsFormatAndReadsBack) {
    TempRoot root;
    CKelvarinDoc doc;
    LoadSettings(doc);
    doc.Filter.Cal[0].High.A = 0.1234567;
    doc.Filter.Cal[1].Low.RateCF = 1.0234;
    doc.LStart = 1.5;
    doc.LStop = 1.26;
    doc.DefChargeDuration = 3600;
    doc.PressStd = 2;
    const std::string serial = "\xC3\x86n\xC3\xB8-\xCE\xA9 \xC2\xB5 \xE9\x9B\xBB <&\"'>";
    doc.SerialNumber = serial;  // any characters, markup included
    std::string error;
    ASSERT_TRUE(SaveSettings(doc, &error)) << error;
    EXPECT_EQ(doc.SettingsSaved, 1);

    for (const auto& [category, key, text] : {std::tuple{"CalInfo", "Ch1HiGain", "1.000000"},
                                              {"CalInfo", "Ch1HiA", "0.123457"},
                                              {"ADCL", "Ch2LoRateCF", "1.023"},
                                              {"ADCL", "Ch1HiChrgCF", "1.000"},
                                              {"Trigger", "HStart", "4.0"},
                                              {"Trigger", "LStop", "1.26"},
                                              {"SysInfo", "DefChargeDuration", "3600"},
                                              {"TempPressCorrection", "PressStd", "2"},
                                              {"SysInfo", "SerialNumber", serial.c_str()}})
        EXPECT_EQ(StoredValue(SettingsPath(root), category, key), text) << key;

    CKelvarinDoc again;
    LoadSettings(again);
    EXPECT_EQ(again.Filter.Cal[0].High.A, 0.123457);
    EXPECT_EQ(again.Filter.Cal[1].Low.RateCF, 1.023);
    EXPECT_EQ(again.DefChargeDuration, 3600);
    EXPECT_EQ(again.LStop, 1.26);
    EXPECT_EQ(again.Channel[1].Pressure, 101.3);
    EXPECT_EQ(again.SerialNumber, serial);
    EXPECT_NE(ReadText(SettingsPath(root)).find("\xE9\x9B\xBB"), std::string::npos);
}

TEST(SettingsUpdates, MarkerIsSetByTheUpdateAndEmptiedByEveryLoad) {
    TempRoot root;
    WriteText(SettingsPath(root), FileWithSysInfo("<Brightness value=\"4\"/>"));
    ASSERT_TRUE(MarkApplicationUpdatePending());
    EXPECT_EQ(StoredValue(SettingsPath(root), "Updates", "App"), "App");
    EXPECT_EQ(StoredValue(SettingsPath(root), "SysInfo", "Brightness"), "4");

    CKelvarinDoc doc;
    EXPECT_TRUE(LoadSettings(doc).written);
    EXPECT_EQ(StoredValue(SettingsPath(root), "Updates", "App"), "");
    EXPECT_EQ(doc.Brightness, 4);
}

TEST(SettingsLocale, NumbersStayInTheCFormUnderACommaLocale) {
    TempRoot root;
    if (!testing_locale::UseCommaLocale(root.Path()))
        GTEST_SKIP() << "no de_DE locale on this machine";
    WriteText(SettingsPath(root),
              "<root><CalInfo><Ch1HiGain value=\"1.5\"/></CalInfo>"
              "<Trigger><HStart value=\"3.5\"/></Trigger></root>");
    CKelvarinDoc doc;
    LoadSettings(doc);
    bool saved = SaveSettings(doc);
    testing_locale::UseCLocale();

    EXPECT_EQ(doc.Filter.Cal[0].High.Gain, 1.5);
    EXPECT_EQ(doc.HStart, 3.5);
    ASSERT_TRUE(saved);
    EXPECT_EQ(StoredValue(SettingsPath(root), "CalInfo", "Ch1HiGain"), "1.500000");
    EXPECT_EQ(StoredValue(SettingsPath(root), "Trigger", "HStart"), "3.5");
}

}  // namespace
