#pragma once
// The one-channel screen on a headless panel: a document wired to the simulated board in
// process, a frame showing the screen, and an operator's taps on its controls, menus and
// keypads. Board commands the screen sent are read back from the in-process link.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "fw/View.h"
#include "screens/CChamberListDlg.h"
#include "screens/COneChannelView.h"
#include "store/CCLibDB.h"
#include "support/DialogSteps.h"
#include "support/InProcessBoard.h"
#include "support/TempRoot.h"
#include "support/UiFixture.h"

namespace one_channel_test {

// The first window with `id` in the tree below `root`, depth first.
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

using testing_support::TouchCentreOf;

inline void TouchCentreOf(const fw::Window* w) {
    if (w == nullptr) {
        ADD_FAILURE() << "nothing to touch there";
        return;
    }
    TouchCentreOf(w->GetRect());
}

inline void TouchCentreOf(const fw::DrawnText* t) {
    TouchCentreOf(t->extent);
}

class OneChannelTest : public testing_support::UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
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
        board.reset();
        doc.reset();
        root.reset();
        UiFixture::TearDown();
    }

    // Shows the screen for `channel` with both channels in `range`, as after the warm-up.
    void OpenScreen(uint8_t channel = 0, int range = 0) {
        doc->SetRange(0, range);
        doc->SetRange(1, range);
        doc->OneChannelShown = channel;
        frame->SwitchToView(std::make_unique<COneChannelView>());
        fw::Loop().ProcessReady();
        board->sent.clear();
    }
    COneChannelView& View() { return *static_cast<COneChannelView*>(frame->ActiveView()); }

    void InjectCurrent(int channel, double femtoamps) {
        boardsim::ChannelModel model;
        model.currentFa = femtoamps;
        board->Board().SetChannel(channel, model);
    }
    // Ten ADC packets make one second of the collection clock.
    void Readings(int packets) {
        board->SendAdc(packets);
        fw::Loop().ProcessReady();
    }
    void Seconds(int seconds) { Readings(10 * seconds); }

    // A tap on the control with `id`, handled at once.
    void TapControl(int id) {
        fw::Window* w = FindById(&View(), id);
        ASSERT_NE(w, nullptr) << "no control " << id;
        TouchCentreOf(w);
        fw::Loop().ProcessReady();
    }
    // For the keypad that will be waiting: `keys` ("-", ".", digits) and then OK.
    void ThenKeypadEntry(const std::string& keys, bool repeating = false) {
        script->Then([keys, repeating] {
            fw::Window* pad = fw::Loop().TopLevel();
            if (repeating)
                TouchCentreOf(pad->FindChild(CNumKeypadDlg::kIdRepeating));
            for (char k : keys) {
                int id = k == '-'   ? CNumKeypadDlg::kIdSign
                         : k == '.' ? CNumKeypadDlg::kIdPoint
                                    : CNumKeypadDlg::kIdDigit0 + (k - '0');
                TouchCentreOf(pad->FindChild(id));
            }
            TouchCentreOf(pad->FindChild(CNumKeypadDlg::kIdOk));
        });
    }
    void ThenKeypadCancel() {
        script->Then(
            [] { TouchCentreOf(fw::Loop().TopLevel()->FindChild(CNumKeypadDlg::kIdCancel)); });
    }
    // For the message box that will be waiting: records its text, then touches its OK.
    void ThenAcknowledge(std::string* text) {
        script->Then([text] {
            fw::Window* box = fw::Loop().TopLevel();
            if (auto* message = dynamic_cast<CLabel*>(box->FindChild(CMsgBox::kIdMessage)))
                *text = message->Text();
            for (fw::Window* child : box->Children()) {
                auto* button = dynamic_cast<CBttn*>(child);
                if (button != nullptr && button->IsVisible() && button->Caption() == "OK") {
                    TouchCentreOf(button);
                    return;
                }
            }
            ADD_FAILURE() << "no OK button on the box";
        });
    }

    // Stores a chamber calibration in the library the picker lists.
    void AddChamber(const std::string& model, const std::string& serial, int16_t mode) {
        CHAMBER_CAL cal;
        cal.ChamberModel = model;
        cal.ChamberSerial = serial;
        cal.BeamIsotope = "Co-60";
        cal.CoefMantissa = 5000;
        cal.CoefExponent = 7;
        cal.CalMode = mode;
        CCLibDB library;
        ASSERT_TRUE(library.AddRecord(cal));
    }
    // For the chamber picker that will be waiting: select `row` (−1: none), then `button`.
    void ThenPickChamber(int row, int button = CChamberListDlg::kIdOk) {
        script->Then([row, button] {
            fw::Window* picker = fw::Loop().TopLevel();
            if (row >= 0) {
                auto* list =
                    dynamic_cast<CTouchListCtrl*>(picker->FindChild(CChamberListDlg::kIdList));
                const fw::Rect r = list->GetRect();
                const fw::Point p{r.left + 60, r.top + row * list->RowHeight() + 5};
                fw::Loop().InjectTouch({fw::TouchKind::Down, p});
                fw::Loop().InjectTouch({fw::TouchKind::Up, p});
            }
            TouchCentreOf(picker->FindChild(button));
        });
    }
    // Adds a rate row by "Add Measurement"; its notice closes on its own after a second.
    void AddMeasurementRow() {
        script->Then([this] { clock->Advance(1000); });
        TapControl(COneChannelView::kIdAddMeasurement);
    }

    // The board commands with `code` the screen sent since the screen opened.
    std::vector<BOARD_PACKET> SentWithCode(uint8_t code) const {
        std::vector<BOARD_PACKET> out;
        for (const BOARD_PACKET& p : board->sent) {
            if (p.code == code)
                out.push_back(p);
        }
        return out;
    }
    // Marks the sound log so the next check sees only what was played afterwards.
    static void ForgetSounds() { fw::PlayResourceSound("SndNotify"); }
    static std::string LastSound() { return fw::LastPlayedSound(); }

    std::string TextOf(int id) {
        auto* label = dynamic_cast<CLabel*>(FindById(&View(), id));
        return label ? label->Text() : std::string("<no label>");
    }
    std::string CaptionOf(int id) {
        auto* button = dynamic_cast<CBttn*>(FindById(&View(), id));
        return button ? button->Caption() : std::string("<no button>");
    }

    std::unique_ptr<testing_support::TempRoot> root;
    std::unique_ptr<CKelvarinDoc> doc;
    std::unique_ptr<testing_support::InProcessBoard> board;
    std::unique_ptr<fw::Frame> frame;
    int starvedAtStart = 0;
};

}  // namespace one_channel_test
