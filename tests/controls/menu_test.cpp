// The pop-up menus, opened at a button and answered by taps on their items: the texts they
// draw, in order, the command a choice sends and a dismissal that sends none.
#include <map>
#include <memory>

#include "controls/PopupMenus.h"
#include "controls_fixture.h"

namespace {

using ::testing::IsEmpty;

const fw::Rect kButton{200, 100, 300, 140};

class MenuTest : public controls_test::ControlsTest {
  protected:
    void TearDown() override {
        EXPECT_EQ(CPopupMenu::ActivePopup(), nullptr);
        ControlsTest::TearDown();
    }
};

// The previous bias or collection time is offered only when there is one.
TEST_F(MenuTest, AChoiceSendsItsCommandAndThePreviousValueIsOfferedOnlyWhenThereIsOne) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CPopupMenu>()> make;
        int items;
        const char* choice;
        int command;
    };
    // clang-format off
    const Case cases[] = {
        {"page", [] { return std::make_unique<CPageMenu>(); }, 6, "Channel 1 & 2", 566},
        {"pressure", [] { return std::make_unique<CPressSTDPopupMenu>(); }, 3, "1.000 atm", 574},
        {"chargetype", [] { return std::make_unique<CChgTypePopupMenu>(30); }, 4, "30 sec", 581},
        {"bias", [] { return std::make_unique<CBiasPopupMenu>(0); }, 3, "Select Bias", 586},
    };
    // clang-format on
    std::vector<int> sent;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto menu = c.make();
        ThenPicture(std::string("menu-") + c.name);
        ThenTapText(c.choice);
        EXPECT_EQ(menu->Show(&host, kButton), c.command);
        EXPECT_EQ(menu->GetItemCount(), c.items);
        sent.push_back(c.command);
    }
    EXPECT_EQ(host.commands, sent);
}

// "N_s_k:Gym^2/(h*A)": the lowered s and the raised 2 are runs of their own inside the item;
// a touch outside the menu closes it without a choice.
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
