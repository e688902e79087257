// The numeric and text keypads driven by taps on their keys, as an operator would, with the
// entry read from the display the panel draws.
#include "controls/CKeypadDlg.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/ControlColors.h"
#include "controls/NumberEntry.h"
#include "controls_fixture.h"

namespace {

struct Entry {
    const char* what;
    const char* preset;
    std::vector<std::string> keys;  // the last one answers (OK, Enter or Cancel)
    const char* shownBeforeTheAnswer;
    const char* entry;  // nullptr: cancelled
};

class KeypadTest : public controls_test::ControlsTest {
  protected:
    // Plays `c` on `keypad`: "<bs>" taps the backspace key (it has no caption), "'c" types
    // the character c as a hardware keyboard would, anything else taps the key so captioned.
    template <class Keypad>
    void Play(Keypad& keypad, const Entry& c, const std::string& unit = "") {
        keypad.SetEntryText(c.preset);
        for (size_t i = 0; i + 1 < c.keys.size(); ++i) {
            const std::string& k = c.keys[i];
            if (k == "<bs>") {
                ThenDo([&keypad] {
                    const fw::Rect r = keypad.FindChild(Keypad::kIdBackspace)->GetRect();
                    const fw::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
                    fw::Loop().InjectTouch({fw::TouchKind::Down, p});
                    fw::Loop().InjectTouch({fw::TouchKind::Up, p});
                });
            } else if (k.size() == 2 && k[0] == '\'') {
                ThenDo([&keypad, ch = k[1]] { keypad.OnChar(ch); });
            } else {
                ThenTapText(k);
            }
        }
        ThenExpectShown(c.shownBeforeTheAnswer + unit);
        ThenTapText(c.keys.back());
        EXPECT_EQ(keypad.DoModal(), c.entry ? fw::kIdOk : fw::kIdCancel);
        if (c.entry) {
            EXPECT_EQ(keypad.EntryText(), c.entry);
        }
        EXPECT_TRUE(script->ScriptEmpty());
    }
};

TEST_F(KeypadTest, NumericKeypadEntries) {
    struct Case {
        int decimals, maxLength;
        bool signKey, quickValues;
        Entry entry;
    };
    // clang-format off
    const Case cases[] = {
        {2, 9, true, false, {"the first key replaces the preset", "300", {"5", "0", "OK"}, "50", "50"}},
        {1, 9, true, false, {"one decimal refuses a second digit and point", "0",
            {"1", "2", ".", "3", "4", ".", "OK"}, "12.3", "12.3"}},
        {0, 9, true, false, {"no decimals ignores the point key and a typed point", "300",
            {".", "1", "2", "'.", "5", "OK"}, "125", "125"}},
        {2, 9, true, false, {"the sign key toggles", "0", {"1", "2", "+/-", "+/-", "+/-", "OK"}, "-12", "-12"}},
        {2, 5, true, false, {"at the length limit only backspace acts, the sign key neither", "0",
            {"1", "0", "0", "0", "+/-", "7", "+/-", "<bs>", "OK"}, "-100", "-100"}},
        {2, 9, false, false, {"sign key off ignores a typed minus", "5", {"8", "'-", "OK"}, "8", "8"}},
        {2, 9, true, false, {"backspace first empties the preset", "300", {"<bs>", "OK"}, "", ""}},
        {2, 9, true, false, {"clear empties the entry", "300", {"C", "2", "OK"}, "2", "2"}},
        {2, 9, true, true, {"a quick value then a digit appends", "60", {"150", "5", "OK"}, "1505", "1505"}},
        {2, 9, true, false, {"cancel answers nothing", "300", {"9", "Cancel"}, "9", nullptr}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.what);
        CNumKeypadDlg keypad;
        keypad.SetTitleText("Enter Bias Value");
        keypad.SetUnitText("Volts");
        keypad.SetDecimals(c.decimals);
        keypad.SetMaxLength(c.maxLength);
        keypad.SetSignKey(c.signKey);
        keypad.SetQuickValues(c.quickValues);
        ThenExpectShown("Enter Bias Value");
        ThenExpectShown(std::string(c.entry.preset) + " Volts");
        ThenDo([&] {
            EXPECT_EQ(keypad.FindChild(CNumKeypadDlg::kIdPoint)->IsEnabled(), c.decimals > 0);
            EXPECT_EQ(keypad.FindChild(CNumKeypadDlg::kIdSign)->IsEnabled(), c.signKey);
            EXPECT_EQ(ScreenHasText("450"), c.quickValues) << "quick values only when asked";
            EXPECT_FALSE(ScreenHasText("Single")) << "repeat choice only when asked";
            if (c.decimals == 0) {
                EXPECT_EQ(FindText(".")->color, controls::kDisabled) << "a disabled key is grey";
                Picture("keypad-bias");
            }
        });
        Play(keypad, c.entry, " Volts");
    }
}

TEST_F(KeypadTest, NumericRepeatChoiceIsMarkedAndAnswered) {
    CNumKeypadDlg keypad;
    keypad.SetTitleText("Enter Collection Time");
    keypad.SetUnitText("Secs");
    keypad.SetQuickValues(true);
    keypad.SetShowRepeatChoice(true);
    keypad.SetRepeatChoice(0);
    auto* single = static_cast<CBttn*>(keypad.FindChild(CNumKeypadDlg::kIdSingle));
    auto* repeating = static_cast<CBttn*>(keypad.FindChild(CNumKeypadDlg::kIdRepeating));
    ThenPicture("keypad-number");
    ThenDo([&] { EXPECT_TRUE(single->IsMarked() && !repeating->IsMarked()); });
    ThenTapText("Repeating");
    ThenTapText("Repeating");  // touching the marked choice again keeps it
    ThenDo([&] { EXPECT_TRUE(!single->IsMarked() && repeating->IsMarked()); });
    Play(keypad, {"", "300", {"OK"}, "300", "300"}, " Secs");
    EXPECT_EQ(keypad.RepeatChoice(), 1);
}

TEST_F(KeypadTest, NumbersOutsideTheirLimitsAreRefusedWithAnOkOnlyBox) {
    struct Case {
        std::vector<std::string> keys;
        bool refused;
        std::optional<double> value;
    };
    const Case cases[] = {
        {{"9", "0", "0", "OK"}, true, std::nullopt},
        {{"+/-", "OK"}, true, std::nullopt},  // a sign alone is no number
        {{"2", "5", "0", "+/-", "OK"}, false, -250},
        {{"9", "9", "9", "9", "Cancel"}, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.front() + c.keys.back());
        NumberRequest request;
        request.title = "Enter Bias Value";
        request.unit = "Volts";
        request.preset = "300";
        request.minimum = -500;
        request.maximum = 500;
        request.decimals = 0;
        for (const std::string& k : c.keys)
            ThenTapText(k);
        if (c.refused) {
            ThenDo([&] {
                EXPECT_TRUE(ScreenHasText("Invalid value."));
                EXPECT_FALSE(ScreenHasText("Cancel") || ScreenHasText("Yes")) << "OK alone";
            });
            ThenTapText("OK");
        }
        const int starvedBefore = fw::Loop().StarvedModalLoops();
        EXPECT_EQ(AskForNumber(request), c.value);
        EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedBefore) << "a box waited for an answer";
        EXPECT_TRUE(script->ScriptEmpty());
    }
}

