#pragma once
// A library page on a headless panel: a document wired to the simulated board in process, a
// frame showing the page, the library volumes on a fresh root, and an operator's taps on the
// page and on the keypads, pickers, menus and boxes it opens.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/CKelvarinDoc.h"
#include "library/CChamberLibView.h"
#include "library/CCheckSrcView.h"
#include "store/ChamberCal.h"
#include "store/SourceInfo.h"
#include "support/DialogSteps.h"
#include "support/InProcessBoard.h"
#include "support/TempRoot.h"
#include "support/UiFixture.h"

namespace library_test {

using testing_support::FindShown;
using testing_support::LabelText;
using testing_support::TouchCentreOf;
using testing_support::TouchOnTop;

// Runs SQL on a library volume behind the page's back, as damage or another program would.
void TamperVolume(std::string_view devicePath, const char* sql);

template <class TView>
class LibraryPageTest : public testing_support::UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        CMsgBox::InstallAsMessageBoxHandler();
        root = std::make_unique<testing_support::TempRoot>();
        doc = std::make_unique<CKelvarinDoc>();
        board = std::make_unique<testing_support::InProcessBoard>(*doc);
        frame = std::make_unique<fw::Frame>(*doc);
        starvedAtStart = fw::Loop().StarvedModalLoops();
    }
    void TearDown() override {
        // Every keypad, box and menu the test opened was answered by its script.
        EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedAtStart);
        EXPECT_TRUE(script->ScriptEmpty());
        fw::Loop().RemoveTopLevel(frame.get());
        frame.reset();
        fw::Loop().ProcessReady();
        board.reset();
        doc.reset();
        root.reset();
        fw::SetMessageBoxHandler(nullptr);
        UiFixture::TearDown();
    }

    void OpenPage() {
        frame->SwitchToView(std::make_unique<TView>());
        fw::Loop().ProcessReady();
    }
    bool PageShown() { return dynamic_cast<TView*>(frame->ActiveView()) != nullptr; }
    TView& View() { return *static_cast<TView*>(frame->ActiveView()); }
    CTouchListCtrl& List() {
        return *dynamic_cast<CTouchListCtrl*>(FindShown(&View(), TView::kIdList));
    }

    // A tap on the page's control `id`, handled at once (with whatever the script answers).
    void TapControl(int id) {
        fw::Window* w = FindShown(&View(), id);
        ASSERT_NE(w, nullptr) << "no control " << id;
        TouchCentreOf(w->GetRect());
        fw::Loop().ProcessReady();
    }
    bool Enabled(int id) {
        fw::Window* w = FindShown(&View(), id);
        return w != nullptr && w->IsEnabled();
    }
    std::string TextOf(int id) { return LabelText(&View(), id); }
    // Touches list row `row`, scrolled into view first.
    void SelectRow(int row) {
        CTouchListCtrl& list = List();
        list.EnsureVisible(row);
        const fw::Rect r = list.GetRect();
        const int y = r.top + (row - list.TopIndex()) * list.RowHeight() + list.RowHeight() / 2;
        ASSERT_EQ(list.RowAt({r.left + 20, y}), row);
        Tap(r.left + 20, y);
    }
    std::vector<std::string> ListColumn(int column) {
        std::vector<std::string> texts;
        for (int row = 0; row < List().GetItemCount(); ++row)
            texts.push_back(List().GetItemText(row, column));
        return texts;
    }

    // ---- steps for the modal loops that will be waiting ------------------------------------
    void ThenDo(std::function<void()> step) { script->Then(std::move(step)); }
    // Runs `check` against the window on top at this point of the script.
    void ThenCheck(std::function<void(fw::Window*)> check) {
        script->Then([check] { check(fw::Loop().TopLevel()); });
    }
    void ThenTouch(int id) {
        script->Then([id] { TouchOnTop(id); });
    }
    void ThenType(const std::string& text) {
        script->Then([text] { testing_support::TypeOnKeypad(text); });
    }
    void ThenKeys(const std::string& keys) {
        script->Then([keys] { testing_support::PressNumKeys(keys); });
    }
    void ThenAnswer(const std::string& button, std::string* text = nullptr) {
        script->Then([button, text] { testing_support::AnswerBox(button, text); });
    }
    // Steps on the date picker (day, month, year columns; +n up, -n down), then OK.
    void ThenPickDate(int dayStep, int monthStep, int yearStep);
    void ThenDateCancel();
    void ThenScreenshot(const std::string& name) {
        script->Then([this, name] { Screenshot(name); });
    }

    std::unique_ptr<testing_support::TempRoot> root;
    std::unique_ptr<CKelvarinDoc> doc;
    std::unique_ptr<testing_support::InProcessBoard> board;
    std::unique_ptr<fw::Frame> frame;
    int starvedAtStart = 0;
};

extern template class LibraryPageTest<CChamberLibView>;
extern template class LibraryPageTest<CCheckSrcView>;

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
    void ThenChooseUnit(int mode);
    void ThenFinish();
};

SOURCE_INFO Source(std::string serial, std::string name, const char* halfLife = "28.790",
                   const char* activity = "37.000", DATE_YMD date = {2016, 3, 14},
                   int16_t unit = 1);

class CheckSourceTest : public LibraryPageTest<CCheckSrcView> {
  protected:
    void SetUp() override {
        LibraryPageTest::SetUp();
        doc->PasswordProtect = 0;
    }
    static void Store(const std::vector<SOURCE_INFO>& sources);
    // The records that read, in store order.
    static std::vector<SOURCE_INFO> Stored();
    std::vector<std::string> ListedNames() { return ListColumn(0); }
    // Fills every field of the open source dialog by taps; the dialog stays open.
    void ThenFillNewSource(const std::string& name, const std::string& serial,
                           const std::string& halfLife, const std::string& activity,
                           const std::string& unit, int yearStep);
};

}  // namespace library_test
