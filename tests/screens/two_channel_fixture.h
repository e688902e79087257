#pragma once
// The two-channel screen on a headless panel, with the one-channel fixture's board, keypad
// and message-box helpers: an operator's taps on either channel's controls, the ratio column
// and the six tab pages.
#include <string>

#include "one_channel_fixture.h"
#include "screens/CTwoChannelView.h"

namespace two_channel_test {

using one_channel_test::TouchCentreOf;
using Ids = CTwoChannelView;
using Ratio = CRatioColumn;

// Calibration modes: a dose in "Gy" (two under different string ids), an exposure in "R",
// a source strength from the current; -1: no chamber.
constexpr int16_t kGyMode = 8, kOtherGyMode = 10, kRoentgenMode = 9;
constexpr int16_t kStrengthMode = 1, kNoChamber = -1;

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
    fw::Rect RectOf(int id) { return Control(id) ? Control(id)->GetRect() : fw::Rect{}; }
    void ShowTab(int page) {
        TouchCentreOf(Screen().Tabs().TabRect(page));
        fw::Loop().ProcessReady();
    }
    // A chamber of `mode` stored and applied on `ch` as the set-up page would (kNoChamber:
    // the channel's chamber dropped).
    void Calibrate(uint8_t ch, int16_t mode) {
        if (mode == kNoChamber) {
            doc->DropChamber(ch);
        } else {
            CHAMBER_CAL cal = AddChamber("FC65-G", std::to_string(1000 + chambers_++), mode);
            int index = -1;
            ASSERT_TRUE(CCLibDB().FindCalibration(cal, index));
            doc->ResolveChamberSelections();  // positions may have shifted
            ASSERT_TRUE(doc->SelectChamber(ch, index));
            doc->Channel[ch].SystemFactor = 1;
            doc->ApplyChamber(ch);
        }
        doc->UpdateAllViews(kHintChamber);
        fw::Loop().ProcessReady();
    }
    // Values as the board would leave them, without the board's noise.
    void SetRates(double fa1, double fa2) {
        doc->Filter.Chan[0].Rate = fa1;
        doc->Filter.Chan[1].Rate = fa2;
        doc->UpdateAllViews(kHintNewRates);
    }
    // The colour `text` is drawn in inside the control `id`.
    fw::Color ColorIn(int id, const std::string& text) {
        for (const fw::DrawnText& t : Texts()) {
            if (t.text == text && RectOf(id).Contains(t.box))
                return t.color;
        }
        ADD_FAILURE() << "\"" << text << "\" not drawn in control " << id;
        return fw::Color::Rgb(1, 2, 3);
    }

  private:
    int chambers_ = 0;  // for serial numbers of their own
};

}  // namespace two_channel_test
