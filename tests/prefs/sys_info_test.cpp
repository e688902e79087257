// The system-information dialog: the board-support word in its two shapes, the versions
// read from the launcher file and the build, the firmware answers, and "OK" closing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/Version.h"
#include "prefs/CSysInfoDlg.h"
#include "prefs/SystemVersions.h"
#include "support/dialog_steps.h"
#include "support/temp_root.h"
#include "support/ui_fixture.h"

namespace {

void WriteText(const std::filesystem::path& p, const std::string& text) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

TEST(BspVersionTest, WordsAndTextsGiveTheStatedShapes) {
    struct Case {
        std::string fileText;
        const char* version;
        const char* build;
    } cases[] = {
        {"0x02050700\n", "2.05", "7"},
        {"  33753600 ", "2.03", "10"},
        {"0xFFFFFFFF", "255.255", "255"},
        {"", "0.00", "0"},
        {"2.5", "0.00", "0"},
        {"-1", "0.00", "0"},
        {"0x1FFFFFFFF", "0.00", "0"},
        {"12abc", "0.00", "0"},
    };
    for (const Case& c : cases) {
        testing_support::TempRoot root;
        WriteText(root.Path() / prefs::kBspVersionFileName, c.fileText);
        const auto bsp = prefs::ReadBspVersion(root.Path());
        EXPECT_EQ(prefs::OsVersionText(bsp), c.version) << c.fileText;
        EXPECT_EQ(prefs::OsBuildText(bsp), c.build) << c.fileText;
    }
    testing_support::TempRoot empty;
    EXPECT_FALSE(prefs::ReadBspVersion(empty.Path()).has_value());
    EXPECT_EQ(prefs::LauncherVersionText(), "") << "no launcher file";
}

class SysInfoDlgTest : public testing_support::UiFixture {
  protected:
    testing_support::TempRoot root;
    CKelvarinDoc doc;
};

TEST_F(SysInfoDlgTest, ShowsEveryVersionAndClosesOnOk) {
    WriteText(root.FlashDisk() / "AutoRun" / "ZEL_LaunchApp_v2.exe",
              std::string("ELF padding\x01KVPRODUCT") + "VERSION=2.3.1.4" + '\0' + "tail");
    WriteText(root.Path() / "BspVersion", "0x01020300");
    doc.FirmwareVersion2 = "B1.07";
    doc.FirmwareVersion = "3.14";
    CSysInfoDlg dlg(doc);
    std::string own;
    ASSERT_TRUE(fw::GetOwnProductVersion(own, 0));
    const std::array<std::string, 6> expected = {"2.3.1.4", own, "B1.07", "3.14", "1.02", "3"};
    EXPECT_EQ(dlg.Values(), expected);
    EXPECT_EQ(std::count(own.begin(), own.end(), '.'), 3) << "the full form, not the short one";

    script->Then([&] {
        for (int row = 0; row < CSysInfoDlg::kRowCount; ++row) {
            EXPECT_EQ(testing_support::LabelText(&dlg, CSysInfoDlg::kIdFirstValue + row),
                      expected[static_cast<size_t>(row)]);
        }
        EXPECT_TRUE(ScreenHasText("Firmware Boot Version:"));
        EXPECT_TRUE(ScreenHasText("System Information"));
        for (const auto& t : OverflowingTexts())
            ADD_FAILURE() << "runs past its place: " << t.text;
        Screenshot("sys_info.png");
        testing_support::TouchOnTop(CSysInfoDlg::kIdOk);
    });
    EXPECT_EQ(dlg.DoModal(), fw::kIdOk);
}

}  // namespace
