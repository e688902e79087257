// The check-source page as the operator uses it: a source entered, edited and deleted by
// taps, today's activity through a change of day and a projection to a chosen date, the password,
// damaged records in the list and failing writes.
#include <tuple>

#include "controls/MenuCommands.h"
#include "library/CAddSourceDlg.h"
#include "library/CCheckSrcView.h"
#include "library/LibraryViews.h"
#include "library_fixture.h"
#include "screens/CPlaceholderView.h"
#include "screens/ViewFactory.h"
#include "store/CSrcDB.h"
#include "store/faulty_vfs.h"

namespace library_test {
namespace {

using V = CCheckSrcView;

class CheckSourcePage : public LibraryPageTest<CCheckSrcView> {
  protected:
    static void Store(const std::vector<SOURCE_INFO>& sources) {
        CSrcDB store;
        for (const SOURCE_INFO& s : sources)
            ASSERT_TRUE(store.AddRecord(s));
    }
    // The records that read, in store order.
    static std::vector<SOURCE_INFO> Stored() {
        std::vector<SOURCE_INFO> out;
        CSrcDB store;
        for (int i = 0, count = store.GetRecordCount(); i < count; ++i) {
            if (SOURCE_INFO s; store.GetRecord(i, s))
                out.push_back(s);
        }
        return out;
    }
    std::vector<std::string> ListedNames() { return ListColumn(0); }
    // Fills every field of the open source dialog by taps, OK refused until the date is
    // picked last; the dialog stays open.
    void ThenFillNewSource(const std::string& name, const std::string& halfLife, int yearStep) {
        ThenTouch(CAddSourceDlg::kIdName);
        ThenType(name);
        ThenTouch(CAddSourceDlg::kIdHalfLife);
        ThenKeys(halfLife);
        ThenTouch(CAddSourceDlg::kIdSerial);
        ThenType("sn42");
        ThenTouch(CAddSourceDlg::kIdActivity);
        ThenKeys("37");
        ThenTouch(CAddSourceDlg::kIdUnits);
        ThenTapText("MBq");
        ThenTouch(CAddSourceDlg::kIdOk);  // refused: no date yet
        ThenTouch(CAddSourceDlg::kIdDate);
        ThenPickDate(0, 0, yearStep);
    }
};

// Today on the test clock is 14 March 2016. Hand-computed: 2014-03-14 to 2016-03-14 is
// 365 + 366 = 731 days, f = 2.71828183^-(731 / 365.25 x 0.693 / 28.79) = 0.952968, so
// 37 MBq read 35.260 MBq; to 2026-03-14 it is 4383 days (12 x 365.25), f = 0.749136, 27.718.
TEST_F(CheckSourcePage, ASourceIsEnteredProjectedAndEditedByTaps) {
    doc->PasswordProtect = 1;
    // Once the library's views are registered, the page command reaches the page.
    Show<CScintPlaceholderView>();
    RegisterViewMaker(PageScreen::kCheckSource, nullptr);
    RegisterLibraryViews();
    EXPECT_TRUE(Active()->OnCommand(menu_cmd::kCheckSource, nullptr));
    fw::Loop().ProcessReady();
    ASSERT_TRUE(ActiveIs<CCheckSrcView>());
    ThenType("5937");
    ThenFillNewSource("Sr90 ref", "28.79", -2);
    ThenTouch(CAddSourceDlg::kIdOk);
    TapControl(V::kIdNew);
    EXPECT_EQ(Stored(), (std::vector<SOURCE_INFO>{
                            Source("sn42", "Sr90 ref", "28.790", "37.000", {2014, 3, 14}, 1)}));

    SelectRow(0);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "Sr90 ref (sn: sn42)");
    EXPECT_EQ(TextOf(V::kIdReferenceLine), "37.000 MBq - 03/14/2014");
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "35.260 MBq");

