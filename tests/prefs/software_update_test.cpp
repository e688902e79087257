// The software update from a USB folder below a test root, answered by an operator: what is
// copied where, the settings marker, the messages, copies that fail midway, sources that are
// not plain files, a missing device, and the power key during the update.
#include <sys/stat.h>

#include <fstream>
#include <set>

#include "controls/CNotifyBox.h"
#include "link/WindowMessages.h"
#include "prefs/CDetectUSBStorageBox.h"
#include "prefs/SoftwareUpdate.h"
#include "prefs/UpdateFiles.h"
#include "screens/CPlaceholderView.h"
#include "screens/CSplashView.h"
#include "settings/CXmlHelper.h"
#include "settings/settings_test_support.h"
#include "support/dialog_steps.h"
#include "support/screen_fixture.h"

namespace {

namespace fs = std::filesystem;
using prefs::UpdateOutcome;
using settings_test::ReadText;

constexpr const char* kQuestion = "Updates are available, would you like to update?";
constexpr const char* kComplete =
    "To complete updates:\n1: Remove USB device\n2: Remove power\n3: Wait 10 seconds\n4: "
    "Re-connect power";

void WriteAll(const fs::path& p, const std::string& content) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}

// Bytes that differ from block to block, larger than one copy block.
std::string Image(char seed) {
    std::string bytes;
    for (int block = 0; block < 200; ++block)
        bytes += std::string(1024, static_cast<char>(seed + block));
    return bytes;
}

class SoftwareUpdateTest : public testing_support::ScreenFixture {
  protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        view = Show<CScintPlaceholderView>();
    }
    void TearDown() override {
        prefs::SetCopyFaultHook(nullptr);
        ScreenFixture::TearDown();
    }

    fs::path Usb(const char* name) const { return root->Usb() / name; }
    fs::path Flash(const char* path) const { return root->FlashDisk() / path; }
    std::string Marker() const {
        CXmlHelper xml("\\FlashDisk\\ZELTarvo.xml");
        const char* value = xml.FindValue(kCategoryUpdates, "App");
        return value != nullptr ? value : "";
    }

    // Runs the update, answering each box as an operator would: the search finds the device
    // at its first check (or never, after `searchChecks`), the question gets `answer` (none:
    // the power key is pressed instead), the notices run their time and every other box gets
    // "OK". Texts shown go to `shown`.
    prefs::UpdateReport RunUpdate(const std::string& answer = "Yes", int searchChecks = 1) {
        auto runModal = [this, answer, searchChecks](CModalDialog& box) {
            if (dynamic_cast<CDetectUSBStorageBox*>(&box) != nullptr) {
                for (int i = 0; i < searchChecks; ++i)
                    script->Then([this] { clock->Advance(CNotifyBox::kDefaultDurationMs); });
            } else if (auto* notice = dynamic_cast<CNotifyBox*>(&box)) {
                script->Then([this, notice] {
                    shown.push_back(testing_support::LabelText(notice, CNotifyBox::kIdMessage));
                    if (beforeCopies)
                        beforeCopies();
                });
                script->Then([this] { clock->Advance(3000); });
            } else if (boxesToAnswer-- > 0) {
                script->Then([this, answer] {
                    std::string text =
                        testing_support::LabelText(fw::Loop().TopLevel(), CMsgBox::kIdMessage);
                    shown.push_back(text);
                    if (text == kQuestion && answer.empty())
                        fw::Loop().Post(view->Handle(), WM_BOARD_STANDBY);
                    else
                        testing_support::AnswerBox(text == kQuestion ? answer : "OK");
                });
            }
            return view->RunModal(box);
        };
        return prefs::SoftwareUpdate(*doc, runModal, [this] { view->DeliverHeldBoardEvents(); });
    }

    // Status bytes of the standby answers sent so far.
    std::vector<uint8_t> StandbyAnswers() const {
        std::vector<uint8_t> answers;
        for (const BOARD_PACKET& p : SentWithCode(0x86))
            answers.push_back(p.status);
        return answers;
    }

    CKelvarinFormView* view = nullptr;
    std::vector<std::string> shown;
    std::function<void()> beforeCopies;
    int boxesToAnswer = 100;  // message boxes; the board closes those beyond
};

