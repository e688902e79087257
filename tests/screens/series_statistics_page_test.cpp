// The statistics beside the data pages' lists, as an operator meets them: rows from
// collections and from "Add", a flagged row deleted, the data set cleared, the quantity
// changed, and the remote query of the page in view.
#include <array>
#include <string>
#include <vector>

#include "link/WindowMessages.h"
#include "screens/CPlaceholderView.h"
#include "screens/CStandbyView.h"
#include "two_channel_fixture.h"

namespace {

using testing_support::TouchCentreOf;
using two_channel_test::TwoChannelTest;
using Data = COneChannelDataDlg;
using Panel = CSeriesStatsPanel;
using Two = CTwoChannelView;

// n, mean, s, CV, min, max and the unit line, as the panel shows them.
struct Figures {
    std::array<std::string, 6> values;
    std::string unit;
};

class SeriesStatisticsTest : public TwoChannelTest {
  protected:
    static Figures Shown(const Data& page) {
        Figures f;
        for (int i = 0; i < Panel::kFigures; ++i)
            f.values[size_t(i)] = page.Statistics().FigureText(i);
        f.unit = page.Statistics().UnitText();
        return f;
    }
    void ExpectFigures(const Data& page, const Figures& expected) {
        const Figures shown = Shown(page);
        EXPECT_EQ(shown.values, expected.values);
        EXPECT_EQ(shown.unit, expected.unit);
    }
    // A timed collection of `seconds` at `femtoamps` on channel 1, ended and cleared, so
    // that its charge row is on the list.
    void CollectOneChannel(double femtoamps, int seconds) {
        InjectCurrent(0, femtoamps);
        Readings(200);
        TapControl(COneChannelView::kIdStartStop);  // Start
        Seconds(seconds);
        TapControl(COneChannelView::kIdStartStop);  // Clear
    }
    void ChooseTimedOnOneChannel(int seconds) {
        script->Then([this] { TapText("Timed Collection"); });
        ThenKeypadEntry(std::to_string(seconds));
        TapControl(COneChannelView::kIdChargeType);
    }
    void TouchIn(const Data& page, int id) {
        TouchCentreOf(page.FindChild(id));
        fw::Loop().ProcessReady();
    }
    // Touches the flag of list row `row` (the first rows are in view).
    void FlagRow(const Data& page, int row) {
        const fw::Rect r = page.List().GetRect();
        const int top = r.top + row * page.List().RowHeight();
        TouchCentreOf(fw::Rect{r.left + 5, top + 5, r.left + 30, top + 15});
        fw::Loop().ProcessReady();
    }
    std::string Send(const std::string& line) {
        BOARD_PACKET record{};
        record.length = static_cast<uint8_t>(line.size());
        std::copy(line.begin(), line.end(), record.payload);
        board->remote.clear();
        doc->OnRemoteCommand(&record);
        return board->remote;
    }
};

const std::string kNa = "----";

TEST_F(SeriesStatisticsTest, OneChannelFiguresFollowCollectionsDeletionAndClearing) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    ChooseTimedOnOneChannel(2);
    ASSERT_TRUE(TapText("Data"));
    Data& page = View().DataPage();
    ExpectFigures(page, {{"0", kNa, kNa, kNa, kNa, kNa}, "Statistics"});
    EXPECT_EQ(Send("<GST>"), "!\r\n");  // no rows yet
    TouchIn(page, Data::kQuantityIds[Data::kCharge]);
    // 2 s at 1.0, 1.1 and 1.3 pA: 2.0, 2.2 and 2.6 pC. By hand: mean 2.2667, s 0.30551,
    // CV 13.478 %; after two rows mean 2.1, s 0.14142, CV 6.7344 %.
    const struct {
        double femtoamps;
        Figures after;
    } kCollections[] = {
        {1000.0, {{"1", "2.000", kNa, kNa, kNa, kNa}, "pC"}},
        {1100.0, {{"2", "2.100", "0.141", "6.734", "2.000", "2.200"}, "pC"}},
        {1300.0, {{"3", "2.267", "0.306", "13.48", "2.000", "2.600"}, "pC"}},
    };
    for (const auto& c : kCollections) {
        SCOPED_TRACE(c.femtoamps);
        CollectOneChannel(c.femtoamps, 2);
        ExpectFigures(page, c.after);
    }
    EXPECT_EQ(Send("<GST>"), "*3,2.267,0.306,13.48,2.000,2.600,pC\r\n");
    ExpectEverythingFits();
    Screenshot("one_channel_data_statistics.png");
    TouchIn(page, Data::kQuantityIds[Data::kRate]);  // charge rows hold no rate
    ExpectFigures(page, {{"0", kNa, kNa, kNa, kNa, kNa}, "Statistics"});
    EXPECT_EQ(Send("<GST>"), "!\r\n");
    TouchIn(page, Data::kQuantityIds[Data::kCharge]);

    FlagRow(page, 2);  // the 2.6 pC row
    ASSERT_EQ(doc->MeasList[2].Flagged, 1);
    ThenAnswer("No");
    TouchIn(page, Data::kIdDeleteFlagged);
    EXPECT_EQ(doc->MeasList.size(), 3u);
    ThenAnswer("Yes");
    TouchIn(page, Data::kIdDeleteFlagged);
    ASSERT_EQ(doc->MeasList.size(), 2u);
    EXPECT_EQ(page.List().GetItemCount(), 2);
    ExpectFigures(page, kCollections[1].after);
    EXPECT_FALSE(page.FindChild(Data::kIdDeleteFlagged)->IsEnabled());  // nothing flagged now
    EXPECT_EQ(doc->DataUnsaved, 1);

