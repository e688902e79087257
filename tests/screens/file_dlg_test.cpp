// The data-file page and the file name box, driven by taps: saving writes the
// file below the test root's USB folder, an existing file is replaced only when the operator
// says so, and a missing, full or write-protected device is told while the rows are kept.
#include <gmock/gmock.h>
#include <sys/mount.h>

#include <fstream>

#include "controls/CKeypadDlg.h"
#include "controls/CTouchTabCtrl.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "screens/CFileDlg.h"
#include "screens/CFileSaveDlg.h"
#include "support/TempRoot.h"
#include "support/UiFixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class Host : public fw::Window {
  public:
    void OnPaint(fw::Dc& dc) override { dc.FillRect(GetRect(), fw::colors::kWhite); }
};

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class FileDlgTest : public testing_support::UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        host.Create(nullptr, fw::kScreenRect);
        fw::Loop().PushTopLevel(&host);
        page.CreatePage(&host, {20, 100, 620, 260}, doc);
        AddRows(2);
    }
    void TearDown() override {
        EXPECT_TRUE(script->ScriptEmpty()) << "steps left over";
        fw::Loop().RemoveTopLevel(&host);
        UiFixture::TearDown();
    }
    void AddRows(int n) {
        for (int i = 0; i < n; ++i) {
            MEAS_INFO row;
            doc.AddMeasurement(true, row);
        }
        doc.DataUnsaved = 1;
        page.Refresh();
    }
    void ThenDo(std::function<void()> step) { script->Then(std::move(step)); }
    // Taps the last-drawn (so topmost) text `text`, when lower layers show it too.
    void ThenTapTopmost(const std::string& text) {
        ThenDo([this, text] {
            std::optional<fw::DrawnText> found;
            for (const auto& t : Texts()) {
                if (t.text == text)
                    found = t;
            }
            ASSERT_TRUE(found.has_value()) << text;
            const fw::Point p{(found->extent.left + found->extent.right) / 2,
                              (found->extent.top + found->extent.bottom) / 2};
            fw::Loop().InjectTouch({fw::TouchKind::Down, p});
            fw::Loop().InjectTouch({fw::TouchKind::Up, p});
        });
    }
    // Everything the panel shows, one text after the other, for texts wrapped on lines.
    std::string AllText() {
        std::string all;
        for (const auto& t : Texts())
            all += t.text + "\n";
        return all;
    }
    void ThenExpectShown(const std::string& text) {
        ThenDo([this, text] { EXPECT_TRUE(ScreenHasText(text)) << "\"" << text << "\" not shown"; });
    }
    // In the name box: touch the field, type `name` on the keypad after clearing it, Enter.
    void ThenEnterName(const std::string& name) {
        ThenDo([this] {
            const fw::Rect r = FieldRect();
            const fw::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            fw::Loop().InjectTouch({fw::TouchKind::Down, p});
            fw::Loop().InjectTouch({fw::TouchKind::Up, p});
        });
        ThenExpectShown("Enter Filename");
        ThenTapText("Clear");
        for (char c : name)
            ThenTapText(std::string(1, c));
        ThenTapText("Enter");
        ThenExpectShown(" " + name);
    }
    // The name field of the open name box: the bordered text starting with a blank.
    fw::Rect FieldRect() {
        for (const auto& t : Texts()) {
            if (!t.text.empty() && t.text[0] == ' ')
                return t.box;
        }
        ADD_FAILURE() << "no name field shown";
        return {};
    }
    std::filesystem::path UsbFile(const std::string& name) { return root.Usb() / (name + ".csv"); }

    testing_support::TempRoot root;
    CKelvarinDoc doc;
    Host host;
    CFileDlg page;
};

