// The source dialog: a complete record, the numbers its keypads accept, the reference date
// as a stored record shows it and as a picked one does, and units outside the table.
#include <tuple>

#include "library/CAddSourceDlg.h"
#include "library/CCheckSrcView.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using D = CAddSourceDlg;

class SourceDialog : public LibraryPageTest<CCheckSrcView> {
  protected:
    // Runs the dialog editing `record` with the steps scripted before; its result.
    int Run(D& dialog, const SOURCE_INFO& record) {
        dialog.SetRecord(record);
        dialog.SetEditMode(true);
        return dialog.DoModal();
    }
    static D::ModalRunner Runner() {
        return [](CModalDialog& d) { return d.DoModal(); };
    }
    static D* OnTop() { return dynamic_cast<D*>(fw::Loop().TopLevel()); }
};

TEST(SourceRecord, IsCompleteOnlyWithEveryFieldAndAHalfLifeAboveZero) {
    const SOURCE_INFO full = Source("1", "sr");
    const std::tuple<const char*, void (*)(SOURCE_INFO&), bool> cases[] = {
        {"every field", [](SOURCE_INFO&) {}, true},
        {"no name", [](SOURCE_INFO& s) { s.SourceName.clear(); }, false},
        {"half-life 0", [](SOURCE_INFO& s) { s.HalfLife = "0.000"; }, false},
        {"no day", [](SOURCE_INFO& s) { s.ActivityDate.Day = -1; }, false},
        {"unit past the table", [](SOURCE_INFO& s) { s.ActivityUnit = 4; }, false},
        {"last unit", [](SOURCE_INFO& s) { s.ActivityUnit = 3; }, true},
        {"activity 0", [](SOURCE_INFO& s) { s.Activity = "0.000"; }, true},
    };
    for (const auto& [why, change, complete] : cases) {
        SOURCE_INFO s = full;
        change(s);
        EXPECT_EQ(D::IsComplete(s), complete) << why;
    }
}

TEST_F(SourceDialog, NumberEntriesAreStoredWithThreeDecimalsOrRefused) {
    const std::tuple<int, const char*, const char*, bool> cases[] = {
        {D::kIdHalfLife, "0", "1.000", true},
        {D::kIdHalfLife, ".", "1.000", false},
        {D::kIdHalfLife, "1.2345", "1.234", false},
        {D::kIdActivity, "0", "0.000", false},
        {D::kIdActivity, "1234567890123456", "123456789012.000", false},
    };
    for (const auto& [field, keys, stored, refused] : cases) {
        D dialog(*doc, Runner());
        std::string told;
        ThenTouch(field);
        ThenKeys(keys);
        if (refused)
            ThenAnswer("OK", &told);
        ThenTouch(D::kIdOk);
        SOURCE_INFO s = Source("1", "sr", "1.000", "7.000");
        ASSERT_EQ(Run(dialog, s), fw::kIdOk) << keys;
        const SOURCE_INFO& out = dialog.Record();
        EXPECT_EQ(field == D::kIdHalfLife ? out.HalfLife : out.Activity, stored) << keys;
        EXPECT_EQ(!told.empty(), refused) << keys;
    }
}

TEST_F(SourceDialog, EditingShowsTheStoredDateAsMonthDayYearAndAPickedOneInTheDocumentsFormat) {
    doc->DateFormat = 1;
    D dialog(*doc, Runner());
    ThenDo([this] {
        EXPECT_EQ(OnTop()->FieldText(D::kIdDate), "03/05/2016");
        EXPECT_EQ(OnTop()->FieldText(D::kIdUnits), "mCi");
    });
    ThenTouch(D::kIdDate);
    ThenDo([this] {
        EXPECT_TRUE(ScreenHasText("05")) << "the picker starts at the record's date";
        TouchCentreOf(datecols::UpDownColumns::UpRect(CDatePickerDlg::ColumnsArea(), 0));
        TouchCentreOf(CDatePickerDlg::OkRect());
    });
    ThenDo([] { EXPECT_EQ(OnTop()->FieldText(D::kIdDate), "06/03/2016"); });
    ThenTouch(D::kIdOk);
    ASSERT_EQ(Run(dialog, Source("1", "sr", "1.000", "1.000", {2016, 3, 5}, 3)), fw::kIdOk);
    EXPECT_EQ(dialog.Record().ActivityDate, (DATE_YMD{2016, 3, 6}));
}

TEST_F(SourceDialog, AStoredUnitOutsideTheTableShowsNothingUntilOneIsChosen) {
    for (int16_t unit : {int16_t(-1), int16_t(4)}) {
        D dialog(*doc, Runner());
        ThenDo([] {
            EXPECT_EQ(OnTop()->FieldText(D::kIdUnits), "");
            EXPECT_FALSE(OnTop()->OkEnabled());
        });
        ThenTouch(D::kIdUnits);
        ThenTapText("kBq");
        ThenTouch(D::kIdOk);
        ASSERT_EQ(Run(dialog, Source("1", "sr", "1.000", "1.000", {2016, 3, 5}, unit)), fw::kIdOk);
        EXPECT_EQ(dialog.Record().ActivityUnit, 0) << unit;
    }
}

}  // namespace
}  // namespace library_test