    ASSERT_TRUE(TapText("File"));  // "New", and the rows are not kept
    script->Then([this] { TapText("No"); });
    ASSERT_TRUE(TapText("New"));
    EXPECT_TRUE(doc->MeasList.empty());
    EXPECT_EQ(Shown(page).values[0], "0");
}

TEST_F(SeriesStatisticsTest, EveryTwoChannelDataPageShowsItsOwnColumnAndTheRemoteAsksTheOneInView) {
    OpenTwoChannels();
    doc->AutoDataCapture = 1;
    // Rates 3.0/1.0, 3.3/1.0 and 2.7/1.2 pA; ratios 3.000, 3.300, 2.250.
    const std::array<double, 2> kCurrents[] = {{3000, 1000}, {3300, 1000}, {2700, 1200}};
    for (const auto& c : kCurrents) {
        InjectCurrent(0, c[0]);
        InjectCurrent(1, c[1]);
        Readings(200);
        script->Then([this] { clock->Advance(1000); });
        Touch(Two::kIdAddMeasurement);
    }
    ASSERT_EQ(doc->MeasList.size(), 3u);
    // By hand: channel 1 mean 3.0, s 0.3, CV 10 %; channel 2 mean 1.0667, s 0.11547,
    // CV 10.825 %; ratio mean 2.85, s 0.54083, CV 18.977 %.
    const struct {
        int tab;
        const Data* page;
        Figures figures;
        const char* reply;
    } kPages[] = {
        {Two::kData1,
         &Screen().DataPage(0),
         {{"3", "3.000", "0.300", "10.00", "2.700", "3.300"}, "pA"},
         "*3,3.000,0.300,10.00,2.700,3.300,pA\r\n"},
        {Two::kData2,
         &Screen().DataPage(1),
         {{"3", "1.067", "0.115", "10.83", "1.000", "1.200"}, "pA"},
         "*3,1.067,0.115,10.83,1.000,1.200,pA\r\n"},
        {Two::kDataRatio,
         &Screen().RatioPage(),
         {{"3", "2.850", "0.541", "18.98", "2.250", "3.300"}, "Statistics"},
         "*3,2.850,0.541,18.98,2.250,3.300,----\r\n"},
        {Two::kSetup1, nullptr, {}, "!\r\n"},
        {Two::kFile, nullptr, {}, "!\r\n"},
    };
    for (const auto& p : kPages) {
        SCOPED_TRACE(p.tab);
        ShowTab(p.tab);
        if (p.page != nullptr)
            ExpectFigures(*p.page, p.figures);
        EXPECT_EQ(Send("<GST>"), p.reply);
    }
    ShowTab(Two::kData2);
    ExpectEverythingFits();
    Screenshot("data_page_statistics.png");

    // A row flagged and deleted on the ratio page leaves every page with two rows.
    ShowTab(Two::kDataRatio);
    FlagRow(Screen().RatioPage(), 0);
    for (int ch : {0, 1}) {  // the flag is the row's, on every page
        EXPECT_EQ(Screen().DataPage(ch).List().GetItemData(0), 1);
        EXPECT_TRUE(Screen().DataPage(ch).FindChild(Data::kIdDeleteFlagged)->IsEnabled());
    }
    ThenAnswer("Yes");
    TouchIn(Screen().RatioPage(), Data::kIdDeleteFlagged);
    for (const Data* page : std::initializer_list<const Data*>{
             &Screen().DataPage(0), &Screen().DataPage(1), &Screen().RatioPage()}) {
        EXPECT_EQ(page->List().GetItemCount(), 2);
        EXPECT_EQ(Shown(*page).values[0], "2");
    }
    EXPECT_EQ(Send("<GST>"), "*2,2.775,0.742,26.76,2.250,3.300,----\r\n");
    EXPECT_EQ(Send("<GST1>"), "?\r\n");
    frame->SwitchToView(std::make_unique<CPlaceholderView>("Library", "LIB"));
    fw::Loop().ProcessReady();
    EXPECT_EQ(Send("<GST>"), "!\r\n");  // a screen without a data page
}

TEST_F(SeriesStatisticsTest, StandbyWithTheDeleteQuestionOpenDeletesNothing) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    InjectCurrent(0, 2000.0);
    Readings(200);
    AddMeasurementRow();
    ASSERT_TRUE(TapText("Data"));
    Data& page = View().DataPage();
    FlagRow(page, 0);
    COneChannelView* view = &View();
    script->Then([&] {
        fw::Loop().Post(view->Handle(), WM_BOARD_STANDBY);
        fw::Loop().ProcessReady();
    });
    ThenAnswer("Cancel");  // the standby's offer to save the row first: stay
    TouchIn(page, Data::kIdDeleteFlagged);
    EXPECT_EQ(fw::Loop().ModalDepth(), 0);
    EXPECT_EQ(frame->ActiveView(), view);
    ASSERT_EQ(doc->MeasList.size(), 1u);  // the question closed unanswered: nothing deleted
    EXPECT_EQ(page.List().GetItemCount(), 1);
}

}  // namespace
