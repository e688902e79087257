// The numeric and text keypads driven by taps on their keys, as an operator would, with the
// entry read from the display the panel draws.
#include "controls/CKeypadDlg.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/NumberEntry.h"
#include "controls_fixture.h"

namespace {

class KeypadTest : public controls_test::ControlsTest {
  protected:
    // Queues `keys` for the keypad on top: "<bs>" touches the backspace key (it has no
    // caption), "'c" types the character c as a hardware keyboard would, anything else touches
    // the key so captioned. `shown` must be the display's whole text before the last key.
    template <class Keypad>
    void ThenPlay(const std::vector<std::string>& keys, const std::string& shown) {
        for (size_t i = 0; i + 1 < keys.size(); ++i) {
            const std::string& k = keys[i];
            if (k == "<bs>")
                ThenDo([] { testing_support::TouchOnTop(Keypad::kIdBackspace); });
            else if (k.size() == 2 && k[0] == '\'')
                ThenDo([ch = k[1]] { dynamic_cast<Keypad&>(*fw::Loop().TopLevel()).OnChar(ch); });
            else
                ThenTapText(k);
        }
        ThenDo([this, shown] { EXPECT_TRUE(ScreenHasText(shown)) << "\"" << shown << "\""; });
        ThenTapText(keys.back());
    }
};

// The entry as the keys build it, then checked against the limits -2000 to 2000: a refused
// entry is told on an OK-only box naming the limits, and gives no number.
TEST_F(KeypadTest, NumericEntriesAndTheirLimits) {
    struct Case {
        const char* what;
        int decimals, maxLength;
        bool signKey, quickValues;
        const char* preset;
        std::vector<std::string> keys;  // the last one answers (OK or Cancel)
        const char* shown;              // before the answer
        std::optional<double> value;
        bool refused;
    };
    // clang-format off
    const Case cases[] = {
        {"the first key replaces the preset", 2, 9, true, false, "300", {"5", "0", "OK"}, "50", 50, false},
        {"one decimal refuses a second digit and point", 1, 9, true, false, "0",
            {"1", "2", ".", "3", "4", ".", "OK"}, "12.3", 12.3, false},
        {"no decimals ignores the point key and a typed point", 0, 9, true, false, "300",
            {".", "1", "2", "'.", "5", "OK"}, "125", 125, false},
        {"the sign key toggles", 2, 9, true, false, "0", {"1", "2", "+/-", "+/-", "+/-", "OK"}, "-12", -12, false},
        {"at the length limit only backspace acts, the sign key neither", 2, 5, true, false, "0",
            {"1", "0", "0", "0", "+/-", "7", "+/-", "<bs>", "OK"}, "-100", -100, false},
        {"sign key off ignores a typed minus", 2, 9, false, false, "5", {"8", "'-", "OK"}, "8", 8, false},
        {"backspace first empties the preset", 2, 9, true, false, "300", {"<bs>", "OK"}, "", {}, true},
        {"clear empties the entry", 2, 9, true, false, "300", {"C", "2", "OK"}, "2", 2, false},
        {"a quick value then a digit appends", 2, 9, true, true, "60", {"150", "5", "OK"}, "1505", 1505, false},
        {"cancel answers nothing", 2, 9, true, false, "300", {"9", "Cancel"}, "9", {}, false},
        {"above the maximum", 0, 9, true, false, "300", {"2", "0", "0", "1", "OK"}, "2001", {}, true},
        {"the maximum itself", 0, 9, true, false, "300", {"2", "0", "0", "0", "OK"}, "2000", 2000, false},
        {"the minimum itself", 0, 9, true, false, "300", {"2", "0", "0", "0", "+/-", "OK"}, "-2000", -2000, false},
        {"below the minimum", 0, 9, true, false, "300", {"2", "0", "0", "1", "+/-", "OK"}, "-2001", {}, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NumberRequest request{"Enter Bias Value", "Volts",     c.preset,  -2000,        2000, "",
                              c.decimals,         c.maxLength, c.signKey, c.quickValues};
        ThenPlay<CNumKeypadDlg>(c.keys, c.shown + std::string(" Volts"));
        std::string told;
        if (c.refused)
            ThenAnswer("OK", &told);
        const int starvedBefore = fw::Loop().StarvedModalLoops();
        EXPECT_EQ(AskForNumber(request), c.value);
        EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedBefore) << "a box waited for an answer";
        EXPECT_EQ(told,
                  c.refused ? "Invalid value.\r\nValid values are:\r\n >= -2000 and <= 2000" : "");
    }
}

TEST_F(KeypadTest, NumericRepeatChoiceIsMarkedAndAnswered) {
    CNumKeypadDlg keypad;
    keypad.SetTitleText("Enter Collection Time");
    keypad.SetUnitText("Secs");
    keypad.SetQuickValues(true);
    keypad.SetShowRepeatChoice(true);
    keypad.SetEntryText("300");
    ThenDo([&] { Picture("keypad-number"); });
    ThenTapText("Repeating");
    ThenTapText("Repeating");  // touching the marked choice again keeps it
    ThenPlay<CNumKeypadDlg>({"OK"}, "300 Secs");
    EXPECT_EQ(keypad.DoModal(), fw::kIdOk);
    EXPECT_EQ(keypad.RepeatChoice(), 1);
}

TEST_F(KeypadTest, AlphaKeypadEntries) {
    struct Case {
        const char* what;
        int maxLength;
        const char* preset;
        std::vector<std::string> keys;  // the last one answers (Enter or Cancel)
        const char* shown;              // before the answer
        const char* entry;              // nullptr: cancelled
    };
    // clang-format off
    const Case cases[] = {
        {"keys add to the preset", 40, "Cs", {"1", "Enter"}, "Cs1_", "Cs1"},
        {"cancel answers nothing", 40, "abc", {"Shift", "Cancel"}, "abc_", nullptr},
        {"at the length limit letters are refused, backspace removes the last", 4, "abcd",
            {"e", "Space", "<bs>", "x", "Enter"}, "abcx_", "abcx"},
        {"typed hyphen, slashes and colon are ignored, the signs on the keys taken", 40, "",
            {"'a", "'-", "'b", "'/", "'c", "'\\", "'d", "':", "#", "%", ",", ".", "Space", "' ", "'\b",
             "Enter"}, "abcd#%,. _", "abcd#%,. "},
        {"shift gives capitals until touched again", 40, "", {"Shift", "A", "B", "Shift", "c", "Enter"},
            "ABc_", "ABc"},
        {"clear empties the entry", 40, "Untitled3", {"Clear", "r", "u", "n", "Enter"}, "run_", "run"},
    };
    // clang-format on
    CKeypadDlg keypad;  // one keypad for all: shift must be off each time it starts
    keypad.SetTitleText("Enter Source Name");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keypad.SetMaxLength(c.maxLength);
        keypad.SetEntryText(c.preset);
        ThenDo(
            [&] { EXPECT_TRUE(!keypad.ShiftOn() && ScreenHasText("q") && !ScreenHasText("Q")); });
        ThenPlay<CKeypadDlg>(c.keys, c.shown);
        EXPECT_EQ(keypad.DoModal(), c.entry ? fw::kIdOk : fw::kIdCancel);
        if (c.entry) {
            EXPECT_EQ(keypad.EntryText(), c.entry);
        }
    }
    keypad.SetMaxLength(CKeypadDlg::kDefaultMaxLength);
    keypad.SetEntryText(std::string(60, 'w'));
    ThenTapText("Shift");
    ThenDo([&] { Picture("keypad-alpha-shift"); });
    ThenTapText("Z");
    ThenDo([&] { EXPECT_TRUE(ScreenShows("Z_")) << "a long entry shows its last character"; });
    ThenTapText("Cancel");
    keypad.DoModal();
}

}  // namespace
