// The chamber library page by taps against the store: what the wizard's entries store or
// refuse, a chamber with two calibrations entered page by page, in-use refusals, an edit that moves
// the record, store writes that fail, a damaged library and the due markers.
#include <functional>
#include <tuple>

#include "controls/CPopupMenu.h"
#include "fw/Dialog.h"
#include "library/CCWizLastDlg.h"
#include "library/CCalInfoDlg.h"
#include "library/CCalReportDlg.h"
#include "library/CChamberLibView.h"
#include "library/CChamberSummaryDlg.h"
#include "library/CChamberWiz.h"
#include "library/CChamberWizPage.h"
#include "library/CModelSNDlg.h"
#include "library/ChamberEntries.h"
#include "library_fixture.h"
#include "store/CCLibDB.h"
#include "store/faulty_vfs.h"

namespace library_test {
namespace {

using V = CChamberLibView;
using Page = CChamberWizPage;
namespace entry = chamber_entry;

void Store(const std::string& serial, DATE_YMD due = {2018, 1, 10}) {
    ASSERT_TRUE(CCLibDB().AddRecord(CHAMBER_CAL{
        serial, "NE2571", "R-" + serial, {2016, 1, 10}, due, "Co-60", 5380, 7, 8, "1.002", -300}));
}

TEST(ChamberEntries, KeypadNumbersOutsideTheirFieldAreRefusedAndMantissasRound) {
    using C = entry::MantissaCheck;
    const std::tuple<const char*, C, int16_t> mantissas[] = {
        {"32.75", C::kAccepted, 32750}, {"1.001", C::kAccepted, 1001},  // truncation stored 1000
        {"0.0005", C::kAccepted, 1},    {"32.751", C::kTooLarge, 0},   {"", C::kNotANumber, 0},
        {"nan", C::kNotANumber, 0},     {"1.2.3", C::kNotANumber, 0}};
    for (const auto& [text, check, thousandths] : mantissas) {
        const entry::MantissaEntry m = entry::ParseMantissa(text);
        EXPECT_EQ(m.check, check) << text;
        EXPECT_EQ(check == C::kAccepted ? m.thousandths : 0, thousandths) << text;
    }
    using Parse = std::optional<int16_t> (*)(const std::string&);
    const std::tuple<Parse, const char*, std::optional<int16_t>> wholes[] = {
        {entry::ParsePolarity, "32767", 32767},
        {entry::ParsePolarity, "40000", std::nullopt},  // was stored as -25536
        {entry::ParsePolarity, "-40000", std::nullopt},
        {entry::ParsePolarity, "1.5", std::nullopt},
        {entry::ParseExponent, "99", 99},
        {entry::ParseExponent, "100", std::nullopt},  // a dose of infinity
        {entry::ParseExponent, "-999", std::nullopt}};
    for (const auto& [parse, text, value] : wholes)
        EXPECT_EQ(parse(text), value) << text;
    EXPECT_EQ(entry::ParseAion("1.0024"), "1.002");
    EXPECT_EQ(entry::ParseAion("inf"), std::nullopt);
}

TEST(ChamberEntries, TheDueDateIsTwoYearsOnAndTwentyNinthFebruaryBecomesTheTwentyEighth) {
    EXPECT_EQ(entry::DueDateTwoYearsOn({2016, 2, 29}), (DATE_YMD{2018, 2, 28}));
    EXPECT_EQ(entry::DueDateTwoYearsOn({2037, 12, 31}), (DATE_YMD{2039, 12, 31}));
    EXPECT_FALSE(entry::IsValidDate({0, 0, 0}));
    EXPECT_FALSE(entry::IsValidDate({2017, 2, 29}));
    EXPECT_TRUE(entry::IsValidDate({2016, 2, 29}));
}

class ChamberLibraryPage : public LibraryPageTest<CChamberLibView> {
  protected:
    static std::vector<CHAMBER_CAL> Stored() {
        std::vector<std::optional<CHAMBER_CAL>> all;
        EXPECT_TRUE(CCLibDB().GetAllRecords(all));
        std::vector<CHAMBER_CAL> out;
        for (auto& cal : all)
            out.push_back(cal.value_or(CHAMBER_CAL{}));
        return out;
    }
    std::vector<std::string> Serials() { return ListColumn(1); }
    std::string Detail(int index) { return TextOf(V::kDetailValueIds[index]); }

