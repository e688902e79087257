#include "library_fixture.h"

#include <sqlite3.h>

#include "controls/CPopupMenu.h"
#include "fw/Paths.h"
#include "library/CAddSourceDlg.h"
#include "library/CCalInfoDlg.h"
#include "library/CCalReportDlg.h"
#include "library/CChamberWizPage.h"
#include "library/CModelSNDlg.h"
#include "store/CCLibDB.h"
#include "store/CSrcDB.h"

namespace library_test {

void TamperVolume(std::string_view devicePath, const char* sql) {
    const std::string file = fw::MapDevicePath(devicePath).value().string();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// ---- chamber library ---------------------------------------------------------------------

CHAMBER_CAL Calibration(const std::string& model, const std::string& serial,
                        const std::string& beam) {
    return CHAMBER_CAL{serial, model, "R-" + serial, {2016, 1, 10}, {2018, 1, 10}, beam, 5380,
                       7,      8,     "1.002",       -300};
}

void ChamberLibraryTest::Store(const CHAMBER_CAL& cal) {
    ASSERT_TRUE(CCLibDB().AddRecord(cal));
}

std::vector<CHAMBER_CAL> ChamberLibraryTest::Stored() {
    std::vector<std::optional<CHAMBER_CAL>> all;
    EXPECT_TRUE(CCLibDB().GetAllRecords(all));
    std::vector<CHAMBER_CAL> out;
    for (auto& cal : all)
        out.push_back(cal.value_or(CHAMBER_CAL{}));
    return out;
}

void ChamberLibraryTest::ThenModelSerialPage(const std::string& model, const std::string& serial) {
    ThenTouch(CModelSNDlg::kIdModel);
    ThenType(model);
    ThenTouch(CModelSNDlg::kIdSerial);
    ThenType(serial);
    ThenTouch(CChamberWizPage::kIdNext);
}

void ChamberLibraryTest::ThenReportPage(const std::string& report) {
    ThenTouch(CCalReportDlg::kIdReport);
    ThenType(report);
    ThenTouch(CCalReportDlg::kIdReportDate);
    ThenPickDate(0, 0, 0);
    ThenTouch(CChamberWizPage::kIdNext);
}

void ChamberLibraryTest::ThenCalibrationPage(const CalEntry& cal) {
    ThenTouch(CCalInfoDlg::kIdBeam);
    ThenType(cal.beam);
    ThenTouch(CCalInfoDlg::kIdMantissa);
    ThenKeys(cal.mantissa);
    ThenTouch(CCalInfoDlg::kIdExponent);
    ThenKeys(cal.exponent);
    ThenTouch(CCalInfoDlg::kIdUnits);
    ThenDo([mode = cal.mode] {  // item `mode` of the units menu
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
    ThenTouch(CChamberWizPage::kIdNext);
}

void ChamberLibraryTest::ThenFinish() {
    ThenTouch(CChamberWizPage::kIdNext);
}

// ---- check sources -----------------------------------------------------------------------

SOURCE_INFO Source(std::string serial, std::string name, const char* halfLife, const char* activity,
                   DATE_YMD date, int16_t unit) {
    return SOURCE_INFO{std::move(serial), std::move(name), halfLife, activity, date, unit};
}

void CheckSourceTest::Store(const std::vector<SOURCE_INFO>& sources) {
    CSrcDB store;
    for (const SOURCE_INFO& s : sources)
        ASSERT_TRUE(store.AddRecord(s));
}

std::vector<SOURCE_INFO> CheckSourceTest::Stored() {
    std::vector<SOURCE_INFO> out;
    CSrcDB store;
    for (int i = 0, count = store.GetRecordCount(); i < count; ++i) {
        SOURCE_INFO s;
        if (store.GetRecord(i, s))
            out.push_back(s);
    }
    return out;
}

void CheckSourceTest::ThenFillNewSource(const std::string& name, const std::string& serial,
                                        const std::string& halfLife, const std::string& activity,
                                        const std::string& unit, int yearStep) {
    ThenTouch(CAddSourceDlg::kIdName);
    ThenType(name);
    ThenTouch(CAddSourceDlg::kIdHalfLife);
    ThenKeys(halfLife);
    ThenTouch(CAddSourceDlg::kIdSerial);
    ThenType(serial);
    ThenTouch(CAddSourceDlg::kIdActivity);
    ThenKeys(activity);
    ThenTouch(CAddSourceDlg::kIdUnits);
    ThenTapText(unit);
    ThenCheck([](fw::Window* top) {
        EXPECT_FALSE(dynamic_cast<CAddSourceDlg*>(top)->OkEnabled()) << "no date yet";
    });
    ThenTouch(CAddSourceDlg::kIdOk);  // not taken while disabled
    ThenTouch(CAddSourceDlg::kIdDate);
    ThenPickDate(0, 0, yearStep);
}

}  // namespace library_test
