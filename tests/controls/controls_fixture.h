#pragma once
// A panel with one host window for the controls under test: it records the commands the
// controls and menus send it, and its test can script steps for modal loops.
#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/EventLoop.h"
#include "fw/Window.h"
#include "support/ui_fixture.h"

namespace controls_test {

class HostWindow : public fw::Window {
  public:
    bool OnCommand(int commandId, fw::Window*) override {
        commands.push_back(commandId);
        return true;
    }
    void OnPaint(fw::Dc& dc) override { dc.FillRect(GetRect(), fw::colors::kWhite); }
    std::vector<int> commands;
};

class ControlsTest : public testing_support::UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        host.Create(nullptr, fw::kScreenRect);
        fw::Loop().PushTopLevel(&host);
    }
    void TearDown() override {
        EXPECT_TRUE(script->ScriptEmpty()) << "steps left over: a dialog closed too early";
        fw::Loop().RemoveTopLevel(&host);
        UiFixture::TearDown();
    }
    // A screenshot under screens/ for people to look at; every text must fit its control.
    void Picture(const std::string& name) {
        EXPECT_TRUE(Screenshot(name + ".png"));
        for (const auto& t : OverflowingTexts())
            ADD_FAILURE() << "\"" << t.text << "\" runs outside its control in " << name;
    }
    void Touch(fw::TouchKind kind, fw::Point p) {
        fw::Loop().InjectTouch({kind, p});
        fw::Loop().ProcessReady();
    }

    HostWindow host;
};

}  // namespace controls_test
