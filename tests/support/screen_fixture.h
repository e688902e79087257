#pragma once
// The screens on a headless panel as an operator meets them: a document wired to the
// simulated board in process, a frame, a fresh instrument root, and taps on the active
// screen's controls and on the keypads, menus and boxes it opens. Every dialog a test opens
// must be answered by its script.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "board/CHWControl.h"
#include "controls/CBttn.h"
#include "controls/CMsgBox.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "screens/CKelvarinFormView.h"
#include "support/dialog_steps.h"
#include "support/in_process_board.h"
#include "support/temp_root.h"
#include "support/ui_fixture.h"
#include "support/window_search.h"

namespace testing_support {

inline void TouchCentreOf(const fw::Window* w) {
    if (w == nullptr)
        ADD_FAILURE() << "nothing to touch there";
    else
        TouchCentreOf(w->GetRect());
}

class ScreenFixture : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        CMsgBox::InstallAsMessageBoxHandler();
        board::ResetPanel();
        root = std::make_unique<TempRoot>();
        doc = std::make_unique<CKelvarinDoc>();
        board = std::make_unique<InProcessBoard>(*doc);
        frame = std::make_unique<fw::Frame>(*doc);
        starvedAtStart = fw::Loop().StarvedModalLoops();
    }
    void TearDown() override {
        EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedAtStart) << "a dialog was not answered";
        EXPECT_TRUE(script->ScriptEmpty()) << "steps left over";
        fw::Loop().RemoveTopLevel(frame.get());
        frame.reset();
        fw::Loop().ProcessReady();
        board.reset();
        doc.reset();
        root.reset();
        fw::SetMessageBoxHandler(nullptr);
        UiFixture::TearDown();
    }
    // A fresh instrument, for the next case of a table.
    void Restart() {
        TearDown();
        SetUp();
    }

    template <class TView>
    TView* Show() {
        frame->SwitchToView(std::make_unique<TView>());
        fw::Loop().ProcessReady();
        return static_cast<TView*>(frame->ActiveView());
    }
    CKelvarinFormView* Active() const {
        return dynamic_cast<CKelvarinFormView*>(frame->ActiveView());
    }
    template <class TView>
    bool ActiveIs() const {
        return dynamic_cast<TView*>(frame->ActiveView()) != nullptr;
    }
    // A board event posted to the active screen, as the board protocol does, and handled;
    // ThenPost: the same from inside a modal loop that waits for input.
    void Post(uint32_t message) {
        fw::Loop().Post(frame->ActiveView()->Handle(), message);
        fw::Loop().ProcessReady();
    }
    void ThenPost(uint32_t message) {
        script->Then([this, message] { fw::Loop().Post(frame->ActiveView()->Handle(), message); });
    }

    // The active screen's controls.
    fw::Window* Control(int id) { return FindById(frame->ActiveView(), id); }
    void TapControl(int id) {
        fw::Window* w = Control(id);
        ASSERT_NE(w, nullptr) << "no control " << id;
        TouchCentreOf(w);
        fw::Loop().ProcessReady();
    }
    std::string TextOf(int id) {
        auto* label = dynamic_cast<CLabel*>(Control(id));
        return label ? label->Text() : std::string("<no label>");
    }
    std::string CaptionOf(int id) {
        auto* button = dynamic_cast<CBttn*>(Control(id));
        return button ? button->Caption() : std::string("<no button>");
    }
    // What the document sent to the board: the codes since `from`, the commands with `code`.
    std::vector<uint8_t> SentCodes(size_t from = 0) const {
        std::vector<uint8_t> codes;
        for (size_t i = from; i < board->sent.size(); ++i)
            codes.push_back(board->sent[i].code);
        return codes;
    }
    std::vector<BOARD_PACKET> SentWithCode(uint8_t code) const {
        std::vector<BOARD_PACKET> out;
        for (const BOARD_PACKET& p : board->sent) {
            if (p.code == code)
                out.push_back(p);
        }
        return out;
    }

    std::unique_ptr<TempRoot> root;
    std::unique_ptr<CKelvarinDoc> doc;
    std::unique_ptr<InProcessBoard> board;
    std::unique_ptr<fw::Frame> frame;
    int starvedAtStart = 0;
};

}  // namespace testing_support

// Lists and controls of the library and scintillator pages, for their fixtures and for steps
// on the dialogs those pages open.
#include "controls/CTouchListCtrl.h"

namespace testing_support {

inline bool ShownAndEnabled(fw::Window* root, int id) {
    fw::Window* w = FindShown(root, id);
    return w != nullptr && w->IsEnabled();
}

inline CTouchListCtrl* ShownList(fw::Window* root, int id) {
    auto* list = dynamic_cast<CTouchListCtrl*>(FindShown(root, id));
    if (list == nullptr)
        ADD_FAILURE() << "no list " << id << " shown";
    return list;
}

// The texts of `column` in every row of list `id` below `root`.
inline std::vector<std::string> ListColumn(fw::Window* root, int id, int column) {
    std::vector<std::string> texts;
    if (CTouchListCtrl* list = ShownList(root, id)) {
        for (int row = 0; row < list->GetItemCount(); ++row)
            texts.push_back(list->GetItemText(row, column));
    }
    return texts;
}

// Touches row `row` of list `id` below `root`, scrolled into view first, `dx` pixels in
// from the list's left edge.
inline void TouchListRow(fw::Window* root, int id, int row, int dx = 40) {
    CTouchListCtrl* list = ShownList(root, id);
    if (list == nullptr)
        return;
    list->EnsureVisible(row);
    const fw::Rect r = list->GetRect();
    const int y = r.top + (row - list->TopIndex()) * list->RowHeight() + list->RowHeight() / 2;
    EXPECT_EQ(list->RowAt({r.left + dx, y}), row) << "row " << row << " not in view";
    TouchCentreOf(fw::Rect{r.left + dx, y, r.left + dx, y});
}

}  // namespace testing_support
