#pragma once
// A library page on the screen fixture: the page's list, the library volumes on the fresh
// root, and the steps on the dialogs and the date picker it opens.
#include <sqlite3.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "fw/Paths.h"
#include "screens/CDatePickerDlg.h"
#include "screens/DateColumns.h"
#include "store/SourceInfo.h"
#include "support/screen_fixture.h"

namespace library_test {

using testing_support::FindShown;
using testing_support::LabelText;
using testing_support::TouchCentreOf;
using testing_support::TouchOnTop;

// Runs SQL on a library volume behind the page's back, as damage or another program would.
inline void TamperVolume(std::string_view devicePath, const char* sql) {
    const std::string file = fw::MapDevicePath(devicePath).value().string();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// The host's time zone for one scope, put back as it was afterwards.
class TimeZone {
  public:
    explicit TimeZone(const char* zone) : old_(std::getenv("TZ") ? std::getenv("TZ") : "") {
        setenv("TZ", zone, 1), tzset();
    }
    ~TimeZone() {
        old_.empty() ? unsetenv("TZ") : setenv("TZ", old_.c_str(), 1);
        tzset();
    }

  private:
    std::string old_;
};

inline SOURCE_INFO Source(std::string serial, std::string name, const char* halfLife = "28.790",
                          const char* activity = "37.000", DATE_YMD date = {2016, 3, 14},
                          int16_t unit = 1) {
    return SOURCE_INFO{std::move(serial), std::move(name), halfLife, activity, date, unit};
}

template <class TView>
class LibraryPageTest : public testing_support::ScreenFixture {
  protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        doc->PasswordProtect = 0;
    }
    void OpenPage() { Show<TView>(); }
    TView& View() { return *static_cast<TView*>(frame->ActiveView()); }
    void SelectRow(int row) {
        testing_support::TouchListRow(&View(), TView::kIdList, row, 20);
        fw::Loop().ProcessReady();
    }
    std::vector<std::string> ListColumn(int column) {
        return testing_support::ListColumn(&View(), TView::kIdList, column);
    }
    // Runs `check` against the window on top at this point of the script.
    void ThenCheck(std::function<void(fw::Window*)> check) {
        ThenDo([check] { check(fw::Loop().TopLevel()); });
    }
    void ThenTouch(int id) {
        ThenDo([id] { TouchOnTop(id); });
    }
    // Steps on the date picker (day, month, year columns; +n up, -n down), then OK.
    void ThenPickDate(int dayStep, int monthStep, int yearStep) {
        ThenDo([dayStep, monthStep, yearStep] {
            const fw::Rect area = CDatePickerDlg::ColumnsArea();
            const int steps[3] = {dayStep, monthStep, yearStep};
            for (int column = 0; column < 3; ++column) {
                for (int n = 0; n < std::abs(steps[column]); ++n)
                    TouchCentreOf(steps[column] > 0
                                      ? datecols::UpDownColumns::UpRect(area, column)
                                      : datecols::UpDownColumns::DownRect(area, column));
            }
            TouchCentreOf(CDatePickerDlg::OkRect());
        });
    }
};

}  // namespace library_test
