// The pop-up menus, opened at a button and answered by taps on their items:
// the texts they draw, in order, the command a choice sends and a dismissal that sends none.
#include <gmock/gmock.h>

#include <algorithm>

#include "ControlsFixture.h"
#include "controls/MenuCommands.h"
#include "controls/PopupMenus.h"

namespace {

using controls_test::ControlsTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const fw::Rect kButton{200, 100, 300, 140};

class MenuTest : public ControlsTest {
  protected:
    // The texts drawn inside the open menu, top to bottom (one run per item in plain mode).
    std::vector<std::string> MenuTexts(const CPopupMenu& menu) {
        const fw::Rect r = menu.MenuRect(kButton);
        std::vector<fw::DrawnText> inside;
        for (const auto& t : Texts()) {
            if (r.Contains(t.box))
                inside.push_back(t);
        }
        std::stable_sort(inside.begin(), inside.end(),
                         [](const auto& a, const auto& b) { return a.box.top < b.box.top; });
        std::vector<std::string> out;
        for (const auto& t : inside)
            out.push_back(t.text);
        return out;
    }
    // Opens `menu` at kButton, runs `whileOpen` on the open menu, then taps `choice`
    // (a text) or, when empty, the panel outside the menu.
    int OpenAndChoose(CPopupMenu& menu, const std::string& choice,
                      std::function<void()> whileOpen = {}) {
        if (whileOpen)
            ThenDo(std::move(whileOpen));
        if (choice.empty())
            ThenTap(5, 475);
        else
            ThenTapText(choice);
        return menu.Show(&host, kButton);
    }
    void TearDown() override {
        EXPECT_TRUE(script->ScriptEmpty());
        EXPECT_EQ(CPopupMenu::ActivePopup(), nullptr);
        ControlsTest::TearDown();
    }
};

TEST_F(MenuTest, PageMenuListsSixEntriesInOrderWithOneAmpersand) {
    CPageMenu menu;
    std::vector<std::string> shown;
    const int chosen = OpenAndChoose(menu, "Channel 1 & 2", [&] { shown = MenuTexts(menu); });
    EXPECT_THAT(shown, ElementsAre("Channel 1", "Channel 2", "Channel 1 & 2", "Check Source",
                                   "Chamber Library", "Preferences"));
    EXPECT_EQ(chosen, menu_cmd::kChannels1And2);
    EXPECT_THAT(host.commands, ElementsAre(566));
    // The item keeps the string table's doubled ampersand; only the drawing makes it one.
    EXPECT_EQ(menu.Items()[2].text, "Channel 1 && 2");
}

TEST_F(MenuTest, PageMenuCommandsFollowTheTable) {
    const std::pair<const char*, int> expected[] = {
        {"Channel 1", 564},      {"Channel 2", 565},       {"Check Source", 568},
        {"Chamber Library", 569}, {"Preferences", 571}};
    for (const auto& [text, command] : expected) {
        CPageMenu menu;
        EXPECT_EQ(OpenAndChoose(menu, text), command) << text;
    }
    EXPECT_THAT(host.commands, ElementsAre(564, 565, 568, 569, 571));
}

TEST_F(MenuTest, PageMenuOpensBelowTheButtonAtItsLeftEdge) {
    CPageMenu menu;
    OpenAndChoose(menu, "", [&] {
        auto first = FindText("Channel 1");
        ASSERT_TRUE(first.has_value());
        EXPECT_GE(first->box.top, kButton.bottom);
        EXPECT_GE(first->box.left, kButton.left);
        EXPECT_LT(first->box.left, kButton.left + 4);
        EXPECT_EQ(first->color, fw::colors::kWhite);
    });
    EXPECT_EQ(menu.MenuRect(kButton).left, kButton.left);
    EXPECT_EQ(menu.MenuRect(kButton).top, kButton.bottom);
    EXPECT_EQ(menu.MenuRect(kButton).Height(), 6 * 30);
}

TEST_F(MenuTest, PressureStandardsReadWithTheAtmosphereInThreeDecimals) {
    CPressSTDPopupMenu menu;
    std::vector<std::string> shown;
    EXPECT_EQ(OpenAndChoose(menu, "1.000 atm", [&] { shown = MenuTexts(menu); }),
              menu_cmd::kPressureAtm);
    EXPECT_THAT(shown, ElementsAre("760.0 mmHg", "1.000 atm", "101.3 kPa"));
}

TEST_F(MenuTest, TemperatureStandards) {
    CTempSTDPopupMenu menu;
    std::vector<std::string> shown;
    EXPECT_EQ(OpenAndChoose(menu, "22.0 °C", [&] { shown = MenuTexts(menu); }), 577);
    EXPECT_THAT(shown, ElementsAre("20.0 °C", "22.0 °C"));
}

TEST_F(MenuTest, ChargeTypeMenuHasThreeEntriesWithoutAPreviousTime) {
    CChgTypePopupMenu menu(0);
    std::vector<std::string> shown;
    OpenAndChoose(menu, "", [&] { shown = MenuTexts(menu); });
    EXPECT_THAT(shown, ElementsAre("Timed Collection", "Continuous", "Trigger (Ch.1)"));
    EXPECT_EQ(menu.GetItemCount(), 3);
}

TEST_F(MenuTest, ChargeTypeMenuFourthEntryIsThePreviousTime) {
    CChgTypePopupMenu menu(30);
    std::vector<std::string> shown;
    EXPECT_EQ(OpenAndChoose(menu, "30 sec", [&] { shown = MenuTexts(menu); }),
              menu_cmd::kChargePreviousTime);
    EXPECT_THAT(shown, ElementsAre("Timed Collection", "Continuous", "Trigger (Ch.1)", "30 sec"));
    EXPECT_THAT(host.commands, ElementsAre(581));
}

TEST_F(MenuTest, TriggerEntryCanBeRemovedForChannelTwo) {
    CChgTypePopupMenu menu(0);
    menu.Build();
    ASSERT_EQ(menu.TriggerItemPosition(), 2);
    menu.RemoveItemAt(menu.TriggerItemPosition());
    EXPECT_EQ(menu.TriggerItemPosition(), -1);
    std::vector<std::string> shown;
    OpenAndChoose(menu, "Continuous", [&] { shown = MenuTexts(menu); });
    EXPECT_THAT(shown, ElementsAre("Timed Collection", "Continuous"));
}

TEST_F(MenuTest, BiasMenuShowsThePreviousBiasOnlyWhenThereWasOne) {
    CBiasPopupMenu without(0);
    std::vector<std::string> shown;
    OpenAndChoose(without, "", [&] { shown = MenuTexts(without); });
    EXPECT_THAT(shown, ElementsAre("Bias Off", "Reverse Polarity", "Select Bias"));
    CBiasPopupMenu with(300);
    EXPECT_EQ(OpenAndChoose(with, "300 V"), menu_cmd::kBiasPrevious);
}

TEST_F(MenuTest, RangeAndDefaultChargeTypeAndSourceUnits) {
    CRangePopupMenu range;
    EXPECT_EQ(OpenAndChoose(range, "High (0-500nA)"), 583);
    CDefChgTypePopupMenu charge;
    EXPECT_EQ(OpenAndChoose(charge, "Continuous"), 579);
    EXPECT_EQ(charge.GetItemCount(), 3);
    CSrcUnitPopupMenu source;
    std::vector<std::string> shown;
    EXPECT_EQ(OpenAndChoose(source, "µCi", [&] { shown = MenuTexts(source); }), 590);
    EXPECT_THAT(shown, ElementsAre("kBq", "MBq", "µCi", "mCi"));
}

TEST_F(MenuTest, UnitMenusOpenWithTheirRightEdgeAtTheButton) {
    CDoseUnitsPopupMenu dose;
    CCFUnitPopupMenu coefficient;
    dose.Build();
    coefficient.Build();
    EXPECT_EQ(dose.MenuRect(kButton).right, kButton.left);
    EXPECT_EQ(coefficient.MenuRect(kButton).right, kButton.left);
    EXPECT_EQ(coefficient.GetItemCount(), 13);
    EXPECT_EQ(dose.GetItemCount(), 5);
    EXPECT_EQ(OpenAndChoose(dose, "cGy"), menu_cmd::kDoseUnitFirst + 2);
}

TEST_F(MenuTest, CoefficientUnitsDrawRaisedAndLoweredCharactersInsideTheirItems) {
    CCFUnitPopupMenu menu;
    OpenAndChoose(menu, "", [&] {
        EXPECT_THAT(Overflowing(), IsEmpty());
        // "N_s_k:Gym^2/(h*A)": the lowered s and k and the raised 2 are runs of their own,
        // in the smaller face.
        auto texts = Texts();
        auto normal = FindText(":Gym");
        ASSERT_TRUE(normal.has_value());
        auto inItem = [&](const std::string& text) -> std::optional<fw::DrawnText> {
            for (const auto& t : texts) {
                if (t.text == text && t.box == normal->box)
                    return t;
            }
            return std::nullopt;
        };
        auto s = inItem("s");
        auto two = inItem("2");
        ASSERT_TRUE(s && two);
        EXPECT_LT(s->fontHeight, normal->fontHeight);
        EXPECT_GT(s->extent.top, normal->extent.top);
        EXPECT_LT(two->extent.top, normal->extent.top);
    });
}

TEST_F(MenuTest, DismissingSendsNoCommandAndLeavesNoActivePopup) {
    CPageMenu menu;
    CPopupMenu* during = nullptr;
    const int chosen = OpenAndChoose(menu, "", [&] { during = CPopupMenu::ActivePopup(); });
    EXPECT_EQ(during, &menu) << "the tracked menu is the active pop-up";
    EXPECT_EQ(chosen, 0);
    EXPECT_THAT(host.commands, IsEmpty());
    EXPECT_EQ(CPopupMenu::ActivePopup(), nullptr);
}

TEST_F(MenuTest, LiftingTheFingerOffTheItemsChoosesNothing) {
    CRangePopupMenu menu;
    ThenDo([&] {
        auto low = FindText("Low (0-500pA)");
        ASSERT_TRUE(low.has_value());
        const fw::Point on{(low->box.left + low->box.right) / 2, low->box.top + 5};
        fw::Loop().InjectTouch({fw::TouchKind::Down, on});
        fw::Loop().InjectTouch({fw::TouchKind::Move, {on.x, 400}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {on.x, 400}});
    });
    EXPECT_EQ(menu.Show(&host, kButton), 0);
    EXPECT_THAT(host.commands, IsEmpty());
}

TEST_F(MenuTest, TheItemUnderTheFingerIsDrawnBlackAndBold) {
    CRangePopupMenu menu;
    ThenDo([&] {
        auto low = FindText("Low (0-500pA)");
        ASSERT_TRUE(low.has_value());
        fw::Loop().InjectTouch({fw::TouchKind::Down, {low->box.left + 10, low->box.top + 5}});
    });
    ThenDo([&] {
        auto low = FindText("Low (0-500pA)");
        ASSERT_TRUE(low.has_value());
        const uint32_t bg = fw::Loop().GetSurface().PixelAt(low->box.left + 2, low->box.top + 2);
        EXPECT_EQ(bg & 0xFFFFFF, 0u) << "selected background black";
        auto high = FindText("High (0-500nA)");
        ASSERT_TRUE(high.has_value());
        const uint32_t grey = fw::Loop().GetSurface().PixelAt(high->box.left + 2, high->box.top + 2);
        EXPECT_EQ(grey & 0xFFFFFF, 0x808080u) << "other items grey";
        fw::Loop().InjectTouch({fw::TouchKind::Up, {low->box.left + 10, low->box.top + 5}});
    });
    EXPECT_EQ(menu.Show(&host, kButton), menu_cmd::kRangeLow);
}

}  // namespace
