// The data-file page and the file name box, driven by taps: saving writes the file below the
// test root's USB folder, an existing file is replaced only when the operator says so, and a
// missing, full or write-protected device is told while the rows are kept.
#include <gmock/gmock.h>
#include <sys/mount.h>

#include <fstream>

#include "controls/CKeypadDlg.h"
#include "controls/CTouchTabCtrl.h"
#include "document/CKelvarinDoc.h"
#include "screens/CFileDlg.h"
#include "screens/CFileSaveDlg.h"
#include "support/temp_root.h"
#include "support/ui_fixture.h"

namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

class Host : public fw::Window {
  public:
    void OnPaint(fw::Dc& dc) override { dc.FillRect(GetRect(), fw::colors::kWhite); }
};

std::string ReadFile(const fs::path& p) {
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
    // In the name box: touch the name field (the bordered text starting with a blank), then
    // type `name` on its keypad.
    void ThenTouchNameField() {
        ThenDo([this] {
            for (const auto& t : Texts()) {
                if (!t.text.empty() && t.text[0] == ' ')
                    return testing_support::TouchCentreOf(t.box);
            }
            ADD_FAILURE() << "no name field shown";
        });
    }
    void ThenEnterName(const std::string& name) {
        ThenTouchNameField();
        ThenExpectShown("Enter Filename");
        ThenType(name);
        ThenExpectShown(" " + name);
    }
    // Saves by taps under `name`, with nothing asked after the name box.
    void SaveAs(const std::string& name) {
        ThenEnterName(name);
        ThenTapText("OK");
        ASSERT_TRUE(TapText("Save"));
    }
    fs::path UsbFile(const std::string& name) { return root.Usb() / (name + ".csv"); }
    // Whether the rows are still there, unsaved, with the name starred.
    void ExpectRowsKept(const std::string& name, size_t rows = 2) {
        EXPECT_EQ(doc.MeasList.size(), rows);
        EXPECT_EQ(doc.DataUnsaved, 1);
        EXPECT_TRUE(ScreenHasText(name + "*"));
        EXPECT_TRUE(page.SaveEnabled());
    }

    testing_support::TempRoot root;
    CKelvarinDoc doc;
    Host host;
    CFileDlg page;
};

TEST_F(FileDlgTest, ShowsTheNameWithAStarAndOffersSaveOnlyWhileRowsAreUnsaved) {
    EXPECT_TRUE(ScreenHasText("Untitled1*"));
    EXPECT_TRUE(page.SaveEnabled());
    EXPECT_TRUE(OverflowingTexts().empty());
    Screenshot("file-page.png");
    doc.DataUnsaved = 0;
    doc.MeasUnsaved = 0;
    fw::Message showing{page.Handle(), CTouchTabCtrl::kPageShowing, 0, 0, {}};
    page.OnMessage(showing);
    EXPECT_TRUE(ScreenHasText("Untitled1"));
    EXPECT_FALSE(page.SaveEnabled());
    auto save = FindText("Save");
    ASSERT_TRUE(save.has_value());
    EXPECT_EQ(save->color, fw::colors::kDisabledText);
    TapText("Save");  // a disabled Save asks nothing: the fixture finds no step left over
}

TEST_F(FileDlgTest, SavingByTapsWritesTheFileAndASecondSaveOverwritesWithoutAsking) {
    ThenExpectShown("Save As");
    ThenExpectShown(" Untitled1");
    ThenDo([this] {
        EXPECT_TRUE(OverflowingTexts().empty());
        Screenshot("file-save-dlg.png");
    });
    SaveAs("run1");
    const std::string file = ReadFile(UsbFile("run1"));  // its layout: the data-file tests
    EXPECT_THAT(file, HasSubstr("Channel 1\r\n"));
    EXPECT_EQ(doc.Title, "run1");
    EXPECT_EQ(doc.DataUnsaved, 0);
    EXPECT_TRUE(ScreenHasText("run1"));
    EXPECT_FALSE(ScreenHasText("run1*"));
    EXPECT_FALSE(page.SaveEnabled());
    EXPECT_EQ(doc.MeasList.size(), 2u) << "saving keeps the rows on the screen";

    AddRows(1);
    EXPECT_TRUE(ScreenHasText("run1*"));
    ASSERT_TRUE(TapText("Save"));  // no step scripted: no question may be asked
    EXPECT_GT(ReadFile(UsbFile("run1")).size(), file.size());
    EXPECT_TRUE(ScreenHasText("run1"));
}

