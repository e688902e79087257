// The statistics beside the data pages' lists, by taps: rows from collections and "Add", a
// flagged row deleted, the data set cleared, and the remote query of the page in view.

#include "two_channel_fixture.h"

namespace {

using testing_support::TouchCentreOf;
using Data = COneChannelDataDlg;
using Two = CTwoChannelView;

class SeriesStatisticsTest : public two_channel_test::TwoChannelTest {
  protected:
    // "unit: n mean s CV min max" as the page's panel shows them.
    static std::string Shown(const Data& page) {
        std::string text = page.Statistics().UnitText() + ":";
        for (int i = 0; i < CSeriesStatsPanel::kFigures; ++i)
            text += " " + page.Statistics().FigureText(i);
        return text;
    }
    void TouchIn(const Data& page, int id) {
        TouchCentreOf(page.FindChild(id));
        fw::Loop().ProcessReady();
    }
};

TEST_F(SeriesStatisticsTest, OneChannelFiguresFollowCollectionsAndClearing) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    script->Then([this] { TapText("Timed Collection"); });
    ThenKeypadEntry("2");
    TapControl(COneChannelView::kIdChargeType);
    ASSERT_TRUE(TapText("Data"));
    Data& page = View().DataPage();
    EXPECT_EQ(board->RemoteLine("<GST>"), "!\r\n");  // no rows
    TouchIn(page, Data::kQuantityIds[Data::kCharge]);
    for (double femtoamps : {1000, 1100}) {  // 2 s at 1.0 and 1.1 pA
        InjectCurrent(0, femtoamps);
        Readings(200);
        TapControl(COneChannelView::kIdStartStop);  // Start
        Seconds(2);
        TapControl(COneChannelView::kIdStartStop);  // Clear
    }
    // By hand: mean 2.1 pC, s 0.14142, CV 6.7344 %.
    EXPECT_EQ(Shown(page), "pC: 2 2.100 0.141 6.734 2.000 2.200");
    Screenshot("one_channel_data_statistics.png");

    ASSERT_TRUE(TapText("File"));
    script->Then([this] { TapText("No"); });  // not saved
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(Shown(page), "Statistics: 0 ---- ---- ---- ---- ----");
}

TEST_F(SeriesStatisticsTest, TheRemoteAsksTheTwoChannelPageInViewAndADeletionReachesEveryPage) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    for (auto [ch1, ch2] : {std::pair{3000, 1000}, {3300, 1000}, {2700, 1200}}) {
        InjectCurrent(0, ch1);
        InjectCurrent(1, ch2);
        Readings(200);
        script->Then([this] { clock->Advance(1000); });
        TapControl(Two::kIdAddMeasurement);
    }
    // By hand: channel 1 mean 3.0 pA, s 0.3; channel 2 mean 1.0667, s 0.11547, CV 10.825 %;
    // ratios 3.0, 3.3, 2.25: mean 2.85, s 0.54083, CV 18.977 %. No figures on a set-up page.
    const std::pair<int, const char*> kReplies[] = {
        {Two::kData1, "*3,3.000,0.300,10.00,2.700,3.300,pA\r\n"},
        {Two::kData2, "*3,1.067,0.115,10.83,1.000,1.200,pA\r\n"},
        {Two::kDataRatio, "*3,2.850,0.541,18.98,2.250,3.300,----\r\n"},
        {Two::kSetup1, "!\r\n"},
    };
    for (const auto& [tab, reply] : kReplies) {
        ShowTab(tab);
        EXPECT_EQ(board->RemoteLine("<GST>"), reply) << tab;
    }
    EXPECT_EQ(Shown(Screen().RatioPage()), "Statistics: 3 2.850 0.541 18.98 2.250 3.300");

    ShowTab(Two::kDataRatio);  // the 3.0 row flagged and deleted there goes from every page
    const fw::Rect r = Screen().RatioPage().List().GetRect();
    TouchCentreOf(fw::Rect{r.left + 5, r.top + 5, r.left + 30, r.top + 15});
    fw::Loop().ProcessReady();
    EXPECT_EQ(Screen().DataPage(1).List().GetItemData(0), 1);  // the flag is the row's
    for (const char* answer : {"No", "Yes"}) {
        ThenAnswer(answer);
        TouchIn(Screen().RatioPage(), Data::kIdDeleteFlagged);
    }
    EXPECT_EQ(Shown(Screen().DataPage(0)), "pA: 2 3.000 0.424 14.14 2.700 3.300");
    EXPECT_EQ(board->RemoteLine("<GST>"), "*2,2.775,0.742,26.76,2.250,3.300,----\r\n");
}

}  // namespace
