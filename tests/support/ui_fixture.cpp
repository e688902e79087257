#include "support/ui_fixture.h"
#include "support/clock_steps.h"

#include <filesystem>

namespace testing_support {

void UiFixture::SetUp() {
    clock = std::make_shared<fw::ManualClock>();
    fw::SetClock(clock);
    fw::SetSoundEnabled(false);
    auto backend = std::make_unique<ScriptedBackend>();
    script = backend.get();
    fw::Loop().SetBackend(std::move(backend));
    fw::Loop().ProcessReady();
}

void UiFixture::TearDown() {
    fw::Loop().ProcessReady();
    fw::Loop().SetBackend(nullptr);
    fw::SetClock(std::make_shared<fw::SystemClock>());
}

namespace {

void TouchAt(int x, int y) {
    fw::Loop().InjectTouch({fw::TouchKind::Down, {x, y}});
    fw::Loop().InjectTouch({fw::TouchKind::Up, {x, y}});
}

}  // namespace

void UiFixture::Tap(int x, int y) {
    TouchAt(x, y);
    fw::Loop().ProcessReady();
}

bool UiFixture::TapText(const std::string& text) {
    auto t = FindText(text);
    if (!t)
        return false;
    Tap((t->extent.left + t->extent.right) / 2, (t->extent.top + t->extent.bottom) / 2);
    return true;
}

void UiFixture::ThenTapText(const std::string& text) {
    script->Then([this, text] {
        auto t = FindText(text);
        if (!t)
            ADD_FAILURE() << "no text \"" << text << "\" on the panel to tap";
        else
            TouchAt((t->extent.left + t->extent.right) / 2, (t->extent.top + t->extent.bottom) / 2);
    });
}

void UiFixture::Advance(int64_t ms) {
    AdvanceWithTimers(*clock, ms);
}

std::vector<fw::DrawnText> UiFixture::Texts() {
    fw::Loop().RepaintNow();
    return fw::Loop().GetSurface().Texts();
}

bool UiFixture::ScreenHasText(const std::string& text) {
    return FindText(text).has_value();
}

std::optional<fw::DrawnText> UiFixture::FindText(const std::string& text) {
    for (const auto& t : Texts()) {
        if (t.text == text)
            return t;
    }
    return std::nullopt;
}

std::vector<fw::DrawnText> UiFixture::OverflowingTexts() {
    std::vector<fw::DrawnText> out;
    for (const auto& t : Texts()) {
        if (!t.box.Contains(t.extent))
            out.push_back(t);
    }
    return out;
}

bool UiFixture::Screenshot(const std::string& name) {
    std::filesystem::create_directories("screens");
    fw::Loop().RepaintNow();
    return fw::Loop().GetSurface().SavePng("screens/" + name);
}

}  // namespace testing_support