    // Whole wizard pages: the fields typed, then Next.
    struct CalEntry {
        std::string beam;
        std::string mantissa;  // numeric keys
        std::string exponent;
        int mode;  // item of the units menu
        std::string aion;
        std::string polarity;
    };
    void ThenModelSerialPage(const std::string& model, const std::string& serial) {
        ThenTouch(CModelSNDlg::kIdModel);
        ThenType(model);
        ThenTouch(CModelSNDlg::kIdSerial);
        ThenType(serial);
        ThenTouch(Page::kIdNext);
    }
    // The report date is picked as the picker shows it (today): the due date is two years on.
    void ThenReportPage(const std::string& report) {
        ThenTouch(CCalReportDlg::kIdReport);
        ThenType(report);
        ThenTouch(CCalReportDlg::kIdReportDate);
        ThenPickDate(0, 0, 0);
        ThenTouch(Page::kIdNext);
    }
    void ThenCalibrationPage(const CalEntry& cal) {
        ThenTouch(CCalInfoDlg::kIdBeam);
        ThenType(cal.beam);
        ThenTouch(CCalInfoDlg::kIdMantissa);
        ThenKeys(cal.mantissa);
        ThenTouch(CCalInfoDlg::kIdExponent);
        ThenKeys(cal.exponent);
        ThenTouch(CCalInfoDlg::kIdUnits);
        ThenDo([mode = cal.mode] {
            CPopupMenu* menu = CPopupMenu::ActivePopup();
            ASSERT_NE(menu, nullptr) << "no menu open";
            const fw::Rect r = fw::Loop().TopLevel()->GetRect();
            const int h = menu->ItemSize().cy;
            TouchCentreOf(fw::Rect{r.left, r.top + mode * h, r.right, r.top + (mode + 1) * h});
        });
        ThenTouch(CCalInfoDlg::kIdAion);
        ThenKeys(cal.aion);
        ThenTouch(CCalInfoDlg::kIdPolarity);
        ThenKeys(cal.polarity);
        ThenTouch(Page::kIdNext);
    }
    // The wizard from page 0 with a filled record: the serial retyped, every page passed.
    void ThenEditSerialAndFinish(const std::string& serial) {
        ThenTouch(CModelSNDlg::kIdSerial);
        ThenType(serial);
        for (int page = 0; page < 4; ++page)
            ThenTouch(Page::kIdNext);
    }
    // A rate-based calibration (dose rate from the current) and a charge-based one.
    const CalEntry kRateCal{"Co60", "5.38", "7", 5, "1.002", "-300"};
    const CalEntry kChargeCal{"X6", "32.75", "-2", 8, "0.998", "300"};
    std::string told;  // the last message box's text
};

TEST_F(ChamberLibraryPage, AChamberWithTwoCalibrationsIsEnteredPageByPage) {
    OpenPage();
    ThenTouch(CModelSNDlg::kIdModel);
    ThenType("NE2571");
    ThenTouch(Page::kIdNext);  // refused: the serial number is still missing
    ThenTouch(CModelSNDlg::kIdSerial);
    ThenType("1234");
    ThenTouch(Page::kIdNext);
    ThenTouch(CCalReportDlg::kIdReport);
    ThenType("PTB 201601");
    ThenTouch(CCalReportDlg::kIdDueDate);
    ThenPickDate(0, 0, 1);
    ThenTouch(Page::kIdNext);  // refused: the report date is still missing
    ThenTouch(CCalReportDlg::kIdReportDate);
    ThenPickDate(0, 0, 0);  // today; the due date becomes two years on
    ThenTouch(Page::kIdNext);
    ThenCalibrationPage(kRateCal);
    ThenCheck([](fw::Window* top) {
        EXPECT_EQ(LabelText(top, CChamberSummaryDlg::kIdFirstValue + 3),
                  "5.380 x 10^7 N_D _W:mGy/(sec*A)");
    });
    ThenDo([this] { Screenshot("chamber_wizard_summary.png"); });
    ThenTouch(Page::kIdNext);
    // A further calibration: page 1 with the chamber and report kept.
    ThenTouch(CCWizLastDlg::kIdAnotherCalibration);
    ThenTouch(Page::kIdNext);
    ThenCalibrationPage(kChargeCal);
    ThenTouch(Page::kIdNext);
    // Another chamber: page 0 with everything kept as the defaults.
    ThenTouch(CCWizLastDlg::kIdAnotherChamber);
    ThenCheck([](fw::Window* top) {
        EXPECT_EQ(LabelText(top, CModelSNDlg::kIdModel), "NE2571");
        EXPECT_EQ(LabelText(top, CModelSNDlg::kIdSerial), "1234");
    });
    ThenTouch(Page::kIdCancel);
    TapControl(V::kIdNew);

    const std::vector<CHAMBER_CAL> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    const int rateRow = stored[0].BeamIsotope == "Co60" ? 0 : 1;
    const DATE_YMD today{2016, 3, 14}, due{2018, 3, 14};
    EXPECT_EQ(stored[rateRow], (CHAMBER_CAL{"1234", "NE2571", "PTB 201601", today, due, "Co60",
                                            5380, 7, 5, "1.002", -300}));
    EXPECT_EQ(stored[1 - rateRow], (CHAMBER_CAL{"1234", "NE2571", "PTB 201601", today, due, "X6",
                                                32750, -2, 8, "0.998", 300}));
}

// Records are addressed by their store position, which moves when the serial number (the
// sort key) is edited or a record before them is deleted.
TEST_F(ChamberLibraryPage, EditAndDeleteFollowTheRecordAndAreRefusedWhileAChannelUsesIt) {
    for (const char* serial : {"A1", "B1", "C1"})
        Store(serial);
    ASSERT_TRUE(doc->SelectChamber(1, 2));
    OpenPage();
    for (int button : {V::kIdEdit, V::kIdDelete}) {
        SelectRow(2);
        ThenAnswer("OK", &told);
        TapControl(button);
        EXPECT_EQ(told, "This chamber is currently in use.\r\nSelect another chamber.");
    }
    SelectRow(0);
    ThenEditSerialAndFinish("Z1");
    TapControl(V::kIdEdit);
    EXPECT_EQ(Serials(), (std::vector<std::string>{"B1", "C1", "Z1"}));
    EXPECT_EQ(doc->Channel[1].ChamberIndex, 1);  // C1 moved up
    ASSERT_EQ(View().SelectedRow(), 2);
    EXPECT_EQ(Detail(0), "R-A1");  // the details are the edited record's
    // No deletes nothing; Yes deletes Z1.
    ThenAnswer("No");
    TapControl(V::kIdDelete);
    EXPECT_EQ(Stored().size(), 3u);
    SelectRow(2);
    ThenAnswer("Yes");
    TapControl(V::kIdDelete);
    EXPECT_EQ(Serials(), (std::vector<std::string>{"B1", "C1"}));
    SelectRow(0);
    ThenAnswer("Yes");
    TapControl(V::kIdDelete);
    EXPECT_EQ(doc->Channel[1].ChamberIndex, 0);
    EXPECT_EQ(doc->Channel[1].ChamberSerial, "C1");
}

// Each first write fails: No gives up with the store and the list as they were, nothing
// said to be added; Yes writes again and only then says "Added" (the choice after Finish).
TEST_F(ChamberLibraryPage, FailedWritesAreToldAndTheListShowsTheStore) {
    Store("A1");
    OpenPage();
    FaultyVfs vfs;
    const std::tuple<const char*, int, std::function<void()>, std::vector<std::string>> cases[] = {
        {"delete", V::kIdDelete, [this] { ThenAnswer("Yes"), ThenAnswer("No", &told); }, {"A1"}},
        {"edit",
         V::kIdEdit,
         [&] { ThenEditSerialAndFinish("Z1"), ThenAnswer("No", &told); },
         {"A1"}},
        {"add, Yes",
         V::kIdNew,
         [&] {
             ThenModelSerialPage("NE2571", "B1");
             ThenReportPage("R1");
             ThenCalibrationPage(kRateCal);
             ThenTouch(Page::kIdNext);
             ThenAnswer("Yes", &told);
             // The choice after Finish closed without an answer: no further run.
             ThenDo([] { dynamic_cast<fw::Dialog*>(fw::Loop().TopLevel())->EndDialog(3); });
         },
         {"A1", "B1"}},
    };
    for (const auto& [name, button, steps, serials] : cases) {
        SCOPED_TRACE(name);
        told.clear();
        SelectRow(0);
        vfs.Arm(1, FaultyVfs::Fault::kFail);
        steps();
        TapControl(button);
        EXPECT_EQ(told, "Could not save data.\r\nWould you like to try again?");
        EXPECT_EQ(Serials(), serials);  // refilled from the store
        EXPECT_EQ(Stored().size(), serials.size());
    }
}

TEST_F(ChamberLibraryPage, ADamagedRecordEndsTheListAndAnUnreadableSelectionStopsTheAction) {
    for (const char* serial : {"A1", "B1", "C1"})
        Store(serial);
    // The middle record loses its due day: it keeps its place but no longer reads.
    TamperVolume(CCLibDB::kVolumePath,
                 "DELETE FROM props WHERE id = 109 AND oid = "
                 "(SELECT oid FROM records ORDER BY oid LIMIT 1 OFFSET 1)");
    OpenPage();
    EXPECT_EQ(Serials(), std::vector<std::string>{"A1"});
    SelectRow(0);
    EXPECT_EQ(Detail(0), "R-A1");
    TamperVolume(CCLibDB::kVolumePath,
                 "DELETE FROM props WHERE id = 109 AND oid = (SELECT min(oid) FROM records)");
    ThenAnswer("OK", &told);
    TapControl(V::kIdEdit);
    EXPECT_EQ(told, V::kUnreadableText);
    EXPECT_EQ(Detail(0), "");
}

// Due within 60 whole calendar days, also when a daylight-saving change lies between (Berlin
// moves its clocks on 27 March 2016, so 61 days ahead are 61 × 24 − 1 hours ahead).
TEST_F(ChamberLibraryPage, DueMarkersFromSixtyDaysAheadAcrossDaylightSavingAndForDatesNeverSet) {
    const std::pair<DATE_YMD, bool> cases[] = {
        {{2016, 5, 13}, true},   // 60 days ahead
        {{2016, 5, 14}, false},  // 61
        {{0, 0, 0}, true},       // never set
        {{2040, 1, 1}, false},   // after 2038
    };
    for (size_t n = 0; n < std::size(cases); ++n)
        Store("D" + std::to_string(n), cases[n].first);  // row n
    TimeZone tz("Europe/Berlin");
    ASSERT_TRUE(clock->SetLocalTime({2016, 3, 0, 14, 0, 30, 0, 0}));
    OpenPage();
    CTouchListCtrl& list = *testing_support::ShownList(&View(), V::kIdList);
    ASSERT_EQ(list.GetItemCount(), int(std::size(cases)));
    for (int row = 0; row < list.GetItemCount(); ++row)
        EXPECT_EQ(list.GetItemData(row), cases[row].second ? V::kDueIcon : 0) << row;
    for (int row : {0, 1}) {  // the selected record's marker, both sides of 60 days
        SelectRow(row);
        auto* marker = dynamic_cast<CLabel*>(FindShown(&View(), V::kIdDueMarker));
        EXPECT_EQ(marker->Bitmap(), cases[row].second ? V::kDueMarkerBitmap : 0) << row;
    }
    EXPECT_TRUE(Screenshot("chamber_library_page.png"));
}

}  // namespace
}  // namespace library_test
