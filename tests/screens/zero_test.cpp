// Zeroing as the operator runs it: the box over the disabled screen, its progress over the
// 240 packets, completion with its sound, and Cancel leaving the old offsets.
#include "boardsim/BoardSim.h"
#include "screens/CPlaceholderView.h"
#include "screens/CZeroDlg.h"
#include "screens/framework_fixture.h"

namespace {

class Zeroing : public screens_test::FrameworkFixture {
  protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        view = Show<CScintPlaceholderView>();
        doc->Channel[0].Range = doc->Channel[1].Range = 1;
        doc->ApplyRanges();
        // A leaking input gives the zero something to take away.
        boardsim::ChannelModel leaking;
        leaking.leakageFa = 40000.0;
        link->Board().SetChannel(0, leaking);
        link->Board().SetChannel(1, leaking);
    }
    CKelvarinFormView* view = nullptr;
};

TEST_F(Zeroing, ProgressFollowsThePacketsAndCompletionStoresOnlyThatChannel) {
    doc->Filter.Cal[1].High.Zero = 4321;
    doc->Filter.Cal[0].Low.Zero = 99;
    const size_t before = link->sent.size();
    view->BeginZeroing(0);
    EXPECT_EQ(SentCodes(before), std::vector<uint8_t>{0x03});
    ASSERT_NE(view->ZeroDialog(), nullptr);
    EXPECT_TRUE(view->ZeroDialogOpen());
    EXPECT_FALSE(view->IsEnabled());
    EXPECT_TRUE(ScreenShows("Zeroing Channel 1"));
    EXPECT_TRUE(ScreenShows("Please Wait"));

    link->SendAdc(120);
    Advance(100);
    EXPECT_EQ(view->ZeroDialog()->Progress(), 120);
    Screenshot("zero_progress.png");

    link->SendAdc(120);
    Advance(100);
    EXPECT_EQ(view->ZeroDialog(), nullptr);
    EXPECT_FALSE(view->ZeroDialogOpen());
    EXPECT_TRUE(view->IsEnabled());
    EXPECT_EQ(fw::LastPlayedSound(), "SNDZEROCOMPLETE");
    EXPECT_NE(doc->Filter.Cal[0].High.Zero, 0);
    // Channel 2 and the other range keep what they had.
    EXPECT_EQ(doc->Filter.Cal[1].High.Zero, 4321);
    EXPECT_EQ(doc->Filter.Cal[0].Low.Zero, 99);
    EXPECT_FALSE(ScreenShows("Please Wait"));
}

TEST_F(Zeroing, BothChannelsAreNamedAndZeroed) {
    view->BeginZeroing(2);
    EXPECT_TRUE(ScreenShows("Zeroing Channel 1 & 2"));
    link->SendAdc(240);
    Advance(100);
    EXPECT_FALSE(view->ZeroDialogOpen());
    EXPECT_NE(doc->Filter.Cal[0].High.Zero, 0);
    EXPECT_NE(doc->Filter.Cal[1].High.Zero, 0);
}

TEST_F(Zeroing, CancelAfter200PacketsKeepsThePreviousOffsetAndIsSilent) {
    doc->Filter.Cal[0].High.Zero = 2468;
    view->BeginZeroing(0);
    link->SendAdc(200);
    Advance(100);
    const std::string soundBefore = fw::LastPlayedSound();
    ASSERT_TRUE(TapText("Cancel"));
    fw::Loop().ProcessReady();
    EXPECT_FALSE(view->ZeroDialogOpen());
    EXPECT_TRUE(view->IsEnabled());
    EXPECT_FALSE(doc->Filter.Zeroing);
    EXPECT_EQ(doc->Filter.Cal[0].High.Zero, 2468);
    EXPECT_EQ(fw::LastPlayedSound(), soundBefore);
    // Later packets store nothing.
    link->SendAdc(100);
    EXPECT_EQ(doc->Filter.Cal[0].High.Zero, 2468);
}

TEST_F(Zeroing, WithoutPacketsTheBoxWaitsForCancel) {
    view->BeginZeroing(1);
    Advance(30000);
    ASSERT_NE(view->ZeroDialog(), nullptr);
    EXPECT_EQ(view->ZeroDialog()->Progress(), 0);
    EXPECT_TRUE(view->ZeroDialogOpen());
}

TEST_F(Zeroing, ASecondStartWhileOpenIsIgnored) {
    view->BeginZeroing(0);
    CZeroDlg* first = view->ZeroDialog();
    const size_t before = link->sent.size();
    view->BeginZeroing(1);
    EXPECT_EQ(view->ZeroDialog(), first);
    EXPECT_EQ(first->ZeroChannels(), 0);
    EXPECT_EQ(link->sent.size(), before);
}

}  // namespace
