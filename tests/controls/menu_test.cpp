// The pop-up menus, opened at a button and answered by taps on their items: the texts they
// draw, in order, the command a choice sends and a dismissal that sends none.
#include <memory>

#include "controls/PopupMenus.h"
#include "controls_fixture.h"

namespace {

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
        // "N_s_k:Gym^2/(h*A)": its raised and lowered characters are runs of their own.
        {"cfunit", [] { return std::make_unique<CCFUnitPopupMenu>(); }, 13, ":Gym", 573},
    };
    // clang-format on
    std::vector<int> sent;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto menu = c.make();
        ThenDo([&] { Picture(std::string("menu-") + c.name); });
        ThenTapText(c.choice);
        EXPECT_EQ(menu->Show(&host, kButton), c.command);
        EXPECT_EQ(menu->GetItemCount(), c.items);
        sent.push_back(c.command);
    }
    EXPECT_EQ(host.commands, sent);
}

// A touch beside the menu, or a finger lifted off its items after touching one, chooses
// nothing.
TEST_F(MenuTest, ATouchBesideOrAFingerLiftedOffTheItemsChoosesNothing) {
    for (bool slideOff : {false, true}) {
        CRangePopupMenu menu;
        ThenDo([&] {
            auto low = FindText("Low (0-500pA)");
            ASSERT_TRUE(low.has_value());
            const fw::Point on{low->box.left + 10, low->box.top + 5}, beside{5, 475};
            fw::Loop().InjectTouch({fw::TouchKind::Down, slideOff ? on : beside});
            fw::Loop().InjectTouch({fw::TouchKind::Move, beside});
            fw::Loop().InjectTouch({fw::TouchKind::Up, beside});
        });
        EXPECT_EQ(menu.Show(&host, kButton), 0) << slideOff;
    }
    EXPECT_TRUE(host.commands.empty());
}

}  // namespace
