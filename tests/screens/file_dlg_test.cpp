// The data-file page and the file name box, driven by taps: saving writes the file below the
// test root's USB folder, an existing file is replaced only when the operator says so, and a
// missing or full device is told while the rows are kept.
#include <sys/mount.h>

#include <fstream>

#include "document/CKelvarinDoc.h"
#include "screens/CFileDlg.h"
#include "screens/CFileSaveDlg.h"
#include "support/temp_root.h"
#include "support/ui_fixture.h"

namespace {

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
    // In the name box: touch the name field (the bordered text starting with a blank); for
    // ThenEnterName, type `name` on its keypad and touch the box's OK.
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
        ThenType(name);
        ThenTapText("OK");
    }
    fs::path UsbFile(const std::string& name) { return root.Usb() / (name + ".csv"); }
    // Whether the rows are still there, unsaved, with the name starred.
    void ExpectRowsKept(const std::string& name, size_t rows = 2) {
        EXPECT_EQ(doc.MeasList.size(), rows);
        EXPECT_TRUE(ScreenHasText(name + "*"));
    }

    testing_support::TempRoot root;
    CKelvarinDoc doc;
    Host host;
    CFileDlg page;
};

// An existing file is replaced only after Yes; once titled, Save writes without asking.
TEST_F(FileDlgTest, SavingByTapsAsksBeforeReplacingAFileAndThenSavesWithoutAsking) {
    std::ofstream(UsbFile("run1")) << "old";
    EXPECT_TRUE(ScreenHasText("Untitled1*"));
    ThenExpectShown(" Untitled1");
    ThenDo([this] { Screenshot("file-save-dlg.png"); });
    ThenEnterName("run1");
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
    const std::string file = ReadFile(UsbFile("run1"));  // its layout: the data-file tests
    EXPECT_EQ(file.rfind("Kelvarin,", 0), 0u);
    EXPECT_TRUE(ScreenHasText("run1"));
    EXPECT_FALSE(ScreenHasText("run1*"));
    EXPECT_EQ(doc.MeasList.size(), 2u) << "saving keeps the rows on the screen";
    TapText("Save");  // nothing unsaved: no question, the fixture finds no step left over
    AddRows(1);
    ASSERT_TRUE(TapText("Save"));  // no step scripted: no question may be asked
    EXPECT_GT(ReadFile(UsbFile("run1")).size(), file.size());
}

// A device that is missing or full is told; nothing is lost (the other refusals of the writer:
// the data-file tests). An empty name is refused, and Cancel in the name box saves nothing.
TEST_F(FileDlgTest, AFailedOrCancelledSaveKeepsTheRows) {
    const struct {
        const char* name;
        const char* mountOptions;  // a small tmpfs on the USB folder; nullptr: no folder
        int moreRows;
        const char* told;
    } cases[] = {
        {"no device", nullptr, 0, "Device not found,"},
        {"full", "size=4k", 60, "Could not save data."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.mountOptions == nullptr)
            fs::remove_all(root.Usb());
        else if (mount("tmpfs", root.Usb().c_str(), "tmpfs", 0, c.mountOptions) != 0)
            continue;  // no mounting here: the device cannot be made
        AddRows(c.moreRows);
        ThenEnterName("run1");
        ThenExpectShown(c.told);
        ThenTapText("OK");
        TapText("Save");
        if (c.mountOptions != nullptr)
            umount(root.Usb().c_str());
        ExpectRowsKept("run1", 2 + c.moreRows);
        fs::create_directories(root.Usb());
    }
    ThenTouchNameField();  // an empty name: its OK is refused
    ThenTapText("Clear");
    ThenTapText("Enter");
    ThenTapText("OK");
    ThenTapText("Cancel");
    ASSERT_TRUE(TapText("Save"));
    EXPECT_TRUE(fs::is_empty(root.Usb()));
    EXPECT_EQ(doc.Untitled, 1);
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
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(ReadFile(UsbFile("lost")).rfind("Kelvarin,", 0), 0u);
    // Nothing unsaved and never saved: "New" leaves the set as it is.
    ASSERT_TRUE(TapText("New"));
    EXPECT_EQ(doc.Title, "Untitled2");

    AddRows(1);
    changed = 0;
    ThenTapText("No");
    ASSERT_TRUE(TapText("New"));
    EXPECT_TRUE(doc.MeasList.empty());
    EXPECT_EQ(doc.Title, "Untitled3");
    EXPECT_EQ(changed, 1);
}

}  // namespace
