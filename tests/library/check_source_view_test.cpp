// The check-source page as the operator uses it: a source entered, edited and deleted by
// taps, today's activity and a projection to a chosen date, the password, the scroll
// buttons, a damaged record in the middle of the list, failing writes and a standby request
// with a dialog open.
#include <climits>

#include "controls/MenuCommands.h"
#include "library/CAddSourceDlg.h"
#include "library/LibraryViews.h"
#include "library_fixture.h"
#include "link/WindowMessages.h"
#include "screens/CPlaceholderView.h"
#include "screens/CStandbyView.h"
#include "screens/ViewFactory.h"
#include "store/CSrcDB.h"
#include "store/faulty_vfs.h"

namespace library_test {
namespace {

using V = CCheckSrcView;

class CheckSourcePage : public CheckSourceTest {};

// Today on the test clock is 14 March 2016. Hand-computed: 2014-03-14 to 2016-03-14 is
// 365 + 366 = 731 days, f = 2.71828183^-(731 / 365.25 x 0.693 / 28.79) = 0.952968, so
// 37 MBq read 35.260 MBq; to 2026-03-14 it is 4383 days (12 x 365.25), f = 0.749136, 27.718.
TEST_F(CheckSourcePage, ASourceIsEnteredProjectedEditedAndDeletedByTaps) {
    doc->PasswordProtect = 1;
    OpenPage();
    EXPECT_TRUE(ScreenHasText("Check Source"));
    EXPECT_FALSE(Enabled(V::kIdEdit));
    EXPECT_FALSE(Enabled(V::kIdDelete));
    EXPECT_FALSE(Enabled(V::kIdDateButton));

    ThenType("5937");
    ThenDo([this] { EXPECT_TRUE(ScreenHasText("Create New Source")); });
    ThenFillNewSource("Sr90 ref", "sn42", "28.79", "37", "MBq", -2);
    ThenDo([this] {
        auto* dialog = dynamic_cast<CAddSourceDlg*>(fw::Loop().TopLevel());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->OkEnabled());
        EXPECT_EQ(dialog->FieldText(CAddSourceDlg::kIdHalfLife), "28.790");
        EXPECT_EQ(dialog->FieldText(CAddSourceDlg::kIdDate), "03/14/2014");
        Screenshot("check_source_new_filled.png");
        TouchOnTop(CAddSourceDlg::kIdOk);
    });
    TapControl(V::kIdNew);
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Stored()[0], Source("sn42", "Sr90 ref", "28.790", "37.000", {2014, 3, 14}, 1));
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"Sr90 ref"});

    SelectRow(0);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "Sr90 ref (sn: sn42)");
    EXPECT_EQ(TextOf(V::kIdReferenceLine), "37.000 MBq - 03/14/2014");
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "35.260 MBq");
    EXPECT_TRUE(Enabled(V::kIdEdit) && Enabled(V::kIdDelete) && Enabled(V::kIdDateButton));

    ThenDo([this] { EXPECT_TRUE(ScreenHasText("Enter Calculation Date")); });
    ThenPickDate(0, 0, 10);
    TapControl(V::kIdDateButton);
    EXPECT_EQ(TextOf(V::kIdCalculationDate), "03/14/2026");
    EXPECT_EQ(TextOf(V::kIdProjectedValue), "27.718 MBq");
    EXPECT_TRUE(Screenshot("check_source_page.png"));

    // The password was given once on this visit: Edit asks no more. The new half-life
    // replaces the old one and the list comes back without a selection.
    ThenDo([this] { EXPECT_TRUE(ScreenHasText("Edit Source") && ScreenHasText("Sr90 ref")); });
    ThenTouch(CAddSourceDlg::kIdHalfLife);
    ThenKeys("30.17");
    ThenTouch(CAddSourceDlg::kIdOk);
    TapControl(V::kIdEdit);
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Stored()[0].HalfLife, "30.170");
    EXPECT_EQ(View().SelectedPosition(), -1);
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "");
    EXPECT_FALSE(Enabled(V::kIdEdit) || Enabled(V::kIdDelete) || Enabled(V::kIdDateButton));
    // The calculation date outlives the edit.
    EXPECT_EQ(View().CalculationDate().year, 2026);

    SelectRow(0);
    std::string question;
    ThenAnswer("Yes", &question);
    TapControl(V::kIdDelete);
    EXPECT_EQ(question, "Are you sure?\r\nThis data cannot be recovered!");
    EXPECT_TRUE(Stored().empty());
    EXPECT_EQ(View().List().GetItemCount(), 0);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "");
    EXPECT_FALSE(Enabled(V::kIdDateButton));
}

