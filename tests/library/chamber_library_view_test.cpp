// The chamber library page by taps against the store: what the wizard's entries store or
// refuse, the password gate, in-use refusals, an edit that moves the record, a further
// calibration, store writes that fail, a damaged library and the due markers.
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <set>

#include "fw/Dialog.h"
#include "library/CCWizLastDlg.h"
#include "library/CCalInfoDlg.h"
#include "library/CCalReportDlg.h"
#include "library/CChamberWiz.h"
#include "library/CChamberWizPage.h"
#include "library/CModelSNDlg.h"
#include "library/ChamberEntries.h"
#include "library_fixture.h"
#include "store/CCLibDB.h"
#include "store/FaultyVfs.h"

namespace library_test {
namespace {

using V = CChamberLibView;
namespace entry = chamber_entry;

TEST(ChamberEntries, MantissaEntriesRoundToTheNearestThousandthOrAreRefused) {
    struct Case {
        const char* text;
        entry::MantissaCheck check;
        int16_t thousandths;
    };
    const Case cases[] = {
        {"32.75", entry::MantissaCheck::kAccepted, 32750},
        {"1.5", entry::MantissaCheck::kAccepted, 1500},
        {"1.001", entry::MantissaCheck::kAccepted, 1001},  // truncation stored 1000
        {"0.0005", entry::MantissaCheck::kAccepted, 1},
        {"32.751", entry::MantissaCheck::kTooLarge, 0},
        {"99999999999", entry::MantissaCheck::kTooLarge, 0},
        {"", entry::MantissaCheck::kNotANumber, 0},
        {"nan", entry::MantissaCheck::kNotANumber, 0},
        {"inf", entry::MantissaCheck::kNotANumber, 0},
        {"1.2.3", entry::MantissaCheck::kNotANumber, 0},
    };
    for (const Case& c : cases) {
        const entry::MantissaEntry m = entry::ParseMantissa(c.text);
        EXPECT_EQ(m.check, c.check) << c.text;
        if (c.check == entry::MantissaCheck::kAccepted) {
            EXPECT_EQ(m.thousandths, c.thousandths) << c.text;
        }
    }
    // Every entry the keypad can make with three decimals comes back exactly.
    int wrong = 0;
    for (int k = 0; k <= 32750; ++k) {
        char text[16];
        std::snprintf(text, sizeof text, "%d.%03d", k / 1000, k % 1000);
        wrong += entry::ParseMantissa(text).thousandths != k;
    }
    EXPECT_EQ(wrong, 0);
}

TEST(ChamberEntries, WholeNumbersOutsideTheirFieldAreIgnoredLikeAnEmptyEntry) {
    struct Case {
        std::optional<int16_t> (*parse)(const std::string&);
        const char* text;
        std::optional<int16_t> value;
    };
    const Case cases[] = {
        {entry::ParsePolarity, "-300", -300},
        {entry::ParsePolarity, "32767", 32767},
        {entry::ParsePolarity, "40000", std::nullopt},  // was stored as -25536
        {entry::ParsePolarity, "-40000", std::nullopt},
        {entry::ParsePolarity, "", std::nullopt},
        {entry::ParsePolarity, "1.5", std::nullopt},
        {entry::ParseExponent, "7", 7},
        {entry::ParseExponent, "-99", -99},
        {entry::ParseExponent, "99", 99},
        {entry::ParseExponent, "100", std::nullopt},  // a dose of infinity
        {entry::ParseExponent, "-999", std::nullopt},
        {entry::ParseExponent, "x", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.parse(c.text), c.value) << c.text;
    EXPECT_EQ(entry::ParseAion("1.0024"), "1.002");
    EXPECT_EQ(entry::ParseAion("inf"), std::nullopt);
    EXPECT_EQ(entry::ParseAion(""), std::nullopt);
}

TEST(ChamberEntries, TheDueDateIsTwoYearsOnAndTwentyNinthFebruaryBecomesTheTwentyEighth) {
    EXPECT_EQ(entry::DueDateTwoYearsOn({2016, 2, 29}), (DATE_YMD{2018, 2, 28}));
    EXPECT_EQ(entry::DueDateTwoYearsOn({2016, 5, 10}), (DATE_YMD{2018, 5, 10}));
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
    // Counts a wizard on top and cancels it.
    void ThenCancelWizardIfShown() {
        ThenDo([this] {
            if (dynamic_cast<CChamberWiz*>(fw::Loop().TopLevel()) != nullptr)
                ++wizardsShown;
        });
        ThenTouch(CChamberWizPage::kIdCancel);
    }
    void SetUp() override {
        ChamberLibraryTest::SetUp();
        doc->PasswordProtect = 0;
    }
    int wizardsShown = 0;
};

TEST_F(ChamberLibraryPage, ThePasswordIsAskedOnceAVisitAndNotAtAllWithProtectionOff) {
    OpenPage();
    EXPECT_TRUE(View().PasswordOK());  // protection off: no keypad
    ThenCancelWizardIfShown();
    TapControl(V::kIdNew);
    doc->PasswordProtect = 1;
    OpenPage();
    std::string told;
    ThenType("1234");
    ThenAnswer("OK", &told);
    TapControl(V::kIdNew);
    EXPECT_EQ(told, "Invalid password.\r\nConsult your manual for the correct password.");
    ThenTouch(CKeypadDlg::kIdCancel);
    TapControl(V::kIdNew);
    EXPECT_FALSE(View().PasswordOK());
    ThenType("5937");
    ThenCancelWizardIfShown();
    TapControl(V::kIdNew);
    ThenCancelWizardIfShown();  // the rest of this visit needs no keypad
    TapControl(V::kIdNew);
    EXPECT_EQ(wizardsShown, 3);
    OpenPage();
    EXPECT_FALSE(View().PasswordOK());
    EXPECT_TRUE(Stored().empty());
}

TEST_F(ChamberLibraryPage, AnEditedRecordIsSelectedByContentSoDeleteRemovesIt) {
    for (const char* serial : {"A1", "B1", "C1"})
        Store(Calibration("NE2571", serial));
    OpenPage();
    SelectRow(0);
    ThenEditSerialAndFinish("Z1");
    TapControl(V::kIdEdit);
    EXPECT_EQ(Serials(), (std::vector<std::string>{"B1", "C1", "Z1"}));
    ASSERT_EQ(View().SelectedRow(), 2);
    EXPECT_EQ(Detail(0), "R-A1");  // the details are the edited record's
    ThenAnswer("Yes");
    TapControl(V::kIdDelete);
    EXPECT_EQ(Serials(), (std::vector<std::string>{"B1", "C1"}));
    EXPECT_EQ(View().SelectedRow(), -1);
    EXPECT_EQ(Detail(0), "");
}

TEST_F(ChamberLibraryPage, EditAndDeleteAreRefusedWhileAChannelUsesTheRecord) {
    Store(Calibration("NE2571", "A1"));
    Store(Calibration("NE2571", "B1"));
    ASSERT_TRUE(doc->SelectChamber(1, 1));
    OpenPage();
    for (int button : {V::kIdEdit, V::kIdDelete}) {
        SelectRow(1);
        std::string told;
        ThenAnswer("OK", &told);
        TapControl(button);
        EXPECT_EQ(told, "This chamber is currently in use.\r\nSelect another chamber.");
    }
    EXPECT_EQ(Stored().size(), 2u);
    // Deleting the record before it moves channel 2's selection with its record.
    SelectRow(0);
    ThenAnswer("Yes");
    TapControl(V::kIdDelete);
    EXPECT_EQ(doc->Channel[1].ChamberIndex, 0);
    EXPECT_EQ(doc->Channel[1].ChamberSerial, "B1");
}

TEST_F(ChamberLibraryPage, NoOrAStandbyAnswerToTheDeleteQuestionDeletesNothing) {
    Store(Calibration("NE2571", "A1"));
    OpenPage();
    const std::function<void()> answers[] = {
        [] { testing_support::AnswerBox("No"); },
        [] { dynamic_cast<fw::Dialog*>(fw::Loop().TopLevel())->EndDialog(3); },  // standby
    };
    for (const auto& answer : answers) {
        SelectRow(0);
        ThenDo(answer);
        TapControl(V::kIdDelete);
        EXPECT_EQ(Stored().size(), 1u);
    }
}

// Add Calibration starts at page 1 with the selected record as the defaults and appends a
// record: the selected one is kept as it was.
TEST_F(ChamberLibraryPage, AddCalibrationAppendsARecordOfTheSelectedChamber) {
    Store(Calibration("NE2571", "A1"));
    OpenPage();
    SelectRow(0);
    ThenCheck([](fw::Window* top) {
        EXPECT_EQ(dynamic_cast<CChamberWiz*>(top)->CurrentPage(), CChamberWiz::kPageReport);
        EXPECT_EQ(LabelText(top, CCalReportDlg::kIdChamberLine), "NE2571/A1");
    });
    ThenTouch(CChamberWizPage::kIdBack);
    ThenCheck([](fw::Window* top) { EXPECT_EQ(LabelText(top, CModelSNDlg::kIdSerial), "A1"); });
    ThenTouch(CChamberWizPage::kIdNext);
    ThenTouch(CChamberWizPage::kIdNext);
    ThenTouch(CCalInfoDlg::kIdBeam);
    ThenType("X6");
    ThenCheck([](fw::Window* top) {
        EXPECT_EQ(LabelText(top, CCalInfoDlg::kIdMantissa), "5.380");
        EXPECT_EQ(LabelText(top, CCalInfoDlg::kIdPolarity), "-300");
    });
    ThenScreenshot("chamber_wizard_calibration.png");
    ThenTouch(CChamberWizPage::kIdNext);
    ThenFinish();
    TapControl(V::kIdAddCalibration);
    const std::vector<CHAMBER_CAL> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    CHAMBER_CAL added = Calibration("NE2571", "A1", "X6");
    EXPECT_TRUE(stored[0] == added || stored[1] == added);
    EXPECT_TRUE(stored[0] == Calibration("NE2571", "A1") ||
                stored[1] == Calibration("NE2571", "A1"));
    EXPECT_EQ(View().SelectedRow(), -1);
    EXPECT_FALSE(Enabled(V::kIdAddCalibration));
    EXPECT_FALSE(Enabled(V::kIdEdit));
}

// A new chamber whose first write fails: No gives up with nothing stored and nothing said to
// be added; Yes writes it once and only then says it was added.
TEST_F(ChamberLibraryPage, AFailedAddIsToldAndAddedIsSaidOnlyAfterItWasStored) {
    OpenPage();
    FaultyVfs vfs;
    for (const char* answer : {"No", "Yes"}) {
        SCOPED_TRACE(answer);
        vfs.Arm(1, FaultyVfs::Fault::kFail);
        ThenModelSerialPage("NE2571", "A1");
        ThenReportPage("R1");
        ThenCalibrationPage({"Co60", "5.38", "7", 8, "1.002", "300"});
        ThenFinish();
        std::string told;
        ThenAnswer(answer, &told);
        bool addedShown = false;
        if (std::string(answer) == "Yes") {
            ThenDo([&] {
                addedShown = dynamic_cast<CCWizLastDlg*>(fw::Loop().TopLevel()) != nullptr;
            });
            ThenTouch(CCWizLastDlg::kIdReturn);
        }
        TapControl(V::kIdNew);
        EXPECT_EQ(told, "Could not save data.\r\nWould you like to try again?");
        EXPECT_EQ(addedShown, std::string(answer) == "Yes");
        EXPECT_EQ(Stored().size(), std::string(answer) == "Yes" ? 1u : 0u);
        EXPECT_EQ(Serials().size(), Stored().size());
    }
}

TEST_F(ChamberLibraryPage, AFailedDeleteOrUpdateKeepsTheRecordAndTheListShowsTheStore) {
    Store(Calibration("NE2571", "A1"));
    OpenPage();
    FaultyVfs vfs;
    vfs.Arm(1, FaultyVfs::Fault::kFail);
    SelectRow(0);
    ThenAnswer("Yes");
    std::string told;
    ThenAnswer("No", &told);
    TapControl(V::kIdDelete);
    EXPECT_EQ(told, "Could not save data.\r\nWould you like to try again?");
    EXPECT_EQ(Serials(), std::vector<std::string>{"A1"});

    vfs.Arm(1, FaultyVfs::Fault::kFail);
    SelectRow(0);
    ThenEditSerialAndFinish("Z1");
    ThenAnswer("No");
    TapControl(V::kIdEdit);
    EXPECT_EQ(Serials(), std::vector<std::string>{"A1"});
    EXPECT_EQ(Stored()[0].ChamberSerial, "A1");
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
    std::string told;
    ThenAnswer("OK", &told);
    TapControl(V::kIdEdit);
    EXPECT_EQ(told, V::kUnreadableText);
    EXPECT_EQ(Detail(0), "");
}

// The host's time zone for one scope, put back as it was afterwards.
class TimeZone {
  public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

  private:
    std::optional<std::string> old_;
};

// Due within 60 whole calendar days, also when a daylight-saving change lies between (Berlin
// moves its clocks on 27 March 2016, so 61 days ahead are 61 × 24 − 1 hours ahead).
TEST_F(ChamberLibraryPage, DueMarkersFromSixtyDaysAheadInAnyTimeZoneAndForDatesNeverSet) {
    struct Case {
        DATE_YMD due;
        bool dueSoon;
    };
    const Case cases[] = {
        {{2016, 5, 13}, true},   // 60 days ahead
        {{2016, 5, 14}, false},  // 61
        {{2016, 3, 14}, true},   // today
        {{2015, 1, 1}, true},    // past
        {{0, 0, 0}, true},       // never set
        {{2040, 1, 1}, false},   // after 2038
    };
    for (const Case& c : cases) {
        CHAMBER_CAL cal = Calibration(
            "NE2571", std::to_string(c.due.Year * 10000 + c.due.Month * 100 + c.due.Day));
        cal.CalDueDate = c.due;
        Store(cal);
    }
    for (const char* zone : {"UTC", "Europe/Berlin"}) {
        SCOPED_TRACE(zone);
        TimeZone tz(zone);
        ASSERT_TRUE(clock->SetLocalTime({2016, 3, 0, 14, 0, 30, 0, 0}));
        OpenPage();
        const std::vector<CHAMBER_CAL> stored = Stored();
        for (int row = 0; row < List().GetItemCount(); ++row) {
            SCOPED_TRACE(List().GetItemText(row, 1));
            const auto it = std::find_if(std::begin(cases), std::end(cases), [&](const Case& c) {
                return c.due == stored[row].CalDueDate;
            });
            ASSERT_NE(it, std::end(cases));
            EXPECT_EQ(List().GetItemData(row), it->dueSoon ? V::kDueIcon : 0);
            SelectRow(row);
            auto* marker = dynamic_cast<CLabel*>(FindShown(&View(), V::kIdDueMarker));
            ASSERT_NE(marker, nullptr);
            EXPECT_EQ(marker->Bitmap(), it->dueSoon ? V::kDueMarkerBitmap : 0);
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
