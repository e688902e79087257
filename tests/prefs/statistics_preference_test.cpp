// The choice of statistics at the end of the data file: off in a new settings file, a box
// on the Data Management page, kept through Apply and a restart.
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
        TapControl(Data::kIdStatistics);
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

}  // namespace