    ThenPickDate(0, 0, 10);
    TapControl(V::kIdDateButton);
    EXPECT_EQ(TextOf(V::kIdCalculationDate), "03/14/2026");
    EXPECT_EQ(TextOf(V::kIdProjectedValue), "27.718 MBq");
    EXPECT_TRUE(Screenshot("check_source_page.png"));
    // 09:05 + 15 h is the next morning: 732 days, f = 0.952904.
    clock->Advance(15 * 3600 * 1000LL);
    Advance(1000);
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "35.257 MBq");

    // The password was given once on this visit: Edit asks no more. The new half-life
    // replaces the old one and the list comes back without a selection.
    ThenTouch(CAddSourceDlg::kIdHalfLife);
    ThenKeys("30.17");
    ThenTouch(CAddSourceDlg::kIdOk);
    TapControl(V::kIdEdit);
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Stored()[0].HalfLife, "30.170");
    EXPECT_EQ(View().SelectedPosition(), -1);
    // The calculation date outlives the edit.
    EXPECT_EQ(View().CalculationDate().year, 2026);
    // Cancel keeps the record and the selection.
    SelectRow(0);
    ThenTouch(CAddSourceDlg::kIdHalfLife);
    ThenKeys("5");
    ThenTouch(CAddSourceDlg::kIdCancel);
    TapControl(V::kIdEdit);
    EXPECT_EQ(Stored()[0].HalfLife, "30.170");
    EXPECT_EQ(View().SelectedPosition(), 0);

    // The next visit asks again: a wrong password is refused, Cancel on the keypad just stops.
    frame->SwitchToView(std::make_unique<CScintPlaceholderView>());
    OpenPage();
    SelectRow(0);
    std::string refusal;
    ThenType("1234");
    ThenAnswer("OK", &refusal);
    TapControl(V::kIdDelete);
    EXPECT_EQ(refusal, "Invalid password.\r\nConsult your manual for the correct password.");
    ThenTouch(CKeypadDlg::kIdCancel);
    TapControl(V::kIdDelete);
    EXPECT_EQ(Stored().size(), 1u);
}

// The middle one of three sources loses a property behind the page's back: the list leaves
// it out, and the rows after it still edit and delete their own records. A listed record that
// stops reading clears the details when selected, and Edit then refreshes the list.
TEST_F(CheckSourcePage, RowsKeepTheirStorePositionsPastUnreadableRecords) {
    Store({Source("1", "first"), Source("2", "damaged"), Source("3", "third")});
    TamperVolume(CSrcDB::kVolumePath,
                 "DELETE FROM props WHERE id = 108 AND "
                 "oid = (SELECT min(oid) + 1 FROM records)");
    OpenPage();
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"first", "third"}));

    SelectRow(1);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "third (sn: 3)");
    ThenTouch(CAddSourceDlg::kIdName);
    ThenType("renamed");
    ThenTouch(CAddSourceDlg::kIdOk);
    TapControl(V::kIdEdit);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"first", "renamed"}));

    TamperVolume(CSrcDB::kVolumePath,
                 "DELETE FROM props WHERE id = 108 AND oid = (SELECT min(oid) FROM records)");
    SelectRow(0);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "");
    TapControl(V::kIdEdit);  // no dialog: nothing to edit
    EXPECT_EQ(View().SelectedPosition(), -1);
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"renamed"});

    SelectRow(0);
    std::string question;
    ThenAnswer("Yes", &question);
    TapControl(V::kIdDelete);
    EXPECT_EQ(question, "Are you sure?\r\nThis data cannot be recovered!");
    EXPECT_TRUE(ListedNames().empty());
    EXPECT_EQ(CSrcDB().GetRecordCount(), 2) << "the damaged records are kept";
}

// Each write meets one failure at its first disk step; the operator answers the retry box.
TEST_F(CheckSourcePage, AFailedWriteIsToldAndTheListShowsWhatTheStoreHolds) {
    Store({Source("1", "kept")});
    OpenPage();
    FaultyVfs vfs;
    const std::tuple<const char*, int, const char*, std::vector<std::string>> cases[] = {
        {"add, given up", V::kIdNew, "No", {"kept"}},
        {"add, tried again", V::kIdNew, "Yes", {"kept", "new"}},
        {"delete, tried again", V::kIdDelete, "Yes", {"new"}},
    };
    for (const auto& [what, button, answer, listed] : cases) {
        const bool adding = button == V::kIdNew;
        if (adding)
            ThenFillNewSource("new", "1", 0);
        else
            SelectRow(0);
        // The fault is armed with the operator's last answer before the write: OK or "Yes".
        ThenDo([&vfs, id = adding ? CAddSourceDlg::kIdOk : CMsgBox::kIdLeft] {
            vfs.Arm(1, FaultyVfs::Fault::kFail);
            TouchOnTop(id);
        });
        std::string told;
        ThenAnswer(answer, &told);
        TapControl(button);
        EXPECT_TRUE(vfs.FaultHit()) << what;
        EXPECT_EQ(told, "Could not save data.\r\nWould you like to try again?") << what;
        EXPECT_EQ(ListedNames(), listed) << what;
        vfs.Disarm();
    }
}

}  // namespace
}  // namespace library_test
