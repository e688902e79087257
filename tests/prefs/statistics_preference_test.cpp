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

TEST_F(StatisticsPreferenceTest, UnusableStoredStatisticsChoiceLoadsAsOffAndIsWrittenBack) {
    const struct {
        const char* line;  // the SysInfo line planted; "" for none at all
        int loaded;
        const char* written;
    } kStored[] = {
        {"<DataFileStatistics value=\"1\"/>", 1, "1"},
        {"<DataFileStatistics value=\"0\"/>", 0, "0"},
        {"<DataFileStatistics value=\"2\"/>", 0, "0"},
        {"<DataFileStatistics value=\"-1\"/>", 0, "0"},
        {"<DataFileStatistics value=\"on\"/>", 0, "0"},
        {"<DataFileStatistics value=\"\"/>", 0, "0"},
        {"<DataFileStatistics/>", 0, "0"},
        {"", 0, "0"},
    };
    for (const auto& s : kStored) {
        SCOPED_TRACE(s.line);
        settings_test::WriteText(SettingsPath(*root), settings_test::FileWithSysInfo(s.line));
        CKelvarinDoc next;
        next.DataFileStatistics = 1 - s.loaded;  // the load must set it either way
        LoadSettings(next);
        EXPECT_EQ(next.DataFileStatistics, s.loaded);
        EXPECT_EQ(StoredValue(SettingsPath(*root), "SysInfo", "DataFileStatistics"), s.written);
    }
}

}  // namespace
