// Board control: the brightness and volume arithmetic, the order in which the backlight
// lines are driven, the stored brightness, and the senders.
#include <gtest/gtest.h>

#include <fstream>

#include "board/CHWControl.h"
#include "document/CKelvarinDoc.h"
#include "support/in_process_board.h"
#include "support/temp_root.h"

namespace {

using board::PanelAction;
using board::PanelStep;

class BoardControl : public ::testing::Test {
  protected:
    void SetUp() override { board::ResetPanel(); }
    testing_support::TempRoot root;
    CHWControl hw;
};

// Brightness steps give seventy percent of their share with a ten percent floor; volume steps
// fill both halves of the word and stay at the top beyond it instead of wrapping to quiet.
TEST(PanelArithmetic, BrightnessAndVolumeSteps) {
    for (const auto& [step, duty] :
         {std::pair{0, 0}, {1, 10}, {2, 14}, {3, 21}, {5, 35}, {10, 70}, {12, 70}, {-4, 0}})
        EXPECT_EQ(CHWControl::BrightnessDuty(step), duty) << step;
    for (const auto& [step, word] : {std::pair{8, 0xCCC8CCC8u},
                                     {10, 0xFFFAFFFAu},
                                     {0, 0u},
                                     {1, 0x19991999u},
                                     {11, 0xFFFAFFFAu},
                                     {-1, 0u}})
        EXPECT_EQ(CHWControl::VolumeSetting(step), word) << step;
}

// The enable line is pulsed before the duty is set; brightness 0 leaves it low. Backlight
// power drives the line and announces each change.
TEST_F(BoardControl, BrightnessVolumeAndPowerDriveThePanelInOrder) {
    hw.SetBrightness(0);
    EXPECT_FALSE(board::Panel().enablePin);
    hw.SetBrightness(5);
    EXPECT_TRUE(board::Panel().enablePin);
    hw.SetVolume(8);
    hw.SetBacklightPower(false);
    EXPECT_EQ(board::Panel().steps, (std::vector<PanelStep>{{PanelAction::EnablePin, 0},
                                                            {PanelAction::Duty, 0},
                                                            {PanelAction::EnablePin, 0},
                                                            {PanelAction::EnablePin, 1},
                                                            {PanelAction::Duty, 35},
                                                            {PanelAction::Volume, 0xCCC8CCC8u},
                                                            {PanelAction::EnablePin, 0},
                                                            {PanelAction::BacklightPower, 0},
                                                            {PanelAction::ChangeAnnounced, 1}}));
    EXPECT_FALSE(board::Panel().backlightOn);
}

TEST_F(BoardControl, RestoreUsesTheStoredBrightnessOrStepEight) {
    hw.RestoreBrightness(true);
    EXPECT_EQ(board::Panel().dutyPercent, 56);
    std::ofstream(root.FlashDisk() / "ZELTarvo.xml")
        << "<?xml version=\"1.0\"?><root><SysInfo><Brightness value=\"3\"/></SysInfo></root>";
    hw.RestoreBrightness(true);
    EXPECT_EQ(board::Panel().dutyPercent, 21);
    hw.RestoreBrightness(false);
    EXPECT_EQ(board::Panel().dutyPercent, 0);
}

TEST_F(BoardControl, SendersBuildTheBoardPacketsAndFailWithoutALink) {
    EXPECT_FALSE(hw.SetRange(0, 1));
    CKelvarinDoc doc;
    hw.SetDoc(&doc);
    EXPECT_FALSE(hw.SetBias(0, 300));
    testing_support::InProcessBoard link(doc);
    EXPECT_TRUE(hw.SetRange(1, 0));
    EXPECT_TRUE(hw.SetBias(0, -300));
    EXPECT_TRUE(hw.SetControlsEnabled(false));
    EXPECT_TRUE(hw.SetDateTime());
    ASSERT_EQ(link.sent.size(), 4u);
    const auto& sent = link.sent;
    EXPECT_EQ((std::vector<int>{sent[0].code, sent[0].payload[0], sent[0].payload[1], sent[1].code,
                                sent[2].code, sent[2].payload[0], sent[3].code}),
              (std::vector<int>{0x00, 1, 0, 0x01, 0x04, 0, 0x02}));
    EXPECT_EQ(int16_t(sent[1].payload[1] | sent[1].payload[2] << 8), -300);
    EXPECT_EQ(link.Board().BiasVolts(0), -300);
    EXPECT_EQ(link.Board().Range(1), 0);
}

}  // namespace
