// The range, bias and collection-type menus of the one-channel screen: the board commands
// they send, the keypad limits, and what a refused entry leaves in force.
#include "controls/CPopupMenu.h"
#include "controls/ModalRegistry.h"
#include "one_channel_fixture.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;

class MenuTest : public OneChannelTest {
  protected:
    // For the menu that will be tracked: touches `item`.
    void ThenChoose(const std::string& item) {
        script->Then([this, item] {
            if (!TapText(item))
                ADD_FAILURE() << "no menu item \"" << item << "\"";
        });
    }
    // Opens the menu of `button` and touches `item`.
    void Choose(int button, const std::string& item) {
        ThenChoose(item);
        TapControl(button);
    }
    // The items of the menu of `button`, read while it is tracked; the menu is then closed.
    std::vector<std::string> ItemsOf(int button) {
        std::vector<std::string> items;
        script->Then([&items] {
            CPopupMenu* menu = CPopupMenu::ActivePopup();
            if (menu == nullptr)
                return;
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
    void SetBiasByKeypad(const std::string& keys) {
        ThenChoose("Select Bias");
        ThenKeypadEntry(keys);
        TapControl(Ids::kIdBias);
    }
};

// ---- range -------------------------------------------------------------------------------

TEST_F(MenuTest, RangeMenuSendsOnlyARealChangeAndFollowsTheBoardsAnswer) {
    OpenScreen(0, 0);
    EXPECT_EQ(TextOf(Ids::kIdRangeCaption), "Low\r\n(0-500pA)");
    Choose(Ids::kIdRange, "Low (0-500pA)");
    EXPECT_TRUE(SentWithCode(0x00).empty());
    Choose(Ids::kIdRange, "High (0-500nA)");
    std::vector<BOARD_PACKET> sent = SentWithCode(0x00);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload[0], 0);  // channel 1
    EXPECT_EQ(sent[0].payload[1], 1);  // High
    EXPECT_EQ(doc->Channel[0].Range, 1);
    EXPECT_EQ(TextOf(Ids::kIdRangeCaption), "High\r\n(0-500nA)");
}

TEST_F(MenuTest, RangeMenuOnChannelTwoCommandsChannelTwo) {
    OpenScreen(1, 1);
    Choose(Ids::kIdRange, "Low (0-500pA)");
    std::vector<BOARD_PACKET> sent = SentWithCode(0x00);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload[0], 1);
    EXPECT_EQ(sent[0].payload[1], 0);
    EXPECT_EQ(doc->Channel[1].Range, 0);
    EXPECT_EQ(doc->Channel[0].Range, 1);
}

TEST_F(MenuTest, ARangeChangeReleasesAHeldResult) {
    OpenScreen(0, 0);
    TapControl(Ids::kIdStartStop);
    Seconds(doc->ChargeDuration);
    ASSERT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    Choose(Ids::kIdRange, "High (0-500nA)");
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
    EXPECT_EQ(doc->CollectionFinished, 0);
}

// ---- bias --------------------------------------------------------------------------------

TEST_F(MenuTest, BiasKeypadAcceptsTheLimitsAndOff) {
    OpenScreen(0, 0);
    script->Then([this] {
        Screenshot("one_channel_bias_menu.png");
        TapText("Select Bias");
    });
    script->Then([this] {
        Screenshot("one_channel_bias_keypad.png");
        TouchCentreOf(fw::Loop().TopLevel()->FindChild(CNumKeypadDlg::kIdCancel));
    });
    TapControl(Ids::kIdBias);
    for (const char* keys : {"100", "-100", "1000", "-1000", "0"})
        SetBiasByKeypad(keys);
    EXPECT_EQ(BiasCommands(), (std::vector<int>{100, -100, 1000, -1000, 0}));
    EXPECT_EQ(doc->Channel[0].BiasSet, 0);
}

TEST_F(MenuTest, BiasKeypadRefusesValuesBetweenTheBands) {
    OpenScreen(0, 0);
    SetBiasByKeypad("300");
    for (const char* keys : {"99", "-99", "1001", "-1001", "-"}) {
        std::string message;
        ThenChoose("Select Bias");
        ThenKeypadEntry(keys);
        ThenAcknowledge(&message);
        TapControl(Ids::kIdBias);
        EXPECT_EQ(message.rfind("This bias setting is invalid.", 0), 0u) << keys;
    }
    EXPECT_EQ(BiasCommands(), (std::vector<int>{300}));
    EXPECT_EQ(doc->Channel[0].BiasSet, 300);
}

TEST_F(MenuTest, BiasOffAndReverseDoNothingWithoutBias) {
    OpenScreen(0, 0);
    Choose(Ids::kIdBias, "Bias Off");
    Choose(Ids::kIdBias, "Reverse Polarity");
    EXPECT_TRUE(BiasCommands().empty());
}

TEST_F(MenuTest, ReversePolarityAndThePreviousBiasSwap) {
    OpenScreen(0, 0);
    EXPECT_EQ(ItemsOf(Ids::kIdBias).size(), 3u);  // no previous bias offered yet
    SetBiasByKeypad("300");
    Choose(Ids::kIdBias, "Reverse Polarity");
    EXPECT_EQ(doc->Channel[0].BiasSet, -300);
    std::vector<std::string> items = ItemsOf(Ids::kIdBias);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[3], "300 V");
    Choose(Ids::kIdBias, "300 V");
    EXPECT_EQ(doc->Channel[0].BiasSet, 300);
    Choose(Ids::kIdBias, "-300 V");
    EXPECT_EQ(BiasCommands(), (std::vector<int>{300, -300, 300, -300}));
}