TEST_F(CheckSourcePage, ThePasswordGuardsEveryEditOnce) {
    Store({Source("1", "a")});
    doc->PasswordProtect = 1;
    OpenPage();
    SelectRow(0);
    struct Case {
        int button;
        std::string typed;  // empty: Cancel on the keypad
        bool refused;
    } cases[] = {{V::kIdNew, "1234", true}, {V::kIdEdit, "", false}, {V::kIdDelete, "59370", true}};
    for (const Case& c : cases) {
        std::string refusal;
        if (c.typed.empty()) {
            ThenTouch(CKeypadDlg::kIdCancel);
        } else {
            ThenType(c.typed);
            ThenAnswer("OK", &refusal);
        }
        TapControl(c.button);
        EXPECT_EQ(
            refusal,
            c.refused ? "Invalid password.\r\nConsult your manual for the correct password." : "");
        EXPECT_EQ(Stored().size(), 1u);
    }
    // Right once, then Delete goes straight to its question.
    ThenType("5937");
    ThenAnswer("No");
    TapControl(V::kIdDelete);
    ThenAnswer("No");
    TapControl(V::kIdDelete);
    EXPECT_EQ(Stored().size(), 1u);

    // A new visit of the page asks again.
    frame->SwitchToView(std::make_unique<CScintPlaceholderView>());
    OpenPage();
    SelectRow(0);
    ThenTouch(CKeypadDlg::kIdCancel);
    TapControl(V::kIdDelete);
    EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(CheckSourcePage, ScrollButtonsOnlyAboveTenSources) {
    for (int count : {0, 10, 11}) {
        std::vector<SOURCE_INFO> sources;
        for (int i = static_cast<int>(Stored().size()); i < count; ++i)
            sources.push_back(Source(std::to_string(100 + i), "src" + std::to_string(i)));
        Store(sources);
        OpenPage();
        EXPECT_EQ(View().List().GetItemCount(), count);
        EXPECT_EQ(Enabled(V::kIdScrollUp), count > 10) << count;
        EXPECT_EQ(Enabled(V::kIdScrollDown), count > 10) << count;
        frame->SwitchToView(std::make_unique<CScintPlaceholderView>());
    }
    OpenPage();
    TapControl(V::kIdScrollDown);
    EXPECT_EQ(View().List().TopIndex(), 1);
    SelectRow(10);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "src10 (sn: 110)");
}

// The middle one of three sources loses a property behind the page's back: the list leaves
// it out, and the rows after it still edit and delete their own records.
TEST_F(CheckSourcePage, RowsKeepTheirStorePositionsPastAnUnreadableRecord) {
    Store({Source("1", "first"), Source("2", "damaged"), Source("3", "third")});
    TamperVolume(CSrcDB::kVolumePath,
                 "DELETE FROM props WHERE id = 108 AND "
                 "oid = (SELECT min(oid) + 1 FROM records)");
    OpenPage();
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(View().PositionOfRow(0), 0);
    EXPECT_EQ(View().PositionOfRow(1), 2);

    SelectRow(1);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "third (sn: 3)");
    ThenTouch(CAddSourceDlg::kIdName);
    ThenType("renamed");
    ThenTouch(CAddSourceDlg::kIdOk);
    TapControl(V::kIdEdit);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"first", "renamed"}));

    SelectRow(1);
    ThenAnswer("Yes");
    TapControl(V::kIdDelete);
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"first"});
    CSrcDB store;
    EXPECT_EQ(store.GetRecordCount(), 2) << "the damaged record is kept";
    SOURCE_INFO s;
    ASSERT_TRUE(store.GetRecord(0, s));
    EXPECT_EQ(s.SourceName, "first");
}

TEST_F(CheckSourcePage, ARecordThatNoLongerReadsClearsTheDetails) {
    Store({Source("1", "first"), Source("2", "second")});
    OpenPage();
    SelectRow(1);
    EXPECT_TRUE(Enabled(V::kIdDateButton));
    // The first record loses its unit, so it keeps its place but no longer reads.
    TamperVolume(CSrcDB::kVolumePath,
                 "DELETE FROM props WHERE id = 108 AND oid = (SELECT min(oid) FROM records)");
    SelectRow(0);
    EXPECT_EQ(TextOf(V::kIdSourceLine), "");
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "");
    EXPECT_FALSE(Enabled(V::kIdDateButton));
    // Edit reads the record again and finds nothing to edit: no dialog, a fresh list.
    TapControl(V::kIdEdit);
    EXPECT_EQ(View().SelectedPosition(), -1);
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"second"});
}