TEST_F(KeypadTest, AlphaKeypadEntries) {
    // clang-format off
    const std::pair<int, Entry> cases[] = {
        {40, {"keys add to the preset", "Cs", {"1", "Enter"}, "Cs1_", "Cs1"}},
        {40, {"cancel answers nothing", "abc", {"Shift", "Cancel"}, "abc_", nullptr}},
        {4, {"at the length limit letters are refused, backspace removes the last", "abcd",
            {"e", "Space", "<bs>", "x", "Enter"}, "abcx_", "abcx"}},
        {40, {"typed hyphen, slashes and colon are ignored, the signs on the keys taken", "",
            {"'a", "'-", "'b", "'/", "'c", "'\\", "'d", "':", "#", "%", ",", ".", "Space", "' ", "'\b",
             "Enter"}, "abcd#%,. _", "abcd#%,. "}},
        {40, {"shift gives capitals until touched again", "", {"Shift", "A", "B", "Shift", "c", "Enter"},
            "ABc_", "ABc"}},
        {40, {"clear empties the entry", "Untitled3", {"Clear", "r", "u", "n", "Enter"}, "run_", "run"}},
    };
    // clang-format on
    CKeypadDlg keypad;  // one keypad for all: shift must be off each time it starts
    keypad.SetTitleText("Enter Source Name");
    for (const auto& [maxLength, entry] : cases) {
        SCOPED_TRACE(entry.what);
        keypad.SetMaxLength(maxLength);
        ThenDo(
            [&] { EXPECT_TRUE(!keypad.ShiftOn() && ScreenHasText("q") && !ScreenHasText("Q")); });
        Play(keypad, entry);
    }
}

TEST_F(KeypadTest, AlphaShiftRelabelsEveryLetterAndALongEntryShowsItsEnd) {
    CKeypadDlg keypad;
    keypad.SetTitleText("Enter Source Name");
    keypad.SetEntryText(std::string(60, 'w'));
    ThenPicture("keypad-alpha");
    ThenTapText("Shift");
    ThenDo([&] { EXPECT_TRUE(ScreenHasText("A") && !ScreenHasText("a")) << "every letter"; });
    ThenPicture("keypad-alpha-shift");
    ThenTapText("Z");
    ThenDo([&] {
        bool endShown = false;
        for (const auto& t : Texts())
            endShown = endShown || (t.text.size() > 2 && t.text.substr(t.text.size() - 2) == "Z_");
        EXPECT_TRUE(endShown) << "the last typed character is visible";
    });
    ThenTapText("Cancel");
    keypad.DoModal();
}

}  // namespace
