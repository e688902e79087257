#pragma once
// The one-channel screen on a headless panel: the screen fixture with a known input current,
// readings by the tenth of a second, the chamber library the picker lists, and the keypad
// and picker steps its controls lead to.
#include <string>

#include "controls/CNumKeypadDlg.h"
#include "fw/Resources.h"
#include "screens/CChamberListDlg.h"
#include "screens/COneChannelView.h"
#include "store/CCLibDB.h"
#include "support/screen_fixture.h"

namespace one_channel_test {

using testing_support::FindById;
using testing_support::TouchCentreOf;

class OneChannelTest : public testing_support::ScreenFixture {
  protected:
    // Shows the screen for `channel` with both channels in `range`, as after the warm-up.
    void OpenScreen(uint8_t channel = 0, int range = 0) {
        doc->SetRange(0, range);
        doc->SetRange(1, range);
        doc->OneChannelShown = channel;
        Show<COneChannelView>();
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
    // Both channels' currents, then 20 s of readings so that the values settle.
    void Measure(double channel1Fa, double channel2Fa = 0.0) {
        InjectCurrent(0, channel1Fa);
        InjectCurrent(1, channel2Fa);
        Readings(200);
    }
    // Opens the pop-up menu of `button` and touches `item`.
    void Choose(int button, const std::string& item) {
        ThenChoose(item);
        TapControl(button);
    }

    // For the numeric keypad that will be waiting: `keys` ("-", ".", digits), then OK.
    void ThenKeypadEntry(const std::string& keys, bool repeating = false) {
        ThenDo([keys, repeating] {
            if (repeating)
                testing_support::TouchOnTop(CNumKeypadDlg::kIdRepeating);
            testing_support::PressNumKeys(keys);
        });
    }

    // For the message box that will be waiting: records its text, then touches its OK.
    void ThenAcknowledge(std::string* text) { ThenAnswer("OK", text); }

    // Stores a chamber calibration in the library the picker lists; the record stored.
    CHAMBER_CAL AddChamber(const std::string& model, const std::string& serial, int16_t mode) {
        const CHAMBER_CAL cal{.ChamberSerial = serial,
                              .ChamberModel = model,
                              .BeamIsotope = "Co-60",
                              .CoefMantissa = 5000,
                              .CoefExponent = 7,
                              .CalMode = mode};
        EXPECT_TRUE(CCLibDB().AddRecord(cal)) << serial;
        return cal;
    }
    // For the chamber picker that will be waiting: select `row` (-1: none), then touch
    // `button` (-1: none).
    void ThenPickChamber(int row, int button = CChamberListDlg::kIdOk) {
        ThenDo([row, button] {
            fw::Window* picker = fw::Loop().TopLevel();
            if (row >= 0) {
                auto* list =
                    dynamic_cast<CTouchListCtrl*>(picker->FindChild(CChamberListDlg::kIdList));
                const fw::Rect r = list->GetRect();
                const int top = r.top + row * list->RowHeight();
                TouchCentreOf(fw::Rect{r.left + 50, top, r.left + 70, top + 10});
            }
            if (button >= 0)
                TouchCentreOf(picker->FindChild(button));
        });
    }
    // Adds a rate row by "Add Measurement"; its notice closes on its own after a second.
    void AddMeasurementRow() {
        ThenDo([this] { clock->Advance(1000); });
        TapControl(COneChannelView::kIdAddMeasurement);
    }

    bool Shown(int id) { return Control(id) != nullptr && Control(id)->IsVisible(); }
    void ExpectEverythingFits() {
        for (const fw::DrawnText& t : OverflowingTexts())
            ADD_FAILURE() << "\"" << t.text << "\" does not fit its place";
    }
};

}  // namespace one_channel_test
