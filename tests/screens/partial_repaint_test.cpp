// What the one-channel screen hands to the panel after a change: only the rectangles that
// changed, nothing when nothing did, the whole panel for a new view, and what a closed dialog
// or menu uncovers. After each change the panel must show what a full repaint would.
#include <functional>
#include <optional>

#include "one_channel_fixture.h"
#include "support/RepaintCheck.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;

class PartialRepaintTest;

struct RepaintCase {
    const char* name;
    std::function<void(PartialRepaintTest&)> change;
    // The rectangle presented last; an empty one: nothing presented at all; none: any part
    // of the panel but not the whole of it.
    std::function<std::optional<fw::Rect>(PartialRepaintTest&)> presented;
};

void PrintTo(const RepaintCase& c, std::ostream* out) {
    *out << c.name;
}

class PartialRepaintTest : public OneChannelTest,
                           public ::testing::WithParamInterface<RepaintCase> {
  public:
    void SetUp() override {
        OneChannelTest::SetUp();
        OpenScreen(0, 0);
        doc->AutoDataCapture = 1;
        Measure(61.0, 200);
        fw::Loop().RepaintNow();
        framesBefore = script->Frames();
    }

    void Measure(double femtoamps, int packets) {
        InjectCurrent(0, femtoamps);
        Readings(packets);
    }
    void SetRateLabelAsItIs() {
        auto* label = dynamic_cast<CLabel*>(FindById(&View(), Ids::kIdRateValue));
        ASSERT_NE(label, nullptr);
        label->SetText(label->Text());
        label->SetBkColor(fw::colors::kWhite);  // channel 1's value area
        label->SetTextColor(fw::colors::kBlack);
        fw::Loop().ProcessReady();
    }
    void ShowChannelTwo() { OpenScreen(1, 0); }
    void StartTimedCollection() {
        TapControl(Ids::kIdStartStop);
        Seconds(1);
    }
    // The bias keypad covers the whole panel; cancelled, it changes nothing beneath.
    void CancelBiasKeypad() {
        script->Then([this] { TapText("Select Bias"); });
        script->Then([this] {
            opened = fw::Loop().TopLevel()->GetRect();
            TouchCentreOf(fw::Loop().TopLevel()->FindChild(CNumKeypadDlg::kIdCancel));
        });
        TapControl(Ids::kIdBias);
    }
    // A touch beside the bias menu closes it without a choice.
    void DismissBiasMenu() {
        script->Then([this] {
            opened = fw::Loop().TopLevel()->GetRect();
            TouchCentreOf(fw::Rect{480, 380, 520, 420});
        });
        TapControl(Ids::kIdBias);
    }
    // A new rate under the open bias menu repaints the value beneath it and the menu over it.
    void NewRateUnderTheBiasMenu() {
        script->Then([this] {
            opened = fw::Loop().TopLevel()->GetRect();
            Measure(250.0, 200);
            EXPECT_EQ(script->LastPresented(), RectOf(Ids::kIdRateValue));
            EXPECT_EQ(testing_support::DifferenceFromFullRepaint(), "") << "with the menu open";
            TouchCentreOf(fw::Rect{480, 380, 520, 420});
        });
        TapControl(Ids::kIdBias);
    }
    // The notice of a new row closes on its own after a second.
    void AddRowAndLetItsNoticeClose() {
        script->Then([this] {
            opened = fw::Loop().TopLevel()->GetRect();
            clock->Advance(1000);
        });
        TapControl(Ids::kIdAddMeasurement);
    }
    fw::Rect RectOf(int id) { return FindById(&View(), id)->GetRect(); }

    fw::Rect opened;  // the dialog or menu the change opened
    int framesBefore = 0;
};

const RepaintCase kCases[] = {
    {"NewRateRepaintsItsValueOnly", [](auto& t) { t.Measure(250.0, 200); },
     [](auto& t) { return t.RectOf(Ids::kIdRateValue); }},
    {"OverRangeRepaintsTheRedCrossesOnly", [](auto& t) { t.Measure(5e9, 10); },
     [](auto& t) { return t.RectOf(Ids::kIdRateValue); }},
    {"SameReadingsPresentNothing", [](auto& t) { t.Measure(61.0, 50); },
     [](auto&) { return fw::Rect{}; }},
    {"LabelSetAsItIsPresentsNothing", [](auto& t) { t.SetRateLabelAsItIs(); },
     [](auto&) { return fw::Rect{}; }},
    {"CollectionRepaintsPartOfThePanel", [](auto& t) { t.StartTimedCollection(); },
     [](auto&) { return std::nullopt; }},
    {"ViewSwitchRepaintsThePanel", [](auto& t) { t.ShowChannelTwo(); },
     [](auto&) { return fw::kScreenRect; }},
    {"ClosedKeypadRepaintsThePanel", [](auto& t) { t.CancelBiasKeypad(); },
     [](auto& t) { return t.opened; }},
    {"DismissedMenuRepaintsWhatItCovered", [](auto& t) { t.DismissBiasMenu(); },
     [](auto& t) { return t.opened; }},
    {"NewRateUnderAnOpenMenu", [](auto& t) { t.NewRateUnderTheBiasMenu(); },
     [](auto& t) { return t.opened; }},
    {"ClosedNoticeRepaintsWhatItCovered", [](auto& t) { t.AddRowAndLetItsNoticeClose(); },
     [](auto& t) { return t.opened; }},
};

TEST_P(PartialRepaintTest, PresentsWhatChangedAndLeavesNoStalePixel) {
    const RepaintCase& c = GetParam();
    c.change(*this);
    fw::Loop().ProcessReady();
    const std::optional<fw::Rect> expected = c.presented(*this);
    if (!expected) {
        EXPECT_GT(script->Frames(), framesBefore);
        EXPECT_FALSE(script->LastPresented().IsEmpty());
        EXPECT_NE(script->LastPresented(), fw::kScreenRect);
    } else if (expected->IsEmpty()) {
        EXPECT_EQ(script->Frames(), framesBefore);
    } else {
        EXPECT_GT(script->Frames(), framesBefore);
        EXPECT_EQ(script->LastPresented(), *expected);
    }
    EXPECT_EQ(testing_support::DifferenceFromFullRepaint(), "");
}

INSTANTIATE_TEST_SUITE_P(Changes, PartialRepaintTest, ::testing::ValuesIn(kCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace one_channel_test