TEST_F(FileDlgTest, ShowsTheNameWithAStarAndOffersSaveOnlyWhileRowsAreUnsaved) {
    EXPECT_TRUE(ScreenHasText("Untitled1*"));
    EXPECT_TRUE(page.SaveEnabled());
    doc.DataUnsaved = 0;
    doc.MeasUnsaved = 0;
    fw::Message showing{page.Handle(), CTouchTabCtrl::kPageShowing, 0, 0, {}};
    page.OnMessage(showing);
    EXPECT_TRUE(ScreenHasText("Untitled1"));
    EXPECT_FALSE(page.SaveEnabled());
    auto save = FindText("Save");
    ASSERT_TRUE(save.has_value());
    EXPECT_EQ(save->color, fw::colors::kDisabledText);
    const uint32_t bg = fw::Loop().GetSurface().PixelAt(save->box.left + 3, save->box.top + 3);
    EXPECT_EQ(bg & 0xFFFFFF, 0xFFFFFFu) << "grey on white, not grey on green";
    const int starved = fw::Loop().StarvedModalLoops();
    TapText("Save");
    EXPECT_EQ(fw::Loop().StarvedModalLoops(), starved) << "a disabled Save asks nothing";
}

TEST_F(FileDlgTest, SavingByTapsWritesTheFileOnTheUsbDevice) {
    ThenExpectShown("Save As");
    ThenExpectShown(" Untitled1");
    ThenEnterName("run1");
    ThenTapText("OK");
    ASSERT_TRUE(TapText("Save"));

    ASSERT_TRUE(std::filesystem::exists(UsbFile("run1")));
    const std::string file = ReadFile(UsbFile("run1"));
    EXPECT_EQ(file.rfind("Kelvarin,Serial Number,", 0), 0u);
    EXPECT_THAT(file, HasSubstr("Channel 1\r\n"));
    EXPECT_EQ(doc.Title, "run1");
    EXPECT_EQ(doc.Untitled, 0);
    EXPECT_EQ(doc.TitleSaved, 1);
    EXPECT_EQ(doc.DataUnsaved, 0);
    EXPECT_TRUE(ScreenHasText("run1"));
    EXPECT_FALSE(ScreenHasText("run1*"));
    EXPECT_FALSE(page.SaveEnabled());
    EXPECT_EQ(doc.MeasList.size(), 2u) << "saving keeps the rows on the screen";
}

TEST_F(FileDlgTest, ASecondSaveOfTheSameDataSetOverwritesWithoutAsking) {
    ThenEnterName("run1");
    ThenTapText("OK");
    ASSERT_TRUE(TapText("Save"));
    const size_t firstSize = ReadFile(UsbFile("run1")).size();
    AddRows(1);
    EXPECT_TRUE(ScreenHasText("run1*"));
    const int starved = fw::Loop().StarvedModalLoops();
    ASSERT_TRUE(TapText("Save"));
    EXPECT_EQ(fw::Loop().StarvedModalLoops(), starved) << "no question was asked";
    EXPECT_GT(ReadFile(UsbFile("run1")).size(), firstSize);
    EXPECT_TRUE(ScreenHasText("run1"));
}

TEST_F(FileDlgTest, AnExistingFileIsReplacedOnlyAfterYes) {
    std::ofstream(UsbFile("run1")) << "old";
    ThenEnterName("run1");
    ThenTapText("OK");
    ThenDo([this] {
        EXPECT_THAT(AllText(), HasSubstr("File already exists, do you want to overwrite?"));
        EXPECT_TRUE(ScreenHasText("Yes"));
        EXPECT_TRUE(ScreenHasText("No"));
    });
    ThenTapText("No");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_EQ(ReadFile(UsbFile("run1")), "old");
    EXPECT_TRUE(ScreenHasText("run1*"));
    EXPECT_TRUE(page.SaveEnabled());
    EXPECT_EQ(doc.MeasList.size(), 2u);

    // Still untitled: the name is asked again, preset with the one entered before.
    ThenExpectShown(" run1");
    ThenTapText("OK");
    ThenExpectShown("Yes");
    ThenTapText("Yes");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_EQ(ReadFile(UsbFile("run1")).rfind("Kelvarin,", 0), 0u);
    EXPECT_TRUE(ScreenHasText("run1"));
    EXPECT_FALSE(page.SaveEnabled());
}

