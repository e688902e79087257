#pragma once
// The check-source page on a headless panel: a document wired to the simulated board in
// process, a frame showing the page, a fresh flash disk, and an operator's taps on the page,
// its source dialog, the keypads, the unit menu, the date picker and the message boxes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "controls/CKeypadDlg.h"
#include "controls/CLabel.h"
#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/Paths.h"
#include "library/CAddSourceDlg.h"
#include "library/CCheckSrcView.h"
#include "screens/CDatePickerDlg.h"
#include "screens/DateColumns.h"
#include "store/CSrcDB.h"
#include "support/InProcessBoard.h"
#include "support/TempRoot.h"
#include "support/UiFixture.h"

namespace check_source_test {

inline fw::Window* FindById(fw::Window* root, int id) {
    if (root == nullptr)
        return nullptr;
    for (fw::Window* child : root->Children()) {
        if (child->Id() == id)
            return child;
        if (fw::Window* inner = FindById(child, id))
            return inner;
    }
    return nullptr;
}

inline void TouchCentreOf(const fw::Rect& r) {
    const fw::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    fw::Loop().InjectTouch({fw::TouchKind::Down, p});
    fw::Loop().InjectTouch({fw::TouchKind::Up, p});
}

// A touch on the control `id` of the window on top (a dialog or keypad).
inline void TouchOnTop(int id) {
    fw::Window* w = FindById(fw::Loop().TopLevel(), id);
    if (w == nullptr) {
        ADD_FAILURE() << "no control " << id << " on the window on top";
        return;
    }
    TouchCentreOf(w->GetRect());
}

// Runs SQL on a library volume behind the page's back, as damage or another program would.
inline void TamperVolume(std::string_view devicePath, const char* sql) {
    const std::string file = fw::MapDevicePath(devicePath).value().string();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

inline SOURCE_INFO Source(std::string serial, std::string name, const char* halfLife = "28.790",
                          const char* activity = "37.000", DATE_YMD date = {2016, 3, 14},
                          int16_t unit = 1) {
    SOURCE_INFO s;
    s.SourceSerial = std::move(serial);
    s.SourceName = std::move(name);
    s.HalfLife = halfLife;
    s.Activity = activity;
    s.ActivityDate = date;
    s.ActivityUnit = unit;
    return s;
}

class CheckSourceTest : public testing_support::UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        CMsgBox::InstallAsMessageBoxHandler();
        root = std::make_unique<testing_support::TempRoot>();
        doc = std::make_unique<CKelvarinDoc>();
        doc->PasswordProtect = 0;
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
        frame->SwitchToView(std::make_unique<CCheckSrcView>());
        fw::Loop().ProcessReady();
    }
    CCheckSrcView& View() { return *static_cast<CCheckSrcView*>(frame->ActiveView()); }
    bool PageShown() { return dynamic_cast<CCheckSrcView*>(frame->ActiveView()) != nullptr; }

    static void Store(const std::vector<SOURCE_INFO>& sources) {
        CSrcDB store;
        for (const SOURCE_INFO& s : sources)
            ASSERT_TRUE(store.AddRecord(s));
    }
    static std::vector<SOURCE_INFO> Stored() {
        std::vector<SOURCE_INFO> out;
        CSrcDB store;
        const int count = store.GetRecordCount();
        for (int i = 0; i < count; ++i) {
            SOURCE_INFO s;
            if (store.GetRecord(i, s))
                out.push_back(s);
        }
        return out;
    }
    std::vector<std::string> ListedNames() {
        std::vector<std::string> names;
        for (int row = 0; row < View().List().GetItemCount(); ++row)
            names.push_back(View().List().GetItemText(row, 0));
        return names;
    }

    // A tap on the page's control `id`, handled at once.
    void TapControl(int id) {
        fw::Window* w = FindById(&View(), id);
        ASSERT_NE(w, nullptr) << "no control " << id;
        TouchCentreOf(w->GetRect());
        fw::Loop().ProcessReady();
    }
    void SelectRow(int row) {
        CTouchListCtrl& list = View().List();
        const fw::Rect r = list.GetRect();
        const int y = r.top + (row - list.TopIndex()) * list.RowHeight() + list.RowHeight() / 2;
        ASSERT_EQ(list.RowAt({r.left + 20, y}), row);
        Tap(r.left + 20, y);
    }
    std::string TextOf(int id) {
        auto* label = dynamic_cast<CLabel*>(FindById(&View(), id));
        return label ? label->Text() : std::string("<no label>");
    }
    bool Enabled(int id) {
        fw::Window* w = FindById(&View(), id);
        return w != nullptr && w->IsEnabled();
    }

