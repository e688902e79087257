#pragma once
// The scintillator pages on a headless panel: a document wired to the simulated board in
// process, a frame showing the page, fresh library volumes, and an operator's taps on the
// page and on the keypads, boxes and dialogs it opens.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/CMsgBox.h"
#include "controls/CTouchListCtrl.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/View.h"
#include "store/CScintDB.h"
#include "store/CScintMeasDB.h"
#include "support/DialogSteps.h"
#include "support/InProcessBoard.h"
#include "support/TempRoot.h"
#include "support/UiFixture.h"

namespace scint_test {

using testing_support::FindShown;
using testing_support::LabelText;
using testing_support::TouchCentreOf;
using testing_support::TouchOnTop;

class ScintPageTest : public testing_support::UiFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    template <class TView>
    void OpenPage() {
        frame->SwitchToView(std::make_unique<TView>());
        fw::Loop().ProcessReady();
    }
    template <class TView>
    TView* Page() {
        return dynamic_cast<TView*>(frame->ActiveView());
    }
    fw::Window* ActiveView() { return frame->ActiveView(); }

    // Blue and green currents of the probe, in fA.
    void Probe(double blueFa, double greenFa);
    void Seconds(int seconds);
    // A timed collection of `seconds` started by a tap and run to its end.
    void CollectPoint(int seconds = 10);

    void TapControl(int id);
    bool Enabled(int id);
    std::string TextOf(int id) { return LabelText(ActiveView(), id); }
    std::string CaptionOf(int id);
    CTouchListCtrl& ListOf(int id);
    void TapRow(int listId, int row);
    std::vector<std::string> Column(int listId, int column);

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
    void ThenDo(std::function<void()> step) { script->Then(std::move(step)); }
    void ThenScreenshot(const std::string& name) {
        script->Then([this, name] { Screenshot(name); });
    }

    static std::vector<SCINT_BASELINE> StoredBaselines();
    static std::vector<SCINT_MMNT> StoredPoints(const std::string& key);

    std::unique_ptr<testing_support::TempRoot> root;
    std::unique_ptr<CKelvarinDoc> doc;
    std::unique_ptr<testing_support::InProcessBoard> board;
    std::unique_ptr<fw::Frame> frame;
    int starvedAtStart = 0;
};

}  // namespace scint_test