TEST_F(FileDlgTest, WithoutAUsbDeviceTheOperatorIsToldAndTheRowsAreKept) {
    std::filesystem::remove_all(root.Usb());
    ThenEnterName("run1");
    ThenTapText("OK");
    ThenDo([this] {
        const std::string all = AllText();
        EXPECT_THAT(all, HasSubstr("Device not found,"));
        EXPECT_THAT(all, HasSubstr("USB storage"));
        EXPECT_FALSE(ScreenHasText("Cancel")) << "an OK-only notice";
    });
    ThenTapText("OK");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_EQ(doc.MeasList.size(), 2u);
    EXPECT_EQ(doc.DataUnsaved, 1);
    EXPECT_TRUE(ScreenHasText("run1*"));
    EXPECT_TRUE(page.SaveEnabled());
    EXPECT_FALSE(std::filesystem::exists(root.Usb()));
}

TEST_F(FileDlgTest, AWriteProtectedDeviceIsToldAndTheRowsAreKept) {
    if (mount("tmpfs", root.Usb().c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a device here";
    ThenEnterName("run1");
    ThenTapText("OK");
    ThenDo([this] { EXPECT_THAT(AllText(), HasSubstr("write-protected")); });
    ThenTapText("OK");
    TapText("Save");
    umount(root.Usb().c_str());
    EXPECT_EQ(doc.MeasList.size(), 2u);
    EXPECT_EQ(doc.DataUnsaved, 1);
    EXPECT_TRUE(ScreenHasText("run1*"));
}

TEST_F(FileDlgTest, AFullDeviceIsToldAndTheRowsAreKept) {
    if (mount("tmpfs", root.Usb().c_str(), "tmpfs", 0, "size=4k") != 0)
        GTEST_SKIP() << "cannot mount a small device here";
    AddRows(60);
    ThenEnterName("big");
    ThenTapText("OK");
    ThenDo([this] { EXPECT_THAT(AllText(), HasSubstr("Could not save data.")); });
    ThenTapText("OK");
    TapText("Save");
    umount(root.Usb().c_str());
    EXPECT_EQ(doc.MeasList.size(), 62u);
    EXPECT_EQ(doc.DataUnsaved, 1);
    EXPECT_TRUE(ScreenHasText("big*"));
}

TEST_F(FileDlgTest, CancelInTheNameBoxSavesNothing) {
    ThenExpectShown("Save As");
    ThenTapText("Cancel");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_TRUE(std::filesystem::is_empty(root.Usb()));
    EXPECT_TRUE(ScreenHasText("Untitled1*"));
    EXPECT_EQ(doc.Untitled, 1);
}

TEST_F(FileDlgTest, TheNameBoxOffersOkOnlyWithAName) {
    CFileSaveDlg dlg(kCaptionSave, "run7");
    ThenExpectShown("Save");
    ThenExpectShown(" run7");
    ThenDo([&] { EXPECT_TRUE(dlg.FindChild(CFileSaveDlg::kIdOk)->IsEnabled()); });
    ThenDo([this] {
        const fw::Rect r = FieldRect();
        fw::Loop().InjectTouch({fw::TouchKind::Down, {r.left + 20, r.top + 10}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {r.left + 20, r.top + 10}});
    });
    ThenTapText("Clear");
    ThenTapText("Enter");
    ThenDo([&] { EXPECT_FALSE(dlg.FindChild(CFileSaveDlg::kIdOk)->IsEnabled()); });
    ThenTapText("OK");  // refused: the key is disabled
    ThenDo([&] { EXPECT_TRUE(dlg.IsOpen()); });
    ThenTapText("Cancel");
    EXPECT_EQ(dlg.DoModal(), fw::kIdCancel);
}

TEST_F(FileDlgTest, TheKeypadPresetIsTheNameAndItsCancelKeepsIt) {
    CFileSaveDlg dlg(kCaptionSaveAs, "abc");
    ThenDo([this] {
        const fw::Rect r = FieldRect();
        fw::Loop().InjectTouch({fw::TouchKind::Down, {r.left + 20, r.top + 10}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {r.left + 20, r.top + 10}});
    });
    ThenExpectShown("abc_");
    ThenTapText("d");
    ThenTapTopmost("Cancel");  // the keypad's, above the box's own
    ThenExpectShown(" abc");
    ThenTapText("OK");
    EXPECT_EQ(dlg.DoModal(), fw::kIdOk);
    EXPECT_EQ(dlg.Name(), "abc");
    EXPECT_EQ(dlg.Caption(), "Save As");
}

TEST_F(FileDlgTest, NewAsksAboutUnsavedRowsAndCancelChangesNothing) {
    ThenDo([this] {
        const std::string all = AllText();
        EXPECT_THAT(all, HasSubstr("You have un-saved measurement data."));
        EXPECT_THAT(all, HasSubstr("Do you want to save?"));
    });
    ThenTapText("Cancel");
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(doc.MeasList.size(), 2u);
    EXPECT_TRUE(ScreenHasText("Untitled1*"));
}

TEST_F(FileDlgTest, NewWithNoDropsTheRowsAndStartsAnUntitledSet) {
    int changed = 0;
    page.SetOnDataSetChanged([&] { ++changed; });
    ThenTapText("No");
    ASSERT_TRUE(TapText("New"));
    EXPECT_TRUE(doc.MeasList.empty());
    EXPECT_EQ(doc.Title, "Untitled2");
    EXPECT_TRUE(ScreenHasText("Untitled2"));
    EXPECT_FALSE(page.SaveEnabled());
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(std::filesystem::is_empty(root.Usb()));
}

TEST_F(FileDlgTest, NewWithYesSavesFirstThenStartsANewSet) {
    ThenTapText("Yes");
    ThenExpectShown("Save As");
    ThenEnterName("before");
    ThenTapText("OK");
    ASSERT_TRUE(TapText("New"));
    EXPECT_TRUE(std::filesystem::exists(UsbFile("before")));
    EXPECT_EQ(ReadFile(UsbFile("before")).rfind("Kelvarin,", 0), 0u);
    EXPECT_TRUE(doc.MeasList.empty());
    EXPECT_TRUE(ScreenHasText("Untitled2"));
}

TEST_F(FileDlgTest, NewWithYesButNoDeviceKeepsTheRows) {
    std::filesystem::remove_all(root.Usb());
    ThenTapText("Yes");
    ThenEnterName("lost");
    ThenTapText("OK");
    ThenDo([this] { EXPECT_THAT(AllText(), HasSubstr("Device not found,")); });
    ThenTapText("OK");
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(doc.MeasList.size(), 2u);
    EXPECT_EQ(doc.DataUnsaved, 1);
}

TEST_F(FileDlgTest, NewAfterASaveStartsAtOnceAndNewOfANeverSavedEmptySetDoesNothing) {
    ThenEnterName("done");
    ThenTapText("OK");
    ASSERT_TRUE(TapText("Save"));
    const int starved = fw::Loop().StarvedModalLoops();
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(fw::Loop().StarvedModalLoops(), starved) << "nothing to ask";
    EXPECT_TRUE(ScreenHasText("Untitled2"));
    // Nothing unsaved and never saved: "New" leaves the set as it is.
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(doc.Title, "Untitled2");
}

TEST_F(FileDlgTest, WrittenFileUsesTabsWithTheTextDelimiter) {
    doc.DataFileDelimiter = 1;
    ThenEnterName("tabbed");
    ThenTapText("OK");
    ASSERT_TRUE(TapText("Save"));
    ASSERT_TRUE(std::filesystem::exists(root.Usb() / "tabbed.txt"));
    EXPECT_THAT(ReadFile(root.Usb() / "tabbed.txt"), HasSubstr("Kelvarin\tSerial Number\t"));
}

TEST_F(FileDlgTest, EveryTextOfThePageAndTheBoxFits) {
    std::vector<std::string> over;
    ThenDo([&] {
        for (const auto& t : OverflowingTexts())
            over.push_back(t.text);
        Screenshot("file-save-dlg.png");
    });
    ThenTapText("Cancel");
    EXPECT_TRUE(OverflowingTexts().empty());
    Screenshot("file-page.png");
    TapText("Save");
    EXPECT_TRUE(over.empty()) << over.front();
}

}  // namespace
