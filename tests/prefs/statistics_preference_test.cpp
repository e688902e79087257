// The choice of statistics at the end of the data file: off in a new settings file, a box
// on the Data Management page, kept through Apply and a restart, and a stored value the
// instrument cannot use loaded as off and written back.
#include "prefs/CDataMgmntTab.h"
#include "prefs_fixture.h"
#include "settings/settings_test_support.h"

namespace {

using prefs_test::FindById;
using settings_test::SettingsPath;
using settings_test::StoredValue;
using Data = CDataMgmntTab;

class StatisticsPreferenceTest : public prefs_test::PrefsTest {};

TEST_F(StatisticsPreferenceTest, StatisticsChoiceIsOffByDefaultAndSurvivesApplyAndARestart) {
    EXPECT_EQ(doc->DataFileStatistics, 0);
    EXPECT_EQ(StoredValue(SettingsPath(*root), "SysInfo", "DataFileStatistics"), "0");
    for (int wanted : {1, 0}) {
        SCOPED_TRACE(wanted);
        OpenPrefs(CPrefsView::kDataManagement);
        auto* box = dynamic_cast<CBttn*>(FindById(&Prefs(), Data::kIdStatistics));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->IsMarked(), wanted == 0);  // as the document holds it
        TapId(Data::kIdStatistics);
        EXPECT_EQ(doc->DataFileStatistics, 1 - wanted);  // nothing before Apply
        EXPECT_TRUE(OverflowingTexts().empty());
        Screenshot("prefs_data_management_" + std::to_string(wanted) + ".png");
        EXPECT_TRUE(Prefs().ApplyEnabled());
        Apply();
        EXPECT_EQ(doc->DataFileStatistics, wanted);
        EXPECT_EQ(StoredValue(SettingsPath(*root), "SysInfo", "DataFileStatistics"),
                  std::to_string(wanted));
        EXPECT_EQ(Restarted()->DataFileStatistics, wanted);
    }
}

TEST_F(StatisticsPreferenceTest, UnusableStoredChoiceLoadsAsOffAndIsWrittenBack) {
    const std::pair<const char*, int> kStored[] = {{"value=\"1\"", 1},
                                                   {"value=\"0\"", 0},
                                                   {"value=\"2\"", 0},
                                                   {"value=\"-1\"", 0},
                                                   {"value=\"on\"", 0},
                                                   {"value=\"\"", 0},
                                                   {"", 0}};
    for (const auto& [value, loaded] : kStored) {
        SCOPED_TRACE(value);
        settings_test::WriteText(
            SettingsPath(*root),
            settings_test::FileWithSysInfo(std::string("<DataFileStatistics ") + value + "/>"));
        CKelvarinDoc next;
        next.DataFileStatistics = 1 - loaded;  // the load must set it either way
        LoadSettings(next);
        EXPECT_EQ(next.DataFileStatistics, loaded);
        EXPECT_EQ(StoredValue(SettingsPath(*root), "SysInfo", "DataFileStatistics"),
                  std::to_string(loaded));
    }
}

}  // namespace