// Launcher, program and firmware staged. The disk fills during the launcher and the program
// copies: the old files stay, the error is told, no program is marked, the firmware still goes.
// Then each is copied whole, an old launcher marked read-only replaced all the same, the program
// marked for the launcher, the sources left as they were.
TEST_F(SoftwareUpdateTest, ACopyFailingMidwayKeepsTheOldFileThenAllIsCopiedAndMarked) {
    WriteAll(Usb("readme.txt"), "not an update");
    WriteAll(Flash("ZELTarvo.xml"), "");
    WriteAll(Flash("AutoRun/ZEL_LaunchApp_v2.exe"), "old launcher");
    fs::permissions(Flash("AutoRun/ZEL_LaunchApp_v2.exe"), fs::perms::owner_read);
    WriteAll(Usb("ZEL_LaunchApp_v2.exe"), Image('L'));
    WriteAll(Usb("ZELTarvo_v2.exe"), Image('A'));
    WriteAll(Usb("mainbd.hex"), ":10000000\n");
    prefs::SetCopyFaultHook([](const fs::path& to, uint64_t written) {
        return to.filename() != "mainbd.hex" && written > 64 * 1024 ? ENOSPC : 0;
    });

    const prefs::UpdateReport report = RunUpdate();
    EXPECT_EQ(report.outcome, UpdateOutcome::CopyFailed);
    EXPECT_EQ(report.lastError, ENOSPC);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], "Updated files failed to copy, Error = 28");
    EXPECT_EQ(ReadText(Flash("AutoRun/ZEL_LaunchApp_v2.exe")), "old launcher");
    EXPECT_FALSE(fs::exists(Flash("Update/ZELTarvo_v2.exe")));
    EXPECT_FALSE(fs::exists(Flash("Update/ZELTarvo_v2.exe.new")));
    EXPECT_EQ(Marker(), "") << "no program is staged, so none may be installed";
    EXPECT_TRUE(report.firmwareStaged);
    EXPECT_EQ(ReadText(Flash("Update/mainbd.hex")), ":10000000\n");

    prefs::SetCopyFaultHook(nullptr);
    shown.clear();
    EXPECT_EQ(RunUpdate().outcome, UpdateOutcome::Updated);
    EXPECT_EQ(shown, (std::vector<std::string>{kQuestion, "Please wait, updating...", kComplete}));
    EXPECT_EQ(ReadText(Flash("AutoRun/ZEL_LaunchApp_v2.exe")), Image('L'));
    EXPECT_EQ(ReadText(Flash("Update/ZELTarvo_v2.exe")), Image('A'));
    EXPECT_EQ(Marker(), "App");
    EXPECT_TRUE(fs::exists(Usb("ZELTarvo_v2.exe")));
}

// An empty mount point is no device; links and what is not a plain file are no updates; the power
// key at the question ends the update as a No does. Nothing is copied, the power key's request
// taken.
TEST_F(SoftwareUpdateTest, NoDeviceNoUpdatesNoAndThePowerKeyAtTheQuestionCopyNothing) {
    EXPECT_EQ(RunUpdate("Yes", 30).outcome, UpdateOutcome::NoDevice);  // after its 30 checks
    EXPECT_TRUE(shown.empty());

    WriteAll(root->Path() / "outside.bin", "from outside the device");
    fs::create_symlink(root->Path() / "outside.bin", Usb("ZEL_LaunchApp_v2.exe"));
    ASSERT_EQ(::mkfifo(Usb("mainbd.hex").c_str(), 0600), 0);
    EXPECT_EQ(RunUpdate().outcome, UpdateOutcome::NoUpdates);
    EXPECT_EQ(shown, std::vector<std::string>{"No Updates are available"});
    EXPECT_FALSE(fs::exists(Flash("AutoRun/ZEL_LaunchApp_v2.exe")));

    WriteAll(Usb("ZELTarvo_v2.exe"), Image('A'));
    for (const char* answer : {"No", ""}) {
        shown.clear();
        EXPECT_EQ(RunUpdate(answer).outcome, UpdateOutcome::Declined);
        EXPECT_EQ(shown, std::vector<std::string>{kQuestion});
        EXPECT_FALSE(fs::exists(Flash("Update")));
        EXPECT_EQ(Marker(), "");
    }
    fw::Loop().ProcessReady();
    EXPECT_EQ(StandbyAnswers(), std::vector<uint8_t>{0x00});
}

// The power key under the notice and again during the program's copy, with a wake event in
// the same copy: both requests are refused, the page and the copies go on, and the wake is
// delivered once the copies are over (it closes the summary and leads through the warm-up).
TEST_F(SoftwareUpdateTest, ThePowerKeyIsRefusedFromYesToTheLastCopyAndWakeWaitsForTheEnd) {
    WriteAll(Usb("ZELTarvo_v2.exe"), Image('A'));
    WriteAll(Usb("mainbd.hex"), ":10000000\n");
    beforeCopies = [this] { fw::Loop().Post(view->Handle(), WM_BOARD_STANDBY); };
    boxesToAnswer = 1;  // the question; the held wake closes the summary
    bool pageKeptDuringCopies = true;
    std::set<fs::path> copying;
    prefs::SetCopyFaultHook([&](const fs::path& to, uint64_t) {
        if (!copying.insert(to).second)
            return 0;  // only the first block of each copy
        pageKeptDuringCopies = pageKeptDuringCopies && Active() == view;
        if (to.filename() == "ZELTarvo_v2.exe") {
            fw::Loop().Post(view->Handle(), WM_BOARD_STANDBY);
            fw::Loop().Post(view->Handle(), WM_BOARD_WAKE);
        }
        return 0;
    });

    EXPECT_EQ(RunUpdate().outcome, UpdateOutcome::Updated);
    fw::Loop().ProcessReady();

    EXPECT_EQ(StandbyAnswers(), (std::vector<uint8_t>{0xFF, 0xFF}));
    EXPECT_TRUE(pageKeptDuringCopies) << "the wake waited for the last copy";
    EXPECT_EQ(doc->UpdateRunning, 0);
    EXPECT_TRUE(ActiveIs<CSplashView>()) << "the held wake was delivered";
}

}  // namespace
