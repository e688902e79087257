#pragma once
// The two-channel screen on a headless panel, with the one-channel fixture's board, keypad
// and message-box helpers: an operator's taps on either channel's controls, the ratio column
// and the six tab pages.
#include <string>

#include "one_channel_fixture.h"
#include "screens/CChamberListDlg.h"
#include "screens/CTwoChannelView.h"
#include "store/CCLibDB.h"

namespace two_channel_test {

using one_channel_test::FindById;
using one_channel_test::TouchCentreOf;
using Ids = CTwoChannelView;

// Calibration modes: a dose in "Gy" (two under different string ids), an exposure in "R",
// a source strength from the current and an activity from the current.
constexpr int16_t kGyMode = 8;
constexpr int16_t kOtherGyMode = 10;
constexpr int16_t kRoentgenMode = 9;
constexpr int16_t kStrengthMode = 1;
constexpr int16_t kActivityMode = 3;

class TwoChannelTest : public one_channel_test::OneChannelTest {
  protected:
    // Shows the two-channel screen with channel 1 in `range1` and channel 2 in `range2`.
    void OpenTwoChannels(int range1 = 0, int range2 = 0) {
        doc->SetRange(0, range1);
        doc->SetRange(1, range2);
        frame->SwitchToView(std::make_unique<CTwoChannelView>());
        fw::Loop().ProcessReady();
        board->sent.clear();
    }
    CTwoChannelView& Screen() { return *static_cast<CTwoChannelView*>(frame->ActiveView()); }
    fw::Window* Control(int id) { return FindById(frame->ActiveView(), id); }

    void Touch(int id) {
        fw::Window* w = Control(id);
        ASSERT_NE(w, nullptr) << "no control " << id;
        TouchCentreOf(w);
        fw::Loop().ProcessReady();
    }
    std::string Text(int id) {
        auto* label = dynamic_cast<CLabel*>(Control(id));
        return label ? label->Text() : std::string("<no label>");
    }
    std::string Caption(int id) {
        auto* button = dynamic_cast<CBttn*>(Control(id));
        return button ? button->Caption() : std::string("<no button>");
    }
    bool Shown(int id) {
        fw::Window* w = Control(id);
        return w != nullptr && w->IsVisible();
    }
    fw::Rect RectOf(int id) {
        fw::Window* w = Control(id);
        return w ? w->GetRect() : fw::Rect{};
    }
    void ShowTab(int page) {
        const fw::Rect r = Screen().Tabs().TabRect(page);
        Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // "Add": a rate row; its notice closes on its own after a second.
    void AddRateRow() {
        script->Then([this] { clock->Advance(1000); });
        Touch(Ids::kIdAddMeasurement);
    }
    // A timed collection of `seconds`, chosen on the charge-type pop-up and its keypad.
    void ChooseTimed(int seconds) {
        script->Then([this] { TapText("Timed Collection"); });
        ThenKeypadEntry(std::to_string(seconds));
        Touch(Ids::kIdChargeType);
    }

    // A chamber of `mode` in the library, applied on `ch` as the set-up page would.
    void Calibrate(uint8_t ch, int16_t mode) {
        CHAMBER_CAL cal;
        cal.ChamberModel = "FC65-G";
        cal.ChamberSerial = std::to_string(1000 + libraryCount_);
        cal.BeamIsotope = "Co-60";
        cal.CoefMantissa = 5000;
        cal.CoefExponent = 7;
        cal.CalMode = mode;
        CCLibDB library;
        ASSERT_TRUE(library.AddRecord(cal));
        ++libraryCount_;
        doc->ResolveChamberSelections();  // positions may have shifted
        int index = -1;
        ASSERT_TRUE(library.FindCalibration(cal, index));
        ASSERT_TRUE(doc->SelectChamber(ch, index));
        doc->Channel[ch].SystemFactor = 1;
        doc->ApplyChamber(ch);
        doc->UpdateAllViews(kHintChamber);
        fw::Loop().ProcessReady();
    }
    void Uncalibrate(uint8_t ch) {
        doc->DropChamber(ch);
        doc->UpdateAllViews(kHintChamber);
        fw::Loop().ProcessReady();
    }
    // Values as the board would leave them, without streaming readings.
    void SetRates(double fa1, double fa2) {
        doc->Filter.Chan[0].Rate = fa1;
        doc->Filter.Chan[1].Rate = fa2;
        doc->UpdateAllViews(kHintNewRates);
    }
    // The colour of `text` as drawn inside the control `id`.
    fw::Color ColorIn(int id, const std::string& text) {
        const fw::Rect r = RectOf(id);
        for (const fw::DrawnText& t : Texts()) {
            if (t.text == text && t.box.left >= r.left && t.box.right <= r.right &&
                t.box.top >= r.top && t.box.bottom <= r.bottom)
                return t.color;
        }
        ADD_FAILURE() << "\"" << text << "\" not drawn in control " << id;
        return fw::colors::kWhite;
    }
    void ExpectEverythingFits() {
        for (const fw::DrawnText& t : OverflowingTexts())
            ADD_FAILURE() << "\"" << t.text << "\" does not fit its place";
    }

  private:
    int libraryCount_ = 0;
};

}  // namespace two_channel_test
