// The preferences screen as an operator uses it: every page's values applied and read back
// after a restart, entries refused by their rules, the password gates, the standards and
// T/P correction, clearing the libraries, leaving with changes, a failed save, standby.
#include <filesystem>

#include "controls/CNotifyBox.h"
#include "controls/MenuCommands.h"
#include "fw/Text.h"
#include "fw/Version.h"
#include "link/WindowMessages.h"
#include "prefs/CSysInfoDlg.h"
#include "prefs/SystemVersions.h"
#include "prefs_fixture.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "settings/settings_test_support.h"

namespace prefs_test {
namespace {

namespace fs = std::filesystem;
using settings_test::ReadText;
using settings_test::StoredValue;
using settings_test::WriteText;
using Gen = CGenTab;
using Data = CDataMgmntTab;
using Meas = CMeasmntTab;

constexpr int kCh1HighRate = 1289;

// With a threshold set over the remote port finer than the page shows it, and T/P correction
// on: a changed standard switches it off. A due date long past shows the warning image.
TEST_F(PrefsTest, EveryPageIsAppliedWrittenAndReadBackAfterARestart) {
    ASSERT_EQ(board->RemoteLine("<SLTS 3.04>"), "*\r\n");
    for (CHANNEL_INFO& ch : doc->Channel)
        ch.TPCorrection = 1;
    doc->SetPressure(700.0);
    doc->CalDueDate = {2015, 1, 31};
    OpenPrefs(CPrefsView::kGeneral);
    TapControl(Gen::kIdBrightnessUp);
    TapControl(Gen::kIdBrightnessUp);
    TapControl(Gen::kIdBrightnessUp);  // stops at 10
    TapControl(Gen::kIdVolumeDown);
    TapControl(Gen::kIdTime24);
    TapControl(Gen::kIdDateDMY);
    ThenType(kPassword);
    TapControl(Gen::kIdPassword);
    ShowPage(CPrefsView::kDataManagement);
    TapControl(Data::kIdFormatTxt);
    TapControl(Data::kIdStatistics);
    ShowPage(CPrefsView::kMeasurement);
    ThenType(kPassword);  // the document's protection is still on until Apply
    ThenChooseCommand(menu_cmd::kPressureKPa);
    TapControl(Meas::kIdPressure);
    ThenAnswer("OK");
    ThenKeypadEntry("5.5");
    TapControl(Meas::kIdHighStart);
    ThenAnswer("OK");
    ThenKeypadEntry("3.0");  // below the 3.04 in force, although both read "3.0"
    TapControl(Meas::kIdLowStop);
    ThenChooseCommand(menu_cmd::kChargeContinuous);
    TapControl(Meas::kIdDefaultType);
    ShowPage(CPrefsView::kCalibration);
    EXPECT_TRUE(Prefs().CalibrationPage().DueWarningShown());
    ThenType(kPassword);
    ThenKeypadEntry("1.02");
    TapControl(kCh1HighRate);
    EXPECT_EQ(CaptionOf(kCh1HighRate), "1.020");  // factors are shown with three decimals
    // Nothing reaches the document before Apply.
    EXPECT_EQ(doc->Brightness, 8);
    Apply();
    for (const CHANNEL_INFO& ch : doc->Channel) {
        EXPECT_EQ(ch.TPCorrection, 0);
        EXPECT_EQ(ch.Pressure, 101.3);
    }

    const std::unique_ptr<CKelvarinDoc> next = Restarted();
    // Brightness, volume, the formats, protection, delimiter, statistics, standard and its
    // pressure, the four thresholds, the default type and a factor left alone.
    EXPECT_EQ(
        (std::vector<double>{double(next->Brightness), double(next->Volume),
                             double(next->TimeFormat), double(next->DateFormat),
                             double(next->PasswordProtect), double(next->DataFileDelimiter),
                             double(next->DataFileStatistics), double(next->PressStd),
                             next->Channel[1].Pressure, next->HStart, next->HStop, next->LStart,
                             next->LStop, double(next->DefChargeType),
                             next->Filter.Cal[0].Low.RateCF, next->Filter.Cal[0].High.RateCF}),
        (std::vector<double>{10, 7, 1, 1, 0, 1, 1, 2, 101.3, 5.5, 2.5, 3.04, 3.0, 1, 1.0, 1.02}));
}

// Each entry with its keys, the message it must bring (none: taken) and the value then in
// force; protection is off so no password is asked. Thresholds come after the agency warning,
// the collection time after "Timed Collection" is chosen.
TEST_F(PrefsTest, EntriesAreHeldToTheirRulesWithTheirMessages) {
    const std::string order =
        "Trigger values are invalid.\r\nTrigger start value must be greater than the trigger "
        "stop value.";
    const std::string startRange = "Trigger start value invalid.\r\nValid range is 0.2 - 9.9 pA.";
    const std::string stopRange = "Trigger stop value invalid.\r\nValid range is 0.1 - 9.8 pA.";
    const std::string badTime = fw::LoadString(439);
    struct Entry {
        int id;
        const char* keys;
        std::string message;
        double expected;
    };
    const Entry cases[] = {
        {Meas::kIdHighStart, "10", startRange, 4.0},
        {Meas::kIdHighStart, "2.5", order, 4.0},
        {Meas::kIdHighStart, "9.9", "", 9.9},
        {Meas::kIdHighStop, "4.0", order, 2.5},
        {Meas::kIdHighStop, "0.0", stopRange, 2.5},
        {Meas::kIdHighStop, "0.25", "", 0.2},  // the keypad takes one decimal
        {Meas::kIdLowStart, "0.1", startRange, 0.8},
        {Meas::kIdLowStop, "9.9", stopRange, 0.5},
        {Meas::kIdLowStop, ".", "", 0.5},
        {Meas::kIdDefaultType, "0", badTime, 15},
        {Meas::kIdDefaultType, "86401", badTime, 15},
        {Meas::kIdDefaultType, "86400", "", 86400},
        {kCh1HighRate, "0.0004", CCalTab::kInvalidFactorText, 1.0},
        {kCh1HighRate, "99999999999999", "", 999999999999.0},
    };
    auto value = [](const PrefsValues& v, int id) {
        if (id == kCh1HighRate)
            return v.rateCF[0][1];
        if (id == Meas::kIdDefaultType)
            return double(v.defChargeDuration);
        const bool high = id == Meas::kIdHighStart || id == Meas::kIdHighStop;
        return v.Threshold(high ? 1 : 0, id == Meas::kIdHighStart || id == Meas::kIdLowStart);
    };
    doc->PasswordProtect = 0;
    for (const Entry& c : cases) {
        SCOPED_TRACE(std::string("control ") + std::to_string(c.id) + " keys " + c.keys);
        frame->SwitchToView(std::make_unique<COneChannelView>());
        OpenPrefs(c.id == kCh1HighRate ? CPrefsView::kCalibration : CPrefsView::kMeasurement);
        if (c.id == Meas::kIdDefaultType)
            ThenChooseCommand(menu_cmd::kChargeTimed);
        else if (c.id != kCh1HighRate)
            ThenAnswer("OK");
        ThenKeypadEntry(c.keys);
        std::string told;
        if (!c.message.empty())
            ThenAcknowledge(&told);
        TapControl(c.id);
        EXPECT_EQ(told, c.message);
        EXPECT_EQ(value(Prefs().Values(), c.id), c.expected);
        EXPECT_EQ(Prefs().PrefsChanged(),
                  c.message.empty() && c.expected != value(PrefsValues::FromDocument(*doc), c.id));
    }
}

// Every page as the operator sees it (PNG files below build/screens/), no text running out of
// its place.
TEST_F(PrefsTest, EachPageIsLaidOutWithinItsPlace) {
    const char* names[] = {"prefs_general.png", "prefs_data_management.png",
                           "prefs_measurement.png", "prefs_calibration.png"};
    OpenPrefs();
    for (int page = 0; page < 4; ++page) {
        ShowPage(page);
        EXPECT_TRUE(Screenshot(names[page]));
        for (const fw::DrawnText& t : OverflowingTexts())
            ADD_FAILURE() << names[page] << ": \"" << t.text << "\" runs out of its place";
    }
}

// A chamber library with its journal, and channel 1 using its record through the system
// factor. First visit: a wrong password is refused (protection off does not spare it), then
// No keeps everything. Second visit: Yes clears the library, its side file and the channel's
// chamber; the same visit asks no password again, and a volume that cannot be deleted is told.
// (The other pages' gates: the walk above answers them with protection on, the entries below
// meet none with it off.)
TEST_F(PrefsTest, ClearingALibraryNeedsThePasswordActsOnlyOnYesAndTellsAFailedDelete) {
    doc->PasswordProtect = 0;
    const fs::path volume = root->FlashDisk() / "ZEL_ChamberLib.CDB";
    const fs::path journal = volume.string() + "-journal";
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        AddChamber("FC65-G", "1234", 8);
        ASSERT_TRUE(doc->SelectChamber(0, 0));
        doc->Channel[0].SystemFactor = 1;
        doc->Channel[0].TPCorrection = 1;
        frame->SwitchToView(std::make_unique<COneChannelView>());
        WriteText(journal, "x");  // after the library was last opened, which would drop it
        OpenPrefs(CPrefsView::kDataManagement);
        std::string told, question;
        if (!yes) {
            ThenType("1234");
            ThenAcknowledge(&told);
            TapControl(Data::kIdClearChambers);
            EXPECT_EQ(told, CPasswordGate::kRefusal);
        }
        ThenType(kPassword);
        ThenAnswer(yes ? "Yes" : "No", &question);
        TapControl(Data::kIdClearChambers);
        EXPECT_EQ(question, Data::kConfirmText);
        EXPECT_EQ(fs::exists(volume), !yes);
        EXPECT_EQ(fs::exists(journal), !yes);
        EXPECT_EQ(doc->Channel[0].ChamberIndex, yes ? -1 : 0);
        EXPECT_EQ(doc->Channel[0].SystemFactor, yes ? 0 : 1);
        EXPECT_EQ(doc->Channel[0].TPCorrection, yes ? 0 : 1);
        fs::remove(journal);
    }
    const fs::path sources = root->FlashDisk() / "ZEL_SrcLib.CDB";  // a folder: no delete
    fs::create_directories(sources);
    std::string told;
    ThenAnswer("Yes");
    ThenAcknowledge(&told);
    TapControl(Data::kIdClearSources);
    EXPECT_EQ(told, Data::kFailedText);
    EXPECT_TRUE(fs::is_directory(sources));
}

// The settings folder refuses the new file: the failure is told, the new values stay in
// force and the old file is untouched; once the folder takes the file, Apply saves it. A brightness
// change alone leaves the factors, the dates and T/P correction as they were, and puts temperature
// and pressure back to the standards.
TEST_F(PrefsTest, ASettingsFileThatCannotBeWrittenIsToldAndApplySavesItLater) {
    doc->Filter.Cal[1].Low.ChrgCF = 0.987;
    doc->CalDate = {2025, 3, 14};
    doc->Channel[1].TPCorrection = 1;
    doc->SetTemperature(25.0);
    ASSERT_TRUE(SaveSettings(*doc));
    const fs::path file = settings_test::SettingsPath(*root);
    const std::string before = ReadText(file);
    const fs::path blocker = file.string() + ".new";  // the staged copy cannot take its place
    fs::create_directories(blocker);
    OpenPrefs(CPrefsView::kGeneral);
    TapControl(Gen::kIdBrightnessUp);
    std::string told;
    ThenAcknowledge(&told);
    TapControl(CPrefsView::kIdApply);
    EXPECT_EQ(told, CPrefsView::kSaveFailedText);
    EXPECT_EQ(doc->Brightness, 9);
    EXPECT_EQ(doc->SettingsSaved, 0);
    EXPECT_EQ(ReadText(file), before);
    fs::remove(blocker);
    Apply();
    EXPECT_EQ(StoredValue(file, "SysInfo", "Brightness"), "9");
    EXPECT_EQ(StoredValue(file, "ADCL", "Ch2LoChrgCF"), "0.987");
    EXPECT_EQ(StoredValue(file, "ADCL", "CalDateYear"), "2025");
    EXPECT_EQ(doc->Channel[1].TPCorrection, 1);
    EXPECT_EQ(doc->Channel[1].Temperature, 20.0);
}

// Leaving with changes asks first: No puts the display and sound back and the page command for
// channel 2 is carried out. A board event that meets the prompt, or the saving notice after
// Yes, closes the box unanswered, and the screen goes where the event leads once the box's
// loop has returned, never where the page command would have led (Yes has applied).
TEST_F(PrefsTest, LeavingWithChangesAsksAndABoardEventWinsOverThePageCommand) {
    struct Case {
        const char* answer;  // to the leave prompt; none: the event meets the prompt
        uint32_t event;      // 0: none
        const std::type_info& lands;
    };
    const Case cases[] = {{"No", 0, typeid(COneChannelView)},
                          {nullptr, WM_BOARD_WAKE, typeid(CSplashView)},
                          {"Yes", WM_BOARD_STANDBY, typeid(CStandbyView)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        doc->Brightness = doc->Volume = 8;
        doc->OneChannelShown = 0;
        frame->SwitchToView(std::make_unique<COneChannelView>());
        OpenPrefs(CPrefsView::kGeneral);
        const size_t standbyAnswers = SentWithCode(0x86).size();
        TapControl(Gen::kIdBrightnessUp);
        TapControl(Gen::kIdVolumeUp);
        EXPECT_EQ(board::Panel().dutyPercent, 63);  // at once, before Apply
        EXPECT_EQ(board::Panel().volumeSetting, CHWControl::VolumeSetting(9));
        std::string question;
        if (c.answer != nullptr)
            ThenAnswer(c.answer, &question);
        if (c.event != 0)
            ThenPost(c.event);  // in the prompt's or the notice's loop
        Prefs().OnCommand(menu_cmd::kChannel2, nullptr);
        fw::Loop().ProcessReady();
        EXPECT_EQ(fw::Loop().ModalDepth(), 0);
        EXPECT_EQ(question, c.answer != nullptr ? CPrefsView::kLeavePrompt : "");
        EXPECT_TRUE(typeid(*frame->ActiveView()) == c.lands) << typeid(*frame->ActiveView()).name();
        EXPECT_EQ(SentWithCode(0x86).size(), standbyAnswers + (c.event == WM_BOARD_STANDBY));
        EXPECT_EQ(doc->Brightness, c.event == WM_BOARD_STANDBY ? 9 : 8);  // only Yes applies
        EXPECT_EQ(doc->OneChannelShown, c.event == 0 ? 1 : 0);
        if (c.event == 0) {
            EXPECT_EQ(board::Panel().dutyPercent, 56);
            EXPECT_EQ(board::Panel().volumeSetting, CHWControl::VolumeSetting(8));
        }
    }
}

// The two maintenance buttons. System Information shows every version: the launcher file's,
// the program's in its full four-part form, the board's firmware answers and the board-support
// word (none on this root). Software Update, with a device that holds no update, searches and
// tells "No Updates are available" (what an update copies is the update's own test).
TEST_F(PrefsTest, TheMaintenanceButtonsShowTheSystemInformationAndRunTheUpdate) {
    fs::create_directories(root->FlashDisk() / "AutoRun");
    WriteText(root->FlashDisk() / "AutoRun" / "ZEL_LaunchApp_v2.exe",
              std::string("ELF padding\x01KVPRODUCT") + "VERSION=2.3.1.4" + '\0' + "tail");
    doc->FirmwareVersion2 = "B1.07";
    doc->FirmwareVersion = "3.14";
    std::string own;
    ASSERT_TRUE(fw::GetOwnProductVersion(own, 0));
    const std::string shown[] = {"2.3.1.4", own, "B1.07", "3.14", "0.00", "0"};
    OpenPrefs(CPrefsView::kGeneral);
    script->Then([this, &shown] {
        auto* dialog = dynamic_cast<CSysInfoDlg*>(fw::Loop().TopLevel());
        ASSERT_NE(dialog, nullptr);
        for (int row = 0; row < CSysInfoDlg::kRowCount; ++row)
            EXPECT_EQ(testing_support::LabelText(dialog, CSysInfoDlg::kIdFirstValue + row),
                      shown[row]);
        testing_support::TouchOnTop(CSysInfoDlg::kIdOk);
    });
    TapControl(CPrefsView::kIdSystemInfo);

    WriteText(root->Usb() / "notes.txt", "not an update");
    script->Then([this] { clock->Advance(CNotifyBox::kDefaultDurationMs); });
    script->Then([this] {
        EXPECT_TRUE(ScreenHasText("No Updates are available"));
        clock->Advance(3000);
    });
    TapControl(Gen::kIdSoftwareUpdate);
    EXPECT_TRUE(script->ScriptEmpty());
}

// The board-support word in its two shapes; anything else reads as none.
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
        {"0x1FFFFFFFF", "0.00", "0"},
    };
    for (const Case& c : cases) {
        testing_support::TempRoot root;
        WriteText(root.Path() / prefs::kBspVersionFileName, c.fileText);
        const auto bsp = prefs::ReadBspVersion(root.Path());
        EXPECT_EQ(prefs::OsVersionText(bsp), c.version) << c.fileText;
        EXPECT_EQ(prefs::OsBuildText(bsp), c.build) << c.fileText;
    }
    EXPECT_EQ(prefs::LauncherVersionText(), "") << "no launcher file";
}

}  // namespace
}  // namespace prefs_test
