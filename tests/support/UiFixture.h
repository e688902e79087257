#pragma once
// A headless panel for control and screen tests: the manual clock, the scripted backend,
// and an operator's hands and eyes (tap, tap a text, read the texts shown).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fw/Clock.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "support/ScriptedBackend.h"

namespace testing_support {

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Touch down and up at a point, handled at once (outside a modal loop).
    void Tap(int x, int y);
    // The same, queued for a modal loop that will be waiting for input.
    void ThenTap(int x, int y);
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

    std::shared_ptr<fw::ManualClock> clock;
    ScriptedBackend* script = nullptr;
};

}  // namespace testing_support
