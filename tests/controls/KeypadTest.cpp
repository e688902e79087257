// The numeric and text keypads driven by taps on their keys, as an operator would, with the
// entry read from the display the panel draws.
#include <gmock/gmock.h>

#include "ControlsFixture.h"
#include "controls/CKeypadDlg.h"
#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/ControlColors.h"
#include "controls/NumberEntry.h"

namespace {

using controls_test::ControlsTest;
using ::testing::Contains;
using ::testing::Not;

class KeypadTest : public ControlsTest {
  protected:
    // Taps the keys whose captions are `keys`, one character each.
    void ThenTapKeys(const std::string& keys) {
        for (char c : keys)
            ThenTapText(std::string(1, c));
    }
    // Taps the middle of a control found by id in `dialog` (keys without a caption).
    void ThenTapControl(fw::Window& dialog, int id) {
        ThenDo([&dialog, id] {
            fw::Window* w = dialog.FindChild(id);
            ASSERT_NE(w, nullptr) << "no control " << id;
            const fw::Rect r = w->GetRect();
            const fw::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            fw::Loop().InjectTouch({fw::TouchKind::Down, p});
            fw::Loop().InjectTouch({fw::TouchKind::Up, p});
        });
    }
    // Expects the panel to show `text` now (in the middle of a modal run).
    void ThenExpectShown(const std::string& text) {
        ThenDo([this, text] { EXPECT_TRUE(ScreenHasText(text)) << "\"" << text << "\" not shown"; });
    }
    void TearDown() override {
        EXPECT_TRUE(script->ScriptEmpty()) << "steps left over: a dialog closed too early";
        ControlsTest::TearDown();
    }
};

// ---- numeric keypad -------------------------------------------------------------------------

TEST_F(KeypadTest, NumericFirstKeyReplacesThePresetAndTheNextExtends) {
    CNumKeypadDlg keypad;
    keypad.SetTitleText("Enter Collection Time");
    keypad.SetEntryText("300");
    keypad.SetUnitText("Secs");
    ThenExpectShown("Enter Collection Time");
    ThenExpectShown("300 Secs");
    ThenTapText("5");
    ThenExpectShown("5 Secs");
    ThenTapText("0");
    ThenExpectShown("50 Secs");
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "50");
}

TEST_F(KeypadTest, NumericOneDecimalRefusesASecondDigitAfterThePoint) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("0");
    keypad.SetUnitText("Volts");
    keypad.SetDecimals(1);
    ThenTapKeys("12.3");
    ThenExpectShown("12.3 Volts");
    ThenTapText("4");
    ThenExpectShown("12.3 Volts");
    ThenTapText(".");  // a second point is refused too
    ThenExpectShown("12.3 Volts");
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "12.3");
}

TEST_F(KeypadTest, NumericNoDecimalsDisablesThePointAndIgnoresATypedOne) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("300");
    keypad.SetUnitText("Volts");
    keypad.SetDecimals(0);
    ThenDo([&] {
        fw::Window* point = keypad.FindChild(CNumKeypadDlg::kIdPoint);
        ASSERT_NE(point, nullptr);
        EXPECT_FALSE(point->IsEnabled());
        auto shown = FindText(".");
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->color, controls::kDisabled) << "the disabled key is drawn grey";
    });
    ThenTapText(".");  // a tap on the disabled key does nothing
    ThenExpectShown("300 Volts");
    ThenTapKeys("12");
    ThenDo([&] { keypad.OnChar('.'); });
    ThenTapText("5");
    ThenExpectShown("125 Volts");
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "125");
}

TEST_F(KeypadTest, NumericSignKeyTogglesTheSign) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("0");
    keypad.SetUnitText("Volts");
    ThenTapKeys("12");
    ThenTapText("+/-");
    ThenExpectShown("-12 Volts");
    ThenTapText("+/-");
    ThenExpectShown("12 Volts");
    ThenTapText("Cancel");
    EXPECT_EQ(keypad.DoModal(), fw::kIdCancel);
}

TEST_F(KeypadTest, NumericAtMaxLengthOnlyBackspaceActs) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("0");
    keypad.SetUnitText("Volts");
    keypad.SetMaxLength(5);
    ThenTapKeys("1000");
    ThenTapText("+/-");
    ThenExpectShown("-1000 Volts");
    ThenTapText("7");
    ThenExpectShown("-1000 Volts");
    ThenTapText("+/-");  // the sign key too acts only below MaxLength
    ThenExpectShown("-1000 Volts");
    ThenTapControl(keypad, CNumKeypadDlg::kIdBackspace);
    ThenExpectShown("-100 Volts");
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "-100");
}

TEST_F(KeypadTest, NumericSignKeyOffDisablesItAndIgnoresATypedMinus) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("5");
    keypad.SetUnitText("Collections");
    keypad.SetSignKey(false);
    ThenDo([&] { EXPECT_FALSE(keypad.FindChild(CNumKeypadDlg::kIdSign)->IsEnabled()); });
    ThenTapText("8");
    ThenDo([&] { keypad.OnChar('-'); });
    ThenExpectShown("8 Collections");
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "8");
}

