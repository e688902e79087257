// The chamber library page by taps against the store: what the wizard's entries store or
// refuse, in-use refusals, an edit that moves the record, store writes that fail, a damaged
// library and the due markers.
#include <functional>
#include <set>
#include <tuple>

#include "fw/Dialog.h"
#include "library/CChamberWizPage.h"
#include "library/CModelSNDlg.h"
#include "library/ChamberEntries.h"
#include "library_fixture.h"
#include "store/CCLibDB.h"
#include "store/faulty_vfs.h"

namespace library_test {
namespace {

using V = CChamberLibView;
namespace entry = chamber_entry;

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

class ChamberLibraryPage : public ChamberLibraryTest {
  protected:
    // The wizard from page 0 with a filled record: the serial retyped, every page passed.
    void ThenEditSerialAndFinish(const std::string& serial) {
        ThenTouch(CModelSNDlg::kIdSerial);
        ThenType(serial);
        for (int page = 0; page < 3; ++page)
            ThenTouch(CChamberWizPage::kIdNext);
        ThenFinish();
    }
    std::string told;  // the last message box's text
};

// Records are addressed by their store position, which moves when the serial number (the
// sort key) is edited or a record before them is deleted.
TEST_F(ChamberLibraryPage, EditAndDeleteFollowTheRecordAndAreRefusedWhileAChannelUsesIt) {
    for (const char* serial : {"A1", "B1", "C1"})
        Store(Calibration("NE2571", serial));
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
    Store(Calibration("NE2571", "A1"));
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
             ThenCalibrationPage({"Co60", "5.38", "7", 8, "1.002", "300"});
             ThenFinish();
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
        Store(Calibration("NE2571", serial));
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
TEST_F(ChamberLibraryPage, DueMarkersFromSixtyDaysAheadInAnyTimeZoneAndForDatesNeverSet) {
    // Row n is the record with serial "Dn".
    const std::pair<DATE_YMD, bool> cases[] = {
        {{2016, 5, 13}, true},   // 60 days ahead
        {{2016, 5, 14}, false},  // 61
        {{2015, 1, 1}, true},    // past
        {{0, 0, 0}, true},       // never set
        {{2040, 1, 1}, false},   // after 2038
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        CHAMBER_CAL cal = Calibration("NE2571", "D" + std::to_string(n));
        cal.CalDueDate = cases[n].first;
        Store(cal);
    }
    for (const char* zone : {"UTC", "Europe/Berlin"}) {
        SCOPED_TRACE(zone);
        TimeZone tz(zone);
        ASSERT_TRUE(clock->SetLocalTime({2016, 3, 0, 14, 0, 30, 0, 0}));
        OpenPage();
        ASSERT_EQ(List().GetItemCount(), int(std::size(cases)));
        for (int row = 0; row < List().GetItemCount(); ++row) {
            SCOPED_TRACE(row);
            const bool due = cases[row].second;
            EXPECT_EQ(List().GetItemData(row), due ? V::kDueIcon : 0);
        }
        for (int row : {0, 1}) {  // the selected record's marker, both sides of 60 days
            SelectRow(row);
            auto* marker = dynamic_cast<CLabel*>(FindShown(&View(), V::kIdDueMarker));
            EXPECT_EQ(marker->Bitmap(), cases[row].second ? V::kDueMarkerBitmap : 0) << row;
        }
    }
    // The models of rows with and without the icon start at the same place.
    List().EnsureVisible(0);
    std::set<int> modelLefts;
    for (const fw::DrawnText& t : Texts())
        if (t.text == "NE2571")
            modelLefts.insert(t.extent.left);
    EXPECT_EQ(modelLefts.size(), 1u);
    EXPECT_TRUE(Screenshot("chamber_library_page.png"));
}

}  // namespace
}  // namespace library_test
