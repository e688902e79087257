#pragma once
// A library page on the screen fixture: the page's list, the library volumes on the fresh
// root, and the steps on the wizard pages, the source dialog and the date picker it opens.
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "library/CChamberLibView.h"
#include "library/CCheckSrcView.h"
#include "screens/CDatePickerDlg.h"
#include "screens/DateColumns.h"
#include "store/ChamberCal.h"
#include "store/SourceInfo.h"
#include "support/screen_fixture.h"

namespace library_test {

using testing_support::FindShown;
using testing_support::LabelText;
using testing_support::TouchCentreOf;
using testing_support::TouchListRow;
using testing_support::TouchOnTop;

// Runs SQL on a library volume behind the page's back, as damage or another program would.
void TamperVolume(std::string_view devicePath, const char* sql);

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

template <class TView>
class LibraryPageTest : public testing_support::ScreenFixture {
  protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        doc->PasswordProtect = 0;
    }
    void OpenPage() { Show<TView>(); }
    TView& View() { return *static_cast<TView*>(frame->ActiveView()); }
    CTouchListCtrl& List() { return *testing_support::ShownList(&View(), TView::kIdList); }
    // Touches list row `row`, scrolled into view first.
    void SelectRow(int row) {
        TouchListRow(&View(), TView::kIdList, row, 20);
        fw::Loop().ProcessReady();
    }
    std::vector<std::string> ListColumn(int column) {
        return testing_support::ListColumn(&View(), TView::kIdList, column);
    }

    // ---- steps for the modal loops that will be waiting ------------------------------------
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
    void ThenScreenshot(const std::string& name) {
        ThenDo([this, name] { Screenshot(name); });
    }
};

// A chamber calibration as a test stores it directly.
CHAMBER_CAL Calibration(const std::string& model, const std::string& serial,
                        const std::string& beam = "Co-60");

class ChamberLibraryTest : public LibraryPageTest<CChamberLibView> {
  protected:
    static void Store(const CHAMBER_CAL& cal);
    static std::vector<CHAMBER_CAL> Stored();
    std::vector<std::string> Serials() { return ListColumn(1); }
    std::string Detail(int index) { return TextOf(CChamberLibView::kDetailValueIds[index]); }

    // Whole wizard pages: the fields typed, then Next.
    struct CalEntry {
        std::string beam;
        std::string mantissa;  // numeric keys
        std::string exponent;
        int mode;  // item of the units menu
        std::string aion;
        std::string polarity;
    };
    void ThenModelSerialPage(const std::string& model, const std::string& serial);
    // The report date is picked as the picker shows it (today), so the due date is two years on.
    void ThenReportPage(const std::string& report);
    void ThenCalibrationPage(const CalEntry& cal);
    void ThenFinish();
};

SOURCE_INFO Source(std::string serial, std::string name, const char* halfLife = "28.790",
                   const char* activity = "37.000", DATE_YMD date = {2016, 3, 14},
                   int16_t unit = 1);

class CheckSourceTest : public LibraryPageTest<CCheckSrcView> {
  protected:
    static void Store(const std::vector<SOURCE_INFO>& sources);
    // The records that read, in store order.
    static std::vector<SOURCE_INFO> Stored();
    std::vector<std::string> ListedNames() { return ListColumn(0); }
    // Fills every field of the open source dialog by taps, OK refused until the date is
    // picked last; the dialog stays open.
    void ThenFillNewSource(const std::string& name, const std::string& serial,
                           const std::string& halfLife, const std::string& activity,
                           const std::string& unit, int yearStep);
};

}  // namespace library_test