TEST_F(KeypadTest, NumericBackspaceFirstEmptiesThePreset) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("300");
    keypad.SetUnitText("Secs");
    ThenTapControl(keypad, CNumKeypadDlg::kIdBackspace);
    ThenDo([&] {
        EXPECT_TRUE(ScreenHasText(" Secs")) << "only a blank and the unit";
        EXPECT_FALSE(ScreenHasText("30 Secs"));
        EXPECT_EQ(keypad.EntryText(), "");
    });
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "");
}

TEST_F(KeypadTest, NumericQuickValueThenDigitAppends) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("60");
    keypad.SetUnitText("Secs");
    keypad.SetQuickValues(true);
    ThenTapText("150");
    ThenExpectShown("150 Secs");
    ThenTapText("5");
    ThenExpectShown("1505 Secs");
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "1505");
}

TEST_F(KeypadTest, NumericQuickValuesHiddenUnlessAsked) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("60");
    keypad.SetUnitText("Secs");
    ThenDo([&] {
        auto texts = TextsShown();
        EXPECT_THAT(texts, Not(Contains("150")));
        EXPECT_THAT(texts, Not(Contains("450")));
        EXPECT_THAT(texts, Not(Contains("Single")));
    });
    ThenTapText("Cancel");
    keypad.DoModal();
}

TEST_F(KeypadTest, NumericClearKeepsTheFirstKeyDone) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("300");
    keypad.SetUnitText("Secs");
    ThenTapText("C");
    ThenExpectShown(" Secs");
    ThenDo([&] { EXPECT_FALSE(keypad.FirstKeyDone()); });
    ThenTapText("2");
    ThenExpectShown("2 Secs");
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "2");
}

TEST_F(KeypadTest, NumericRepeatChoiceIsMarkedAndAnswered) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("30");
    keypad.SetUnitText("Secs");
    keypad.SetShowRepeatChoice(true);
    keypad.SetRepeatChoice(0);
    auto* single = static_cast<CBttn*>(keypad.FindChild(CNumKeypadDlg::kIdSingle));
    auto* repeating = static_cast<CBttn*>(keypad.FindChild(CNumKeypadDlg::kIdRepeating));
    ThenDo([&] {
        EXPECT_TRUE(single->IsMarked());
        EXPECT_FALSE(repeating->IsMarked());
    });
    ThenTapText("Repeating");
    ThenDo([&] {
        EXPECT_FALSE(single->IsMarked());
        EXPECT_TRUE(repeating->IsMarked());
    });
    ThenTapText("Repeating");  // touching the marked choice again keeps it
    ThenDo([&] { EXPECT_TRUE(repeating->IsMarked()); });
    ThenTapText("OK");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.RepeatChoice(), 1);
}

TEST_F(KeypadTest, NumericCancelAnswersNothing) {
    CNumKeypadDlg keypad;
    keypad.SetEntryText("300");
    keypad.SetUnitText("Secs");
    ThenTapText("Cancel");
    EXPECT_EQ(keypad.DoModal(), fw::kIdCancel);
}

// ---- numbers with limits --------------------------------------------------------------------

TEST_F(KeypadTest, NumberOutsideItsLimitsIsRefusedWithAnOkOnlyBoxAndTheOldValueStays) {
    double bias = 300;
    NumberRequest request;
    request.title = "Enter Bias Value";
    request.unit = "Volts";
    request.preset = "300";
    request.minimum = -500;
    request.maximum = 500;
    request.decimals = 0;
    ThenTapKeys("900");
    ThenTapText("OK");
    ThenDo([&] {
        auto texts = TextsShown();
        EXPECT_THAT(texts, Contains("Invalid value."));
        EXPECT_THAT(texts, Contains("OK"));
        EXPECT_THAT(texts, Not(Contains("Cancel"))) << "the refusal has OK alone";
        EXPECT_THAT(texts, Not(Contains("Yes")));
    });
    ThenTapText("OK");
    if (auto value = AskForNumber(request))
        bias = *value;
    EXPECT_EQ(bias, 300);
}

TEST_F(KeypadTest, NumberWithinItsLimitsIsTaken) {
    NumberRequest request;
    request.title = "Enter Bias Value";
    request.unit = "Volts";
    request.preset = "300";
    request.minimum = -500;
    request.maximum = 500;
    ThenTapKeys("250");
    ThenTapText("+/-");
    ThenTapText("OK");
    auto value = AskForNumber(request);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, -250);
}

TEST_F(KeypadTest, NumberCancelledReturnsNothingAndShowsNoBox) {
    NumberRequest request;
    request.title = "Enter Bias Value";
    request.preset = "300";
    request.minimum = 0;
    request.maximum = 500;
    ThenTapKeys("9999");
    ThenTapText("Cancel");
    const int starvedBefore = fw::Loop().StarvedModalLoops();
    EXPECT_FALSE(AskForNumber(request).has_value());
    EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedBefore)
        << "no message box waited for an answer";
}

