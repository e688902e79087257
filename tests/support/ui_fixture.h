#pragma once
// A headless panel for control and screen tests: the manual clock, the scripted backend,
// and an operator's hands and eyes (tap, tap a text, read the texts shown).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fw/Clock.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "support/dialog_steps.h"
#include "support/scripted_backend.h"

namespace testing_support {

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Touch down and up at a point, handled at once (outside a modal loop).
    void Tap(int x, int y);
    // Taps the centre of the first text `text` drawn on the panel; false when not shown.
    bool TapText(const std::string& text);
    void ThenTapText(const std::string& text);
    // Moves the clock on, firing timers on the way.
    void Advance(int64_t ms);

    // Repaints and reads what the panel shows.
    std::vector<fw::DrawnText> Texts();
    bool ScreenHasText(const std::string& text);
    std::optional<fw::DrawnText> FindText(const std::string& text);
    // Texts whose pixels run past the rectangle they were laid out in.
    std::vector<fw::DrawnText> OverflowingTexts();
    bool Screenshot(const std::string& name);  // written below build/screens/
    // Whether any text drawn on the panel contains `part` (long texts are drawn line by line).
    bool ScreenShows(const std::string& part) {
        for (const fw::DrawnText& t : Texts()) {
            if (t.text.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    // Steps for the modal loops that will be waiting.
    void ThenDo(std::function<void()> step) { script->Then(std::move(step)); }
    void ThenExpectShown(const std::string& part) {
        ThenDo([this, part] { EXPECT_TRUE(ScreenShows(part)) << "\"" << part << "\" not shown"; });
    }
    void ThenChoose(const std::string& item) {
        ThenDo([this, item] { EXPECT_TRUE(TapText(item)) << "no item \"" << item << "\""; });
    }
    void ThenKeys(const std::string& keys) {
        ThenDo([keys] { PressNumKeys(keys); });
    }
    void ThenType(const std::string& text) {
        ThenDo([text] { TypeOnKeypad(text); });
    }
    void ThenAnswer(const std::string& button, std::string* text = nullptr) {
        ThenDo([button, text] { AnswerBox(button, text); });
    }

    std::shared_ptr<fw::ManualClock> clock;
    ScriptedBackend* script = nullptr;
};

}  // namespace testing_support
