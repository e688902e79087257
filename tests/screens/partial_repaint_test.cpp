// What the one-channel screen hands to the panel after a change: only the rectangles that
// changed, nothing when nothing did, the whole panel for a new view, and what a closed dialog
// or menu uncovers. After each change the panel must show what a full repaint would.
#include <functional>

#include "one_channel_fixture.h"
#include "support/repaint_check.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;

TEST_F(OneChannelTest, AChangePresentsWhatChangedAndLeavesNoStalePixel) {
    // The rectangle presented last: none at all, the rate value's, some part of the panel
    // but not the whole, the whole panel, or the dialog or menu the change opened.
    enum Presented { kNothing, kRateValue, kPart, kPanel, kWhatOpened };
    fw::Rect opened;
    auto rateValue = [this] { return FindById(&View(), Ids::kIdRateValue)->GetRect(); };
    auto measure = [this](double femtoamps, int packets) {
        InjectCurrent(0, femtoamps);
        Readings(packets);
    };
    // Notes what opened, then `next` inside it.
    auto inside = [&](std::function<void()> next) {
        ThenDo([&opened, next] {
            opened = fw::Loop().TopLevel()->GetRect();
            next();
        });
    };
    const struct {
        const char* name;
        std::function<void()> change;
        Presented presented;
    } cases[] = {
        {"a new rate", [&] { measure(250.0, 200); }, kRateValue},
        {"over range: the red crosses", [&] { measure(5e9, 10); }, kRateValue},
        {"the same readings", [&] { measure(61.0, 50); }, kNothing},
        {"a collection",
         [&] {
             TapControl(Ids::kIdStartStop);
             Seconds(1);
         },
         kPart},
        {"a view switch", [&] { OpenScreen(1, 0); }, kPanel},
        {"a new rate under an open menu: the value beneath, the menu over it",
         [&] {
             inside([&] {
                 measure(250.0, 200);
                 EXPECT_EQ(script->LastPresented(), rateValue());
                 EXPECT_EQ(testing_support::DifferenceFromFullRepaint(), "") << "menu open";
                 TouchCentreOf(fw::Rect{480, 380, 520, 420});  // beside: closed unchosen
             });
             TapControl(Ids::kIdBias);
         },
         kWhatOpened},
        {"a row's notice closing on its own",
         [&] {
             inside([this] { clock->Advance(1000); });
             TapControl(Ids::kIdAddMeasurement);
         },
         kWhatOpened},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenScreen(0, 0);
        doc->AutoDataCapture = 1;
        measure(61.0, 200);
        fw::Loop().RepaintNow();
        const int frames = script->Frames();
        c.change();
        fw::Loop().ProcessReady();
        EXPECT_EQ(script->Frames() > frames, c.presented != kNothing);
        const fw::Rect last = script->LastPresented();
        if (c.presented == kPart) {
            EXPECT_TRUE(!last.IsEmpty() && last != fw::kScreenRect);
        } else if (c.presented != kNothing) {
            const fw::Rect expected = c.presented == kRateValue ? rateValue()
                                      : c.presented == kPanel   ? fw::kScreenRect
                                                                : opened;
            EXPECT_EQ(last, expected);
        }
        EXPECT_EQ(testing_support::DifferenceFromFullRepaint(), "");
        Restart();
    }
}

}  // namespace
}  // namespace one_channel_test