TEST_F(FileDlgTest, AnExistingFileIsReplacedOnlyAfterYes) {
    std::ofstream(UsbFile("run1")) << "old";
    ThenEnterName("run1");
    ThenTapText("OK");
    ThenExpectShown("File already exists, do you want to overwrite?");
    ThenTapText("No");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_EQ(ReadFile(UsbFile("run1")), "old");
    ExpectRowsKept("run1");

    // Still untitled: the name is asked again, preset with the one entered before.
    ThenExpectShown(" run1");
    ThenTapText("OK");
    ThenTapText("Yes");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_EQ(ReadFile(UsbFile("run1")).rfind("Kelvarin,", 0), 0u);
    EXPECT_FALSE(page.SaveEnabled());
}

// A device that is missing or full is told; nothing is lost (the other refusals of the writer:
// the data-file tests).
TEST_F(FileDlgTest, AFailedSaveIsToldAndTheRowsAreKept) {
    struct Case {
        const char* name;
        const char* mountOptions;  // a small tmpfs on the USB folder; nullptr: no folder
        unsigned long flags;
        int moreRows;
        const char* told;
    } cases[] = {
        {"no device", nullptr, 0, 0, "Device not found,"},
        {"full", "size=4k", 0, 60, "Could not save data."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.mountOptions == nullptr)
            fs::remove_all(root.Usb());
        else if (mount("tmpfs", root.Usb().c_str(), "tmpfs", c.flags, c.mountOptions) != 0)
            continue;  // no mounting here: the device cannot be made
        AddRows(c.moreRows);
        ThenEnterName("run1");
        ThenTapText("OK");
        ThenExpectShown(c.told);
        ThenDo([this] { EXPECT_FALSE(ScreenHasText("Cancel")) << "an OK-only notice"; });
        ThenTapText("OK");
        TapText("Save");
        if (c.mountOptions != nullptr)
            umount(root.Usb().c_str());
        ExpectRowsKept("run1", 2 + c.moreRows);
        fs::create_directories(root.Usb());
        doc.ClearMeasurements();
        AddRows(2);
    }
    ThenExpectShown("Save As");  // Cancel in the name box saves nothing
    ThenTapText("Cancel");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_TRUE(fs::is_empty(root.Usb()));
    EXPECT_EQ(doc.Untitled, 1);
}

TEST_F(FileDlgTest, TheNameBoxOffersOkOnlyWithANameAndItsKeypadCancelKeepsTheName) {
    CFileSaveDlg dlg(kCaptionSave, "run7");
    ThenExpectShown(" run7");
    ThenDo([&] { EXPECT_TRUE(dlg.FindChild(CFileSaveDlg::kIdOk)->IsEnabled()); });
    ThenTouchNameField();
    ThenTapText("Clear");
    ThenTapText("Enter");
    ThenDo([&] { EXPECT_FALSE(dlg.FindChild(CFileSaveDlg::kIdOk)->IsEnabled()); });
    ThenTapText("OK");  // refused: the key is disabled
    ThenDo([&] { EXPECT_TRUE(dlg.IsOpen()); });
    ThenTapText("Cancel");
    EXPECT_EQ(dlg.DoModal(), fw::kIdCancel);

    CFileSaveDlg preset(kCaptionSaveAs, "abc");
    ThenTouchNameField();
    ThenExpectShown("abc_");
    ThenTapText("d");
    ThenDo([this] {  // the keypad's Cancel, drawn last above the box's own
        std::optional<fw::DrawnText> found;
        for (const auto& t : Texts())
            found = t.text == "Cancel" ? t : found;
        ASSERT_TRUE(found.has_value());
        testing_support::TouchCentreOf(found->extent);
    });
    ThenExpectShown(" abc");
    ThenTapText("OK");
    EXPECT_EQ(preset.DoModal(), fw::kIdOk);
    EXPECT_EQ(preset.Name(), "abc");
    EXPECT_EQ(preset.Caption(), "Save As");
}

// "New" over unsaved rows asks first; what the operator answers decides what is left.
TEST_F(FileDlgTest, NewAsksAboutUnsavedRows) {
    int changed = 0;  // the screen hears of the data set that replaced the rows
    page.SetOnDataSetChanged([&] { ++changed; });
    ThenExpectShown("You have un-saved measurement data.");
    ThenTapText("Cancel");
    ASSERT_TRUE(TapText("New"));
    ExpectRowsKept("Untitled1");

    ThenTapText("Yes");
    ThenEnterName("lost");
    ThenTapText("OK");
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(ReadFile(UsbFile("lost")).rfind("Kelvarin,", 0), 0u);
    EXPECT_TRUE(doc.MeasList.empty());
    EXPECT_TRUE(ScreenHasText("Untitled2"));
    // Nothing unsaved and never saved: "New" leaves the set as it is.
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(doc.Title, "Untitled2");

    AddRows(1);
    changed = 0;
    ThenTapText("No");
    ASSERT_TRUE(TapText("New"));
    EXPECT_TRUE(doc.MeasList.empty());
    EXPECT_EQ(doc.Title, "Untitled3");
    EXPECT_FALSE(page.SaveEnabled());
    EXPECT_EQ(changed, 1);
}

}  // namespace