    // ---- steps for the modal loops that will be waiting --------------------------------------
    void ThenTouch(int id) {
        script->Then([id] { TouchOnTop(id); });
    }
    void ThenDo(std::function<void()> step) { script->Then(std::move(step)); }
    // Letters, digits, space and '.' on the alphanumeric keypad, then Enter.
    void ThenAlphaEntry(const std::string& text) {
        script->Then([text] {
            bool shifted = false;
            for (char c : text) {
                const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
                if (std::isalpha(static_cast<unsigned char>(c)) && upper != shifted) {
                    TouchOnTop(CKeypadDlg::kIdShift);
                    shifted = upper;
                }
                if (std::isdigit(static_cast<unsigned char>(c)))
                    TouchOnTop(CKeypadDlg::kIdDigit0 + (c - '0'));
                else if (c == ' ')
                    TouchOnTop(CKeypadDlg::kIdSpace);
                else if (c == '.')
                    TouchOnTop(CKeypadDlg::kIdPoint);
                else
                    TouchOnTop(CKeypadDlg::kIdLetterA +
                               (std::tolower(static_cast<unsigned char>(c)) - 'a'));
            }
            TouchOnTop(CKeypadDlg::kIdEnter);
        });
    }
    void ThenPassword(const std::string& digits) { ThenAlphaEntry(digits); }
    // Digits and '.' on the numeric keypad, then OK.
    void ThenNumberEntry(const std::string& keys) {
        script->Then([keys] {
            for (char k : keys)
                TouchOnTop(k == '.' ? CNumKeypadDlg::kIdPoint
                                    : CNumKeypadDlg::kIdDigit0 + (k - '0'));
            TouchOnTop(CNumKeypadDlg::kIdOk);
        });
    }
    // Steps on the date picker (column 0 day, 1 month, 2 year; +n up, -n down), then OK.
    void ThenPickDate(int dayStep, int monthStep, int yearStep) {
        script->Then([dayStep, monthStep, yearStep] {
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
    // Records the text of the message box on top and answers it with the button `caption`.
    void ThenAnswerBox(const std::string& caption, std::string* text = nullptr) {
        script->Then([caption, text] {
            fw::Window* box = fw::Loop().TopLevel();
            if (auto* message = dynamic_cast<CLabel*>(FindById(box, CMsgBox::kIdMessage))) {
                if (text != nullptr)
                    *text = message->Text();
            } else {
                ADD_FAILURE() << "no message box on top";
                return;
            }
            for (fw::Window* child : box->Children()) {
                auto* button = dynamic_cast<CBttn*>(child);
                if (button != nullptr && button->IsVisible() && button->Caption() == caption) {
                    TouchCentreOf(button->GetRect());
                    return;
                }
            }
            ADD_FAILURE() << "no button " << caption << " on the box";
        });
    }
    // Fills every field of the open source dialog by taps and leaves it with OK.
    void ThenFillNewSource(const std::string& name, const std::string& serial,
                           const std::string& halfLife, const std::string& activity,
                           const std::string& unit, int yearStep) {
        ThenTouch(CAddSourceDlg::kIdName);
        ThenAlphaEntry(name);
        ThenTouch(CAddSourceDlg::kIdHalfLife);
        ThenNumberEntry(halfLife);
        ThenTouch(CAddSourceDlg::kIdSerial);
        ThenAlphaEntry(serial);
        ThenTouch(CAddSourceDlg::kIdActivity);
        ThenNumberEntry(activity);
        ThenTouch(CAddSourceDlg::kIdUnits);
        ThenTapText(unit);
        ThenTouch(CAddSourceDlg::kIdDate);
        ThenPickDate(0, 0, yearStep);
    }

    std::unique_ptr<testing_support::TempRoot> root;
    std::unique_ptr<CKelvarinDoc> doc;
    std::unique_ptr<testing_support::InProcessBoard> board;
    std::unique_ptr<fw::Frame> frame;
    int starvedAtStart = 0;
};

}  // namespace check_source_test
