// The pop-up menus, opened at a button and answered by taps on their items: the texts they
// draw, in order, the command a choice sends and a dismissal that sends none.
#include <algorithm>
#include <map>
#include <memory>

#include "controls/PopupMenus.h"
#include "controls_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const fw::Rect kButton{200, 100, 300, 140};

class MenuTest : public controls_test::ControlsTest {
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
    void TearDown() override {
        EXPECT_EQ(CPopupMenu::ActivePopup(), nullptr);
        ControlsTest::TearDown();
    }
};

TEST_F(MenuTest, EachMenuShowsItsItemsInOrderAndAChoiceSendsItsCommand) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CPopupMenu>()> make;
        std::vector<std::string> shown;  // empty: not compared (marked-up unit items)
        const char* choice;
        int command;
    };
    // clang-format off
    const Case cases[] = {
        {"page", [] { return std::make_unique<CPageMenu>(); }, {"Channel 1", "Channel 2",
            "Channel 1 & 2", "Check Source", "Chamber Library", "Preferences"}, "Channel 1 & 2", 566},
        {"pressure", [] { return std::make_unique<CPressSTDPopupMenu>(); },
            {"760.0 mmHg", "1.000 atm", "101.3 kPa"}, "1.000 atm", 574},
        {"temperature", [] { return std::make_unique<CTempSTDPopupMenu>(); },
            {"20.0 °C", "22.0 °C"}, "22.0 °C", 577},
        {"chargetype", [] { return std::make_unique<CChgTypePopupMenu>(30); },
            {"Timed Collection", "Continuous", "Trigger (Ch.1)", "30 sec"}, "30 sec", 581},
        {"defchargetype", [] { return std::make_unique<CDefChgTypePopupMenu>(); },
            {"Timed Collection", "Continuous", "Trigger (Ch.1)"}, "Continuous", 579},
        {"bias", [] { return std::make_unique<CBiasPopupMenu>(300); },
            {"Bias Off", "Reverse Polarity", "Select Bias", "300 V"}, "300 V", 587},
        {"range", [] { return std::make_unique<CRangePopupMenu>(); },
            {"Low (0-500pA)", "High (0-500nA)"}, "High (0-500nA)", 583},
        {"sourceunit", [] { return std::make_unique<CSrcUnitPopupMenu>(); },
            {"kBq", "MBq", "µCi", "mCi"}, "µCi", 590},
        {"doseunit", [] { return std::make_unique<CDoseUnitsPopupMenu>(); }, {}, "cGy", 602},
    };
    // clang-format on
    std::vector<int> sent;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.choice);
        auto menu = c.make();
        std::vector<std::string> shown;
        ThenDo([&] {
            shown = MenuTexts(*menu);
            Picture(std::string("menu-") + c.name);
            EXPECT_EQ(CPopupMenu::ActivePopup(), menu.get());
        });
        ThenTapText(c.choice);
        EXPECT_EQ(menu->Show(&host, kButton), c.command);
        if (!c.shown.empty()) {
            EXPECT_THAT(shown, ElementsAreArray(c.shown));
            EXPECT_EQ(menu->GetItemCount(), int(c.shown.size()));
        }
        sent.push_back(c.command);
    }
    EXPECT_EQ(host.commands, sent);
}

// "N_s_k:Gym^2/(h*A)": the lowered s and the raised 2 are runs of their own inside the item,
// in the smaller face; a touch outside the menu closes it without a choice.
TEST_F(MenuTest, CoefficientUnitsDrawRaisedAndLoweredCharactersInsideTheirItems) {
    CCFUnitPopupMenu menu;
    ThenPicture("menu-cfunit");
    ThenDo([&] {
        auto normal = FindText(":Gym");
        ASSERT_TRUE(normal.has_value());
        std::map<std::string, fw::DrawnText> runs;
        for (const auto& t : Texts()) {
            if (t.box == normal->box)
                runs.emplace(t.text, t);
        }
        ASSERT_TRUE(runs.count("s") && runs.count("2"));
        EXPECT_LT(runs["s"].fontHeight, normal->fontHeight);
        EXPECT_GT(runs["s"].extent.top, normal->extent.top);
        EXPECT_LT(runs["2"].extent.top, normal->extent.top);
    });
    ThenTap(5, 475);
    EXPECT_EQ(menu.Show(&host, kButton), 0);
    EXPECT_THAT(host.commands, IsEmpty());
}

// The item under the finger is drawn black on grey; lifting the finger off the items chooses
// nothing.
TEST_F(MenuTest, TheItemUnderTheFingerIsHighlightedAndLiftingOffChoosesNothing) {
    CRangePopupMenu menu;
    fw::Point on;
    ThenDo([&] {
        auto low = FindText("Low (0-500pA)");
        ASSERT_TRUE(low.has_value());
        on = {low->box.left + 10, low->box.top + 5};
        fw::Loop().InjectTouch({fw::TouchKind::Down, on});
    });
    ThenDo([&] {
        auto low = FindText("Low (0-500pA)");
        auto high = FindText("High (0-500nA)");
        ASSERT_TRUE(low && high);
        const auto& panel = fw::Loop().GetSurface();
        EXPECT_EQ(panel.PixelAt(low->box.left + 2, low->box.top + 2) & 0xFFFFFF, 0u);
        EXPECT_EQ(panel.PixelAt(high->box.left + 2, high->box.top + 2) & 0xFFFFFF, 0x808080u);
        fw::Loop().InjectTouch({fw::TouchKind::Move, {on.x, 400}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {on.x, 400}});
    });
    EXPECT_EQ(menu.Show(&host, kButton), 0);
    EXPECT_THAT(host.commands, IsEmpty());
}

}  // namespace