TEST_F(MenuTest, TheBiasReadingIsShownAndFlaggedOutsideTolerance) {
    OpenScreen(0, 0);
    SetBiasByKeypad("300");
    Advance(1000);  // the one-second read-back
    EXPECT_EQ(TextOf(Ids::kIdBiasCaption), "+300 V\r\n(+300 V)");
    auto shown = FindText("(+300 V)");
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->color, fw::colors::kWhite);
    doc->Channel[0].BiasRead = 200;  // a front end that no longer holds its bias
    doc->UpdateAllViews(kHintBiasRead);
    shown = FindText("(+200 V)");
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->color, fw::Color::Rgb(255, 255, 0));
}

TEST_F(MenuTest, AStandbyRequestClosesTheBiasKeypadWithoutSendingAnything) {
    OpenScreen(0, 0);
    ThenChoose("Select Bias");
    script->Then([] { controls::DismissOpenModalsForStandby(); });
    TapControl(Ids::kIdBias);
    EXPECT_TRUE(BiasCommands().empty());
    EXPECT_TRUE(script->ScriptEmpty());
}

// ---- collection type ---------------------------------------------------------------------

TEST_F(MenuTest, CollectionTimeKeypadAcceptsOneToADayAndRefusesOutside) {
    OpenScreen(0, 0);
    for (long seconds : {1L, 86400L}) {
        ThenChoose("Timed Collection");
        ThenKeypadEntry(std::to_string(seconds));
        TapControl(Ids::kIdChargeType);
        EXPECT_EQ(doc->ChargeDuration, seconds);
    }
    for (const char* keys : {"0", "86401"}) {
        std::string message;
        ThenChoose("Timed Collection");
        ThenKeypadEntry(keys);
        ThenAcknowledge(&message);
        TapControl(Ids::kIdChargeType);
        EXPECT_EQ(message.rfind("The charge time is invalid.", 0), 0u) << keys;
        EXPECT_EQ(doc->ChargeDuration, 86400);
    }
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "86400 sec");
}

