#pragma once
// The chamber library page on a headless panel: a document wired to the simulated board in
// process, a frame showing the page, the chamber store on a fresh root, and an operator's
// taps on the page, the wizard's fields and the keypads, pickers and boxes they open.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/CPopupMenu.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "library/CCWizLastDlg.h"
#include "library/CChamberLibView.h"
#include "library/CChamberWiz.h"
#include "library/CChamberWizPage.h"
#include "screens/CDatePickerDlg.h"
#include "store/CCLibDB.h"
#include "support/InProcessBoard.h"
#include "support/TempRoot.h"
#include "support/UiFixture.h"

namespace library_test {

// The first visible window with `id` below `root`, depth first (the wizard's pages share
// their button ids; only the page shown counts).
inline fw::Window* FindShown(fw::Window* root, int id) {
    if (root == nullptr || !root->IsVisible())
        return nullptr;
    for (fw::Window* child : root->Children()) {
        if (!child->IsVisible())
            continue;
        if (child->Id() == id)
            return child;
        if (fw::Window* inner = FindShown(child, id))
            return inner;
    }
    return nullptr;
}

inline void TouchCentreOf(const fw::Rect& r) {
    const fw::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    fw::Loop().InjectTouch({fw::TouchKind::Down, p});
    fw::Loop().InjectTouch({fw::TouchKind::Up, p});
}

// Touches the control `id` of the window on top (a dialog, or the frame's page).
inline void TouchOnTop(int id) {
    fw::Window* w = FindShown(fw::Loop().TopLevel(), id);
    if (w == nullptr) {
        ADD_FAILURE() << "no control " << id << " shown on top";
        return;
    }
    TouchCentreOf(w->GetRect());
}

inline std::string LabelText(fw::Window* root, int id) {
    auto* label = dynamic_cast<CLabel*>(FindShown(root, id));
    return label != nullptr ? label->Text() : std::string("<no label>");
}

// A chamber calibration as a test stores it directly.
inline CHAMBER_CAL Calibration(const std::string& model, const std::string& serial,
                               const std::string& beam = "Co-60") {
    CHAMBER_CAL cal;
    cal.ChamberModel = model;
    cal.ChamberSerial = serial;
    cal.ReportName = "R-" + serial;
    cal.ReportDate = DATE_YMD{2016, 1, 10};
    cal.CalDueDate = DATE_YMD{2018, 1, 10};
    cal.BeamIsotope = beam;
    cal.CoefMantissa = 5380;
    cal.CoefExponent = 7;
    cal.CalMode = 8;
    cal.Aion = "1.002";
    cal.Polarity = -300;
    return cal;
}

class LibraryTest : public testing_support::UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        CMsgBox::InstallAsMessageBoxHandler();
        CChamberLibView::Register();
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

    // ---- the page --------------------------------------------------------------------------
    void OpenPage() {
        frame->SwitchToView(std::make_unique<CChamberLibView>());
        fw::Loop().ProcessReady();
    }
    CChamberLibView* Page() { return dynamic_cast<CChamberLibView*>(frame->ActiveView()); }
    // A tap on the page's control `id`, handled at once (with whatever the script answers).
    void TapControl(int id) {
        fw::Window* w = FindShown(frame->ActiveView(), id);
        ASSERT_NE(w, nullptr) << "no control " << id;
        TouchCentreOf(w->GetRect());
        fw::Loop().ProcessReady();
    }
    bool ControlEnabled(int id) {
        fw::Window* w = FindShown(frame->ActiveView(), id);
        return w != nullptr && w->IsEnabled();
    }
    CTouchListCtrl& List() {
        return *dynamic_cast<CTouchListCtrl*>(FindShown(Page(), CChamberLibView::kIdList));
    }
    // Touches the list row `row` (scrolled into view first).
    void TapRow(int row) {
        List().EnsureVisible(row);
        const fw::Rect r = List().GetRect();
        const int y = r.top + (row - List().TopIndex()) * List().RowHeight() + 5;
        Tap(r.left + 60, y);
    }
    std::vector<std::string> Serials() {
        std::vector<std::string> serials;
        for (int row = 0; row < List().GetItemCount(); ++row)
            serials.push_back(List().GetItemText(row, 1));
        return serials;
    }
    std::string Detail(int index) {
        return LabelText(Page(), CChamberLibView::kDetailValueIds[index]);
    }
    static void Store(const CHAMBER_CAL& cal) {
        CCLibDB library;
        ASSERT_TRUE(library.AddRecord(cal));
    }
    static std::vector<CHAMBER_CAL> Stored() {
        std::vector<std::optional<CHAMBER_CAL>> all;
        CCLibDB library;
        EXPECT_TRUE(library.GetAllRecords(all));
        std::vector<CHAMBER_CAL> out;
        for (auto& cal : all)
            out.push_back(cal.value_or(CHAMBER_CAL{}));
        return out;
    }

