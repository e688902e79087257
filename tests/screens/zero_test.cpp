// Zeroing as the operator runs it: the box over the disabled screen, its progress over the
// 240 packets, completion with its sound, and Cancel (touched or from the remote) leaving the
// old offsets.
#include "boardsim/BoardSim.h"
#include "screens/CPlaceholderView.h"
#include "screens/CZeroDlg.h"
#include "support/screen_fixture.h"

namespace {

class Zeroing : public testing_support::ScreenFixture {
  protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        view = Show<CScintPlaceholderView>();
        doc->Channel[0].Range = doc->Channel[1].Range = 1;
        doc->ApplyRanges();
        // A leaking input gives the zero something to take away.
        boardsim::ChannelModel leaking;
        leaking.leakageFa = 40000.0;
        board->Board().SetChannel(0, leaking);
        board->Board().SetChannel(1, leaking);
    }
    void Packets(int n) {
        board->SendAdc(n);
        Advance(100);
    }
    CKelvarinFormView* view = nullptr;
};

TEST_F(Zeroing, ProgressFollowsThePacketsAndCompletionStoresOnlyThatChannel) {
    doc->Filter.Cal[1].High.Zero = 4321;
    doc->Filter.Cal[0].Low.Zero = 99;
    const size_t before = board->sent.size();
    view->BeginZeroing(0);
    EXPECT_EQ(SentCodes(before), std::vector<uint8_t>{0x03});
    EXPECT_FALSE(view->IsEnabled());
    EXPECT_TRUE(ScreenShows("Zeroing Channel 1"));
    view->BeginZeroing(1);  // a second start while open is ignored
    EXPECT_EQ(board->sent.size(), before + 1);
    Packets(120);
    EXPECT_EQ(view->ZeroDialog()->Progress(), 120);
    Screenshot("zero_progress.png");
    Packets(120);
    EXPECT_TRUE(view->IsEnabled());  // the box closed
    EXPECT_EQ(fw::LastPlayedSound(), "SNDZEROCOMPLETE");
    EXPECT_NE(doc->Filter.Cal[0].High.Zero, 0);
    // Channel 2 and the other range keep what they had.
    EXPECT_EQ(doc->Filter.Cal[1].High.Zero, 4321);
    EXPECT_EQ(doc->Filter.Cal[0].Low.Zero, 99);

    view->BeginZeroing(2);  // both channels, named
    EXPECT_TRUE(ScreenShows("Zeroing Channel 1 & 2"));
    Packets(240);
    EXPECT_NE(doc->Filter.Cal[1].High.Zero, 4321);
}

TEST_F(Zeroing, CancelAfter200PacketsKeepsThePreviousOffsetAndIsSilent) {
    for (bool fromRemote : {false, true}) {
        SCOPED_TRACE(fromRemote ? "from the remote" : "touched");
        EXPECT_FALSE(view->CancelZeroingFromRemote()) << "nothing to cancel";
        doc->Filter.Cal[0].High.Zero = 2468;
        view->BeginZeroing(0);
        Advance(30000);  // without packets the box waits
        Packets(200);
        const std::string soundBefore = fw::LastPlayedSound();
        if (fromRemote)
            EXPECT_TRUE(view->CancelZeroingFromRemote());
        else
            ASSERT_TRUE(TapText("Cancel"));
        fw::Loop().ProcessReady();
        EXPECT_TRUE(view->IsEnabled());  // the box closed
        EXPECT_FALSE(doc->Filter.Zeroing);
        EXPECT_EQ(fw::LastPlayedSound(), soundBefore);
        Packets(100);  // later packets store nothing
        EXPECT_EQ(doc->Filter.Cal[0].High.Zero, 2468);
    }
}

}  // namespace