TEST_F(KeypadTest, NumberThatIsOnlyASignIsRefused) {
    NumberRequest request;
    request.preset = "3";
    request.minimum = -10;
    request.maximum = 10;
    ThenTapText("+/-");
    ThenTapText("OK");
    ThenExpectShown("OK");
    ThenTapText("OK");  // the refusal
    EXPECT_FALSE(AskForNumber(request).has_value());
}

// ---- alphanumeric keypad --------------------------------------------------------------------

TEST_F(KeypadTest, AlphaFirstKeyAddsToThePresetWithACursor) {
    CKeypadDlg keypad;
    keypad.SetTitleText("Enter Source Name");
    keypad.SetEntryText("Cs");
    ThenExpectShown("Enter Source Name");
    ThenExpectShown("Cs_");
    ThenTapText("1");
    ThenExpectShown("Cs1_");
    ThenTapText("Enter");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "Cs1");
}

TEST_F(KeypadTest, AlphaAtMaxLengthRefusesLettersAndBackspaceRemovesTheLast) {
    CKeypadDlg keypad;
    keypad.SetMaxLength(4);
    keypad.SetEntryText("abcd");
    ThenTapText("e");
    ThenTapText("Space");
    ThenExpectShown("abcd_");
    ThenTapControl(keypad, CKeypadDlg::kIdBackspace);
    ThenExpectShown("abc_");
    ThenTapText("x");
    ThenExpectShown("abcx_");
    ThenTapText("Enter");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "abcx");
}

TEST_F(KeypadTest, AlphaIgnoresTypedHyphenAndSlashButTakesTheAcceptedSigns) {
    CKeypadDlg keypad;
    ThenDo([&] {
        for (char c : std::string("a-b/c\\d:"))
            keypad.OnChar(c);
    });
    ThenExpectShown("abcd_");
    ThenTapText("#");
    ThenTapText("%");
    ThenTapText(",");
    ThenTapText(".");
    ThenTapText("Space");
    ThenDo([&] { keypad.OnChar(' '); });
    ThenExpectShown("abcd#%,.  _");
    ThenDo([&] { keypad.OnChar('\b'); });
    ThenExpectShown("abcd#%,. _");
    ThenTapText("Enter");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "abcd#%,. ");
}

TEST_F(KeypadTest, AlphaShiftGivesCapitalsUntilTouchedAgain) {
    CKeypadDlg keypad;
    ThenDo([&] { EXPECT_TRUE(ScreenHasText("a")); });
    ThenTapText("Shift");
    ThenDo([&] {
        EXPECT_TRUE(keypad.ShiftOn());
        EXPECT_TRUE(ScreenHasText("A"));
        EXPECT_FALSE(ScreenHasText("a")) << "every letter key is relabelled";
    });
    ThenTapText("A");
    ThenTapText("B");
    ThenExpectShown("AB_");
    ThenTapText("Shift");
    ThenTapText("c");
    ThenExpectShown("ABc_");
    ThenTapText("Enter");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "ABc");
}

TEST_F(KeypadTest, AlphaShiftIsOffEachTimeTheKeypadStarts) {
    CKeypadDlg keypad;
    ThenTapText("Shift");
    ThenTapText("Cancel");
    keypad.DoModal();
    ThenDo([&] {
        EXPECT_FALSE(keypad.ShiftOn());
        EXPECT_TRUE(ScreenHasText("q"));
    });
    ThenTapText("Cancel");
    keypad.DoModal();
}

TEST_F(KeypadTest, AlphaClearEmptiesTheEntry) {
    CKeypadDlg keypad;
    keypad.SetEntryText("Untitled3");
    ThenTapText("Clear");
    ThenExpectShown("_");
    ThenTapKeys("run");
    ThenTapText("Enter");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.EntryText(), "run");
}

TEST_F(KeypadTest, AlphaCancelAnswersNothing) {
    CKeypadDlg keypad;
    keypad.SetEntryText("abc");
    ThenTapText("Cancel");
    EXPECT_EQ(keypad.DoModal(), fw::kIdCancel);
}

TEST_F(KeypadTest, AlphaLongEntryShowsItsEndInTheDisplay) {
    CKeypadDlg keypad;
    keypad.SetEntryText(std::string(60, 'w'));
    ThenTapText("z");
    ThenDo([&] {
        EXPECT_TRUE(OverflowingTexts().empty()) << "the entry stays inside its display";
        bool endShown = false;
        for (const auto& t : Texts())
            endShown = endShown || (t.text.size() > 2 && t.text.substr(t.text.size() - 2) == "z_");
        EXPECT_TRUE(endShown) << "the last typed character is visible";
    });
    ThenTapText("Cancel");
    keypad.DoModal();
}

}  // namespace
