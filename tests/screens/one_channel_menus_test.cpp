// The range, bias, collection-type and page menus of the one-channel screen: the board
// commands they send, the keypad limits, and what a refused entry leaves in force.
#include "controls/CPopupMenu.h"
#include "one_channel_fixture.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;

class MenuTest : public OneChannelTest {
  protected:
    // The items of the menu of `button`, read while it is tracked; the menu is then closed.
    std::vector<std::string> ItemsOf(int button) {
        std::vector<std::string> items;
        ThenDo([&items] {
            CPopupMenu* menu = CPopupMenu::ActivePopup();
            ASSERT_NE(menu, nullptr);
            for (const CPopupMenu::Item& item : menu->Items())
                items.push_back(item.text);
            menu->Dismiss();
        });
        TapControl(button);
        return items;
    }
    // The volts of every SetBias the screen sent for channel 1.
    std::vector<int> BiasCommands() const {
        std::vector<int> volts;
        for (const BOARD_PACKET& p : SentWithCode(0x01))
            volts.push_back(int16_t(p.payload[1] | (p.payload[2] << 8)));
        return volts;
    }
    // "Select Bias" or "Timed Collection" and `keys` on its keypad; a refusal's text is kept.
    void EnterOnKeypad(int button, const std::string& keys, std::string* refusal = nullptr) {
        ThenChoose(button == Ids::kIdBias ? "Select Bias" : "Timed Collection");
        ThenKeypadEntry(keys);
        if (refusal != nullptr)
            ThenAnswer("OK", refusal);
        TapControl(button);
    }
};

TEST_F(MenuTest, RangeMenuSendsOnlyARealChangeForTheChannelShown) {
    OpenScreen(0, 0);
    TapControl(Ids::kIdStartStop);
    Seconds(doc->ChargeDuration);
    Choose(Ids::kIdRange, "Low (0-500pA)");
    EXPECT_TRUE(SentWithCode(0x00).empty());
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    Choose(Ids::kIdRange, "High (0-500nA)");
    ASSERT_EQ(SentWithCode(0x00).size(), 1u);
    EXPECT_EQ(SentWithCode(0x00)[0].payload[0], 0);  // channel 1
    EXPECT_EQ(SentWithCode(0x00)[0].payload[1], 1);  // High
    // A range change releases a held result.
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
}

TEST_F(MenuTest, BiasKeypadTakesTheBandsAndOffAndRefusesValuesBetween) {
    OpenScreen(0, 0);
    for (const char* keys : {"100", "-100", "1000", "-1000", "0", "300"})
        EnterOnKeypad(Ids::kIdBias, keys);
    for (const char* keys : {"99", "-99", "1001", "-1001", "-"}) {
        std::string message;
        EnterOnKeypad(Ids::kIdBias, keys, &message);
        EXPECT_EQ(message.rfind("This bias setting is invalid.", 0), 0u) << keys;
    }
    EXPECT_EQ(BiasCommands(), (std::vector<int>{100, -100, 1000, -1000, 0, 300}));
}

TEST_F(MenuTest, ReversePolarityAndThePreviousBiasSwapOnceThereIsABias) {
    OpenScreen(0, 0);
    EXPECT_EQ(ItemsOf(Ids::kIdBias).size(), 3u);  // no previous bias offered yet
    Choose(Ids::kIdBias, "Bias Off");
    Choose(Ids::kIdBias, "Reverse Polarity");
    EXPECT_TRUE(BiasCommands().empty());
    EnterOnKeypad(Ids::kIdBias, "300");
    Choose(Ids::kIdBias, "Reverse Polarity");
    Choose(Ids::kIdBias, "300 V");  // the previous bias
    Choose(Ids::kIdBias, "-300 V");
    EXPECT_EQ(BiasCommands(), (std::vector<int>{300, -300, 300, -300}));
}

TEST_F(MenuTest, CollectionTimeAndCountKeepTheirLimitsAndTheLastGoodValues) {
    OpenScreen(0, 0);
    ThenChoose("Timed Collection");
    ThenDo([] { testing_support::TouchOnTop(CNumKeypadDlg::kIdCancel); });
    TapControl(Ids::kIdChargeType);
    EXPECT_EQ(doc->ChargeDuration, 15);
    EnterOnKeypad(Ids::kIdChargeType, "1");
    EXPECT_EQ(doc->ChargeDuration, 1);
    EnterOnKeypad(Ids::kIdChargeType, "86400");
    for (const char* keys : {"0", "86401"}) {
        std::string message;
        EnterOnKeypad(Ids::kIdChargeType, keys, &message);
        EXPECT_EQ(message.rfind("The charge time is invalid.", 0), 0u) << keys;
    }
    EXPECT_EQ(doc->ChargeDuration, 86400);

    struct Case {
        const char* count;
        bool refused;
        int repeatCount;
    } cases[] = {{"500", false, 500},
                 {"501", true, 500},  // the previous count stays
                 {"1", false, 1}};    // one means single
    for (const Case& c : cases) {
        std::string message;
        ThenChoose("Timed Collection");
        ThenKeypadEntry("5", true);
        ThenKeypadEntry(c.count);
        if (c.refused)
            ThenAnswer("OK", &message);
        TapControl(Ids::kIdChargeType);
        EXPECT_EQ(message.rfind("Invalid number of collections.", 0) == 0, c.refused) << c.count;
        EXPECT_EQ(doc->RepeatCount, c.repeatCount) << c.count;
        EXPECT_EQ(doc->Repeating, c.repeatCount > 1) << c.count;
    }
}

TEST_F(MenuTest, ThePreviousTimeIsOfferedOnceThereIsOneAndChannelTwoHasNoTrigger) {
    OpenScreen(0, 0);
    EXPECT_EQ(ItemsOf(Ids::kIdChargeType).size(), 3u);
    EnterOnKeypad(Ids::kIdChargeType, "30");
    Choose(Ids::kIdChargeType, "15 sec");  // the previous time
    EXPECT_EQ(doc->ChargeDuration, 15);
    EXPECT_EQ(doc->PrevChargeDuration, 30);

    OpenScreen(1, 0);
    doc->PrevChargeDuration = 0;
    const std::vector<std::string> items = ItemsOf(Ids::kIdChargeType);
    EXPECT_EQ(std::count(items.begin(), items.end(), "Trigger (Ch.1)"), 0);
}

TEST_F(MenuTest, ThePageMenuAndTheRemoteChangeTheChannelInPlace) {
    OpenScreen(0, 0);
    COneChannelView* before = &View();
    Choose(Ids::kIdPage, "Channel 2");
    EXPECT_EQ(&View(), before);
    EXPECT_EQ(View().ShownChannel(), 1);
    EXPECT_EQ(CaptionOf(Ids::kIdPage), " CH\r\n  2");
    EXPECT_EQ(doc->OneChannelShown, 0);       // the document keeps its channel
    Choose(Ids::kIdRange, "High (0-500nA)");  // for the channel shown only
    ASSERT_EQ(SentWithCode(0x00).size(), 1u);
    EXPECT_EQ(SentWithCode(0x00)[0].payload[0], 1);

    // The remote's view switch also moves the document's channel.
    EXPECT_TRUE(View().SwitchChannelView(kShowChannel1));
    EXPECT_EQ(View().ShownChannel(), 0);
    EXPECT_TRUE(View().SwitchChannelView(kShowChannel2));
    EXPECT_EQ(View().ShownChannel(), 1);
    EXPECT_EQ(doc->OneChannelShown, 1);
}

}  // namespace
}  // namespace one_channel_test