    // ---- script steps for the dialogs that will be waiting ---------------------------------
    void ThenTouch(int id) {
        script->Then([id] { TouchOnTop(id); });
    }
    // The alphanumeric keypad: clears its preset, types `text` on its keys, then Enter. One
    // key a step, so each step sees the keypad as the previous key left it (Shift).
    void ThenType(const std::string& text) {
        script->Then([] {
            ASSERT_NE(dynamic_cast<CKeypadDlg*>(fw::Loop().TopLevel()), nullptr) << "no keypad";
            TouchOnTop(CKeypadDlg::kIdClear);
        });
        for (char c : text) {
            script->Then([c] {
                if (auto* pad = dynamic_cast<CKeypadDlg*>(fw::Loop().TopLevel()))
                    TypeKey(*pad, c);
            });
        }
        ThenTouch(CKeypadDlg::kIdEnter);
    }
    // The numeric keypad: `keys` ("-", ".", digits, "q1".. not used) then OK.
    void ThenKeys(const std::string& keys) {
        script->Then([keys] {
            ASSERT_NE(dynamic_cast<CNumKeypadDlg*>(fw::Loop().TopLevel()), nullptr)
                << "no numeric keypad open";
            for (char k : keys) {
                const int id = k == '-'   ? CNumKeypadDlg::kIdSign
                               : k == '.' ? CNumKeypadDlg::kIdPoint
                                          : CNumKeypadDlg::kIdDigit0 + (k - '0');
                TouchOnTop(id);
            }
            TouchOnTop(CNumKeypadDlg::kIdOk);
        });
    }
    // The date picker: OK on the date it shows (the preset, or today).
    void ThenDateOk() { ThenTouch(CDatePickerDlg::kIdOk); }
    void ThenDateCancel() { ThenTouch(CDatePickerDlg::kIdCancel); }
    // The message box: records its text, then touches the button captioned `button`.
    void ThenAnswer(const std::string& button, std::string* text = nullptr) {
        script->Then([button, text] {
            fw::Window* box = fw::Loop().TopLevel();
            ASSERT_NE(dynamic_cast<CMsgBox*>(box), nullptr) << "no message box open";
            if (text != nullptr)
                *text = LabelText(box, CMsgBox::kIdMessage);
            for (fw::Window* child : box->Children()) {
                auto* b = dynamic_cast<CBttn*>(child);
                if (b != nullptr && b->IsVisible() && b->Caption() == button) {
                    TouchCentreOf(b->GetRect());
                    return;
                }
            }
            ADD_FAILURE() << "no button \"" << button << "\" on the box";
        });
    }
    // The coefficient-units menu: touches item `mode`.
    void ThenChooseUnit(int mode) {
        script->Then([mode] {
            CPopupMenu* menu = CPopupMenu::ActivePopup();
            ASSERT_NE(menu, nullptr) << "no menu open";
            const fw::Rect r = fw::Loop().TopLevel()->GetRect();
            const int h = menu->ItemSize().cy;
            TouchCentreOf(fw::Rect{r.left, r.top + mode * h, r.right, r.top + (mode + 1) * h});
        });
    }
    // Runs `check` against the dialog on top at this point of the script.
    void ThenCheck(std::function<void(fw::Window*)> check) {
        script->Then([check] { check(fw::Loop().TopLevel()); });
    }
    void ThenScreenshot(const std::string& name) {
        script->Then([this, name] { Screenshot(name); });
    }

    // ---- whole wizard pages ----------------------------------------------------------------
    void ThenModelSerialPage(const std::string& model, const std::string& serial);
    // Report text, report date picked at today (due date two years on), then Next.
    void ThenReportPage(const std::string& report);
    struct CalEntry {
        std::string beam;
        std::string mantissa;  // keys
        std::string exponent;  // keys
        int mode;
        std::string aion;      // keys
        std::string polarity;  // keys
    };
    void ThenCalibrationPage(const CalEntry& cal);
    void ThenFinish() { ThenTouch(CChamberWizPage::kIdNext); }

    static void TypeKey(CKeypadDlg& pad, char c);

    std::unique_ptr<testing_support::TempRoot> root;
    std::unique_ptr<CKelvarinDoc> doc;
    std::unique_ptr<testing_support::InProcessBoard> board;
    std::unique_ptr<fw::Frame> frame;
    int starvedAtStart = 0;
};

}  // namespace library_test
