#include "library_fixture.h"

#include <cctype>

#include "library/CCalInfoDlg.h"
#include "library/CCalReportDlg.h"
#include "library/CModelSNDlg.h"

namespace library_test {

void LibraryTest::TypeKey(CKeypadDlg& pad, char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (std::isdigit(u)) {
        TouchOnTop(CKeypadDlg::kIdDigit0 + (c - '0'));
    } else if (std::isalpha(u)) {
        if (pad.ShiftOn() != bool(std::isupper(u)))
            TouchOnTop(CKeypadDlg::kIdShift);
        TouchOnTop(CKeypadDlg::kIdLetterA + (std::tolower(u) - 'a'));
    } else if (c == ' ') {
        TouchOnTop(CKeypadDlg::kIdSpace);
    } else {
        pad.OnChar(c);  // signs the keypad has no key for, as from an attached keyboard
    }
}

void LibraryTest::ThenModelSerialPage(const std::string& model, const std::string& serial) {
    ThenTouch(CModelSNDlg::kIdModel);
    ThenType(model);
    ThenTouch(CModelSNDlg::kIdSerial);
    ThenType(serial);
    ThenTouch(CChamberWizPage::kIdNext);
}

void LibraryTest::ThenReportPage(const std::string& report) {
    ThenTouch(CCalReportDlg::kIdReport);
    ThenType(report);
    ThenTouch(CCalReportDlg::kIdReportDate);
    ThenDateOk();
    ThenTouch(CChamberWizPage::kIdNext);
}

void LibraryTest::ThenCalibrationPage(const CalEntry& cal) {
    ThenTouch(CCalInfoDlg::kIdBeam);
    ThenType(cal.beam);
    ThenTouch(CCalInfoDlg::kIdMantissa);
    ThenKeys(cal.mantissa);
    ThenTouch(CCalInfoDlg::kIdExponent);
    ThenKeys(cal.exponent);
    ThenTouch(CCalInfoDlg::kIdUnits);
    ThenChooseUnit(cal.mode);
    ThenTouch(CCalInfoDlg::kIdAion);
    ThenKeys(cal.aion);
    ThenTouch(CCalInfoDlg::kIdPolarity);
    ThenKeys(cal.polarity);
    ThenTouch(CChamberWizPage::kIdNext);
}

}  // namespace library_test