// Each write meets one failure at its first disk step; the operator answers the retry box.
TEST_F(CheckSourcePage, AFailedWriteIsToldAndTheListShowsWhatTheStoreHolds) {
    Store({Source("1", "kept")});
    OpenPage();
    FaultyVfs vfs;
    struct Case {
        const char* what;
        int button;
        const char* answer;
        std::vector<std::string> listed;
    } cases[] = {
        {"add, given up", V::kIdNew, "No", {"kept"}},
        {"add, tried again", V::kIdNew, "Yes", {"kept", "new"}},
        {"delete, given up", V::kIdDelete, "No", {"kept", "new"}},
        {"delete, tried again", V::kIdDelete, "Yes", {"new"}},
    };
    for (const Case& c : cases) {
        // The fault is armed with the operator's last answer before the write.
        const auto armThen = [&vfs](int id) {
            return [&vfs, id] {
                vfs.Arm(1, FaultyVfs::Fault::kFail);
                TouchOnTop(id);
            };
        };
        if (c.button == V::kIdNew) {
            ThenFillNewSource("new", "9", "1", "1", "kBq", 0);
            ThenDo(armThen(CAddSourceDlg::kIdOk));
        } else {
            SelectRow(0);
            ThenDo(armThen(CMsgBox::kIdLeft));  // "Yes" to the question
        }
        std::string told;
        ThenAnswer(c.answer, &told);
        TapControl(c.button);
        EXPECT_TRUE(vfs.FaultHit()) << c.what;
        EXPECT_EQ(told, "Could not save data.\r\nWould you like to try again?") << c.what;
        EXPECT_EQ(ListedNames(), c.listed) << c.what;
        EXPECT_EQ(TextOf(V::kIdSourceLine), "") << c.what;
        EXPECT_FALSE(Enabled(V::kIdDateButton)) << c.what;
        vfs.Disarm();
    }
}

TEST_F(CheckSourcePage, AStandbyRequestWithTheDialogOpenSavesNothing) {
    OpenPage();
    ThenTouch(CAddSourceDlg::kIdName);
    ThenType("half");
    ThenDo([this] { fw::Loop().Post(frame->ActiveView()->Handle(), WM_BOARD_STANDBY); });
    TapControl(V::kIdNew);
    fw::Loop().ProcessReady();
    EXPECT_NE(dynamic_cast<CStandbyView*>(frame->ActiveView()), nullptr);
    EXPECT_TRUE(Stored().empty());
}

TEST_F(CheckSourcePage, TodaysActivityFollowsTheDayAndAStoredZeroHalfLifeProjectsNothing) {
    Store({Source("1", "sr", "28.790", "37.000", {2014, 3, 14}, 1),
           Source("2", "zero", "0.000", "37.000", {2014, 3, 14}, 7)});
    OpenPage();
    SelectRow(0);
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "35.260 MBq");
    // 09:05 + 15 h is the next morning: 732 days, f = 0.952904.
    clock->Advance(15 * 3600 * 1000LL);
    Advance(1000);
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "35.257 MBq");

    SelectRow(1);
    EXPECT_EQ(TextOf(V::kIdReferenceLine), "37.000  - 03/14/2014");
    EXPECT_EQ(TextOf(V::kIdCurrentValue), "----");
    ThenPickDate(0, 0, 1);
    TapControl(V::kIdDateButton);
    EXPECT_EQ(TextOf(V::kIdProjectedValue), "----");
}

// Without the library's views registered the screens have no way to the page; with them,
// the page command reaches it.
TEST_F(CheckSourcePage, ThePageCommandReachesThePageOnceRegistered) {
    Show<CScintPlaceholderView>();
    RegisterViewMaker(PageScreen::kCheckSource, nullptr);
    ThenAnswer("OK");
    Active()->OnCommand(menu_cmd::kCheckSource, nullptr);
    ASSERT_FALSE(ActiveIs<CCheckSrcView>());
    RegisterLibraryViews();
    EXPECT_TRUE(Active()->OnCommand(menu_cmd::kCheckSource, nullptr));
    fw::Loop().ProcessReady();
    EXPECT_TRUE(ActiveIs<CCheckSrcView>());
}

}  // namespace
}  // namespace library_test