TEST_F(MenuTest, RepeatCountWithinFiveHundredAndOneMeansSingle) {
    OpenScreen(0, 0);
    ThenChoose("Timed Collection");
    ThenKeypadEntry("5", true);
    ThenKeypadEntry("500");
    TapControl(Ids::kIdChargeType);
    EXPECT_EQ(doc->RepeatCount, 500);
    EXPECT_EQ(doc->Repeating, 1);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "5 sec x500");

    std::string message;
    ThenChoose("Timed Collection");
    ThenKeypadEntry("5", true);
    ThenKeypadEntry("501");
    ThenAcknowledge(&message);
    TapControl(Ids::kIdChargeType);
    EXPECT_EQ(message.rfind("Invalid number of collections.", 0), 0u);
    EXPECT_EQ(doc->RepeatCount, 500);  // the previous count stays

    ThenChoose("Timed Collection");
    ThenKeypadEntry("5", true);
    ThenKeypadEntry("1");
    TapControl(Ids::kIdChargeType);
    EXPECT_EQ(doc->RepeatCount, 1);
    EXPECT_EQ(doc->Repeating, 0);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "5 sec");
}

TEST_F(MenuTest, ACancelledTimeKeypadChangesNothing) {
    OpenScreen(0, 0);
    const long before = doc->ChargeDuration;
    ThenChoose("Timed Collection");
    ThenKeypadCancel();
    TapControl(Ids::kIdChargeType);
    EXPECT_EQ(doc->ChargeDuration, before);
    EXPECT_EQ(doc->PrevChargeDuration, 0);
}

TEST_F(MenuTest, ThePreviousTimeIsOfferedOnceThereIsOne) {
    OpenScreen(0, 0);
    std::vector<std::string> items = ItemsOf(Ids::kIdChargeType);
    EXPECT_EQ(items.size(), 3u);
    ThenChoose("Timed Collection");
    ThenKeypadEntry("30");
    TapControl(Ids::kIdChargeType);
    items = ItemsOf(Ids::kIdChargeType);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[3], "15 sec");
    Choose(Ids::kIdChargeType, "15 sec");
    EXPECT_EQ(doc->ChargeDuration, 15);
    EXPECT_EQ(doc->PrevChargeDuration, 30);
}

TEST_F(MenuTest, ChannelTwoOffersNoTrigger) {
    OpenScreen(1, 0);
    std::vector<std::string> items = ItemsOf(Ids::kIdChargeType);
    EXPECT_EQ(std::count(items.begin(), items.end(), "Trigger (Ch.1)"), 0);
    EXPECT_EQ(items.size(), 2u);
}

// ---- page menu ---------------------------------------------------------------------------

TEST_F(MenuTest, ThePageMenuChangesTheChannelInPlace) {
    OpenScreen(0, 0);
    COneChannelView* before = &View();
    Choose(Ids::kIdPage, "Channel 2");
    EXPECT_EQ(&View(), before);
    EXPECT_EQ(View().ShownChannel(), 1);
    EXPECT_EQ(CaptionOf(Ids::kIdPage), " CH\r\n  2");
    EXPECT_EQ(doc->OneChannelShown, 0);  // the document keeps its channel
    Screenshot("one_channel_channel2.png");
    Choose(Ids::kIdRange, "High (0-500nA)");
    ASSERT_EQ(SentWithCode(0x00).size(), 1u);
    EXPECT_EQ(SentWithCode(0x00)[0].payload[0], 1);
}

TEST_F(MenuTest, RemoteViewSwitchShowsTheRequestedChannel) {
    OpenScreen(0, 0);
    EXPECT_EQ(View().ScreenKind(), RemoteScreenKind::OneChannel);
    EXPECT_TRUE(View().SwitchChannelView(kShowChannel2));
    EXPECT_EQ(View().ShownChannel(), 1);
    EXPECT_EQ(doc->OneChannelShown, 1);
    EXPECT_EQ(CaptionOf(Ids::kIdPage), " CH\r\n  2");
    EXPECT_TRUE(View().SwitchChannelView(kShowChannel1));
    EXPECT_EQ(View().ShownChannel(), 0);
}

}  // namespace
}  // namespace one_channel_test
