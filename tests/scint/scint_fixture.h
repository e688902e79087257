#pragma once
// The scintillator pages on the screen fixture: the probe's blue and green currents, timed
// collections of 10 s, the pages' lists and the scintillator stores.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "scint/BaselineCalculation.h"
#include "scint/CScintDoseValDlg.h"
#include "scint/ScintViews.h"
#include "store/CScintDB.h"
#include "store/CScintMeasDB.h"
#include "support/screen_fixture.h"

namespace scint_test {

using testing_support::TouchListRow;

// A point set written as (blue, green) pairs in pC.
inline scint::PointSet Points(std::initializer_list<std::pair<double, double>> values) {
    scint::PointSet set;
    for (auto [blue, green] : values) {
        SCINT_MMNT p;
        p.Blue = blue;
        p.Green = green;
        set.push_back(p);
    }
    return set;
}
using testing_support::TouchOnTop;

class ScintPageTest : public testing_support::ScreenFixture {
  protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        RegisterScintViews();  // as the application does at start-up
        doc->SetChargeType(0, 10);
    }
    template <class TView>
    TView* Page() {
        return dynamic_cast<TView*>(frame->ActiveView());
    }

    // Blue and green currents of the probe, in fA.
    void Probe(double blueFa, double greenFa) {
        boardsim::ChannelModel blue, green;
        blue.currentFa = blueFa;
        green.currentFa = greenFa;
        board->Board().SetChannel(0, blue);
        board->Board().SetChannel(1, green);
    }
    void Seconds(int seconds) {
        board->SendAdc(10 * seconds);
        fw::Loop().ProcessReady();
    }
    // A timed collection started by a tap and run to its end.
    void CollectPoint() {
        TapControl(1011);
        Seconds(11);
    }

    bool Enabled(int id) { return testing_support::ShownAndEnabled(frame->ActiveView(), id); }
    std::vector<std::string> Column(int listId, int column) {
        return testing_support::ListColumn(frame->ActiveView(), listId, column);
    }
    void TapRow(int listId, int row) {
        TouchListRow(frame->ActiveView(), listId, row);
        fw::Loop().ProcessReady();
    }
    void ThenTouch(int id) {
        ThenDo([id] { TouchOnTop(id); });
    }
    // The dose dialog: a dose of 2.5 cGy.
    void ThenSetDose() {
        ThenTouch(CScintDoseValDlg::kIdDose);
        ThenTouch(CScintDoseValDlg::kIdValue);
        ThenKeys("2.5");
        ThenTouch(CScintDoseValDlg::kIdUnits);
        ThenTapText("cGy");
        ThenTouch(CScintDoseValDlg::kIdOk);
    }

    static std::vector<SCINT_BASELINE> StoredBaselines() {
        std::vector<SCINT_BASELINE> all;
        CScintDB store;
        for (SCINT_BASELINE b; store.GetRecord(static_cast<int>(all.size()), b);)
            all.push_back(b);
        return all;
    }
    static std::vector<SCINT_MMNT> StoredPoints(const std::string& key) {
        std::vector<SCINT_MMNT> all;
        CScintMeasDB store;
        for (SCINT_MMNT p; store.FindNextKey(key) && store.ReadCurrent(p);)
            all.push_back(p);
        return all;
    }
};

}  // namespace scint_test
