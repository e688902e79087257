// The preferences screen as an operator uses it: every page's values applied and read back
// after a restart, entries refused by their rules, the password gates, the standards and
// T/P correction, clearing the libraries, leaving with changes, a failed save, standby.
#include <filesystem>
#include <tuple>

#include "controls/CNotifyBox.h"
#include "controls/MenuCommands.h"
#include "fw/Text.h"
#include "link/WindowMessages.h"
#include "prefs/CSysInfoDlg.h"
#include "prefs_fixture.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "settings/settings_test_support.h"
#include "store/CCLibDB.h"

namespace prefs_test {
namespace {

namespace fs = std::filesystem;
using settings_test::ReadText;
using settings_test::SettingsPath;
using settings_test::StoredValue;
using settings_test::WriteText;
using Gen = CGenTab;
using Data = CDataMgmntTab;
using Meas = CMeasmntTab;
using Cal = CCalTab;

constexpr int kCh1HighRate = 1289;

// The path of a library volume below the test's instrument root.
fs::path VolumeFile(const testing_support::TempRoot& root, const char* name) {
    return root.FlashDisk() / name;
}

// With a threshold set over the remote port finer than the page shows it, and T/P correction
// on: a changed standard switches it off.
TEST_F(PrefsTest, EveryPageIsAppliedWrittenAndReadBackAfterARestart) {
    BOARD_PACKET line{};
    const std::string text = "<SLTS 3.05>";
    line.length = static_cast<uint8_t>(text.size());
    std::copy(text.begin(), text.end(), line.payload);
    doc->OnRemoteCommand(&line);
    ASSERT_EQ(board->remote, "*\r\n");
    for (CHANNEL_INFO& ch : doc->Channel)
        ch.TPCorrection = 1;
    doc->SetPressure(700.0);
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
    ShowPage(CPrefsView::kMeasurement);
    ThenType(kPassword);  // the document's protection is still on until Apply
    ThenChooseCommand(menu_cmd::kPressureKPa);
    TapControl(Meas::kIdPressure);
    ThenAnswer("OK");
    ThenKeypadEntry("5.5");
    TapControl(Meas::kIdHighStart);
    ThenAnswer("OK");
    ThenKeypadEntry("3.0");  // below the 3.05 in force, although both read "3.0"
    TapControl(Meas::kIdLowStop);
    ThenChooseCommand(menu_cmd::kChargeContinuous);
    TapControl(Meas::kIdDefaultType);
    ShowPage(CPrefsView::kCalibration);
    ThenType(kPassword);
    ThenKeypadEntry("1.02");
    TapControl(kCh1HighRate);
    EXPECT_EQ(CaptionOf(kCh1HighRate), "1.020");
    // Nothing reaches the document before Apply.
    EXPECT_EQ(doc->Brightness, 8);
    EXPECT_TRUE(Prefs().ApplyEnabled());
    Apply();
    EXPECT_FALSE(Prefs().ApplyEnabled());
    EXPECT_FALSE(Prefs().PrefsChanged());
    EXPECT_EQ(board::Panel().dutyPercent, 70);  // brightness 10, set at the step
    for (const CHANNEL_INFO& ch : doc->Channel) {
        EXPECT_EQ(ch.TPCorrection, 0);
        EXPECT_EQ(ch.Pressure, 101.3);
    }
    EXPECT_EQ(StoredValue(SettingsPath(*root), "Trigger", "LStart"), "3.05");

    RestartOverSameRoot();
    // Brightness, volume, the formats, protection, delimiter, standard and its pressure, the
    // four thresholds, the default type and a factor left alone.
    EXPECT_EQ(
        (std::vector<double>{
            double(doc->Brightness), double(doc->Volume), double(doc->TimeFormat),
            double(doc->DateFormat), double(doc->PasswordProtect), double(doc->DataFileDelimiter),
            double(doc->PressStd), doc->Channel[1].Pressure, doc->HStart, doc->HStop, doc->LStart,
            doc->LStop, double(doc->DefChargeType), doc->Filter.Cal[0].Low.RateCF}),
        (std::vector<double>{10, 7, 1, 1, 0, 1, 2, 101.3, 5.5, 2.5, 3.05, 3.0, 1, 1.0}));
    // The factor reads back on the tab as factors are shown there, three decimals.
    const double factor = 1.02;
    OpenPrefs(CPrefsView::kCalibration);
    EXPECT_EQ(CaptionOf(kCh1HighRate), fw::StringPrintf("%0.3f", factor));
    // And it acts: rate mode with a chamber coefficient of 5.38 x 10^7 (x 10^-12) through the
    // system factor, on 61064.959 fA in the High range.
    CHAMBER_CAL cal;
    cal.ChamberModel = "FC65-G";
    cal.ChamberSerial = "1234";
    cal.CoefMantissa = 5380;
    cal.CoefExponent = 7;
    cal.CalMode = 5;
    ASSERT_TRUE(CCLibDB().AddRecord(cal));
    doc->Channel[0].SystemFactor = 1;
    ASSERT_TRUE(doc->SelectChamber(0, 0));
    OpenScreen(0, 1);
    InjectCurrent(0, 61064.959);
    Readings(300);
    const double doseRate = 61064.959 * (5.380 * 1e7 * 1e-12) * factor / 1000.0;
    EXPECT_NEAR(doc->Filter.Chan[0].Dose, doseRate, 1e-10);
    // Below 10 a rate-mode value is shown with three decimals.
    EXPECT_EQ(TextOf(COneChannelView::kIdDoseValue), fw::StringPrintf("%0.3f", doseRate));
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
    const std::string badFactor = CCalTab::kInvalidFactorText;
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
        {Meas::kIdLowStart, "0.5", order, 0.8},
        {Meas::kIdLowStart, "0.1", startRange, 0.8},
        {Meas::kIdLowStop, "9.9", stopRange, 0.5},
        {Meas::kIdLowStop, ".", "", 0.5},
        {Meas::kIdDefaultType, "0", badTime, 15},
        {Meas::kIdDefaultType, "86401", badTime, 15},
        {Meas::kIdDefaultType, "86400", "", 86400},
        {kCh1HighRate, "0", badFactor, 1.0},
        {kCh1HighRate, "0.000", badFactor, 1.0},
        {kCh1HighRate, ".", badFactor, 1.0},
        {kCh1HighRate, "0.0004", badFactor, 1.0},
        {kCh1HighRate, "99999999999999", "", 999999999999.0},
    };
    auto value = [](const PrefsValues& v, int id) {
        switch (id) {
            case Meas::kIdHighStart:
            case Meas::kIdHighStop:
                return v.Threshold(1, id == Meas::kIdHighStart);
            case Meas::kIdLowStart:
            case Meas::kIdLowStop:
                return v.Threshold(0, id == Meas::kIdLowStart);
            case Meas::kIdDefaultType:
                return double(v.defChargeDuration);
            default:
                return v.rateCF[0][1];
        }
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
// its place; a due date long past shows the warning image.
TEST_F(PrefsTest, EachPageIsLaidOutWithinItsPlace) {
    doc->CalDueDate = {2015, 1, 31};
    const char* names[] = {"prefs_general.png", "prefs_data_management.png",
                           "prefs_measurement.png", "prefs_calibration.png"};
    OpenPrefs();
    for (int page = 0; page < 4; ++page) {
        ShowPage(page);
        EXPECT_TRUE(Screenshot(names[page]));
        for (const fw::DrawnText& t : OverflowingTexts())
            ADD_FAILURE() << names[page] << ": \"" << t.text << "\" runs out of its place";
    }
    EXPECT_TRUE(Prefs().CalibrationPage().DueWarningShown());
}

// Which controls ask for the password, by page and protection. The first thing opened is
// looked at and cancelled.
TEST_F(PrefsTest, ThePasswordIsAskedPerPageAndProtection) {
    struct Gate {
        int protect;
        int page;
        int id;
        bool asks;
    };
    const Gate cases[] = {
        {0, CPrefsView::kGeneral, Gen::kIdPassword, true},
        {1, CPrefsView::kGeneral, Gen::kIdPassword, true},
        {0, CPrefsView::kDataManagement, Data::kIdClearChambers, true},
        {0, CPrefsView::kMeasurement, Meas::kIdPressure, false},
        {1, CPrefsView::kMeasurement, Meas::kIdPressure, true},
        {0, CPrefsView::kMeasurement, Meas::kIdLowStop, false},
        {1, CPrefsView::kMeasurement, Meas::kIdLowStop, true},
        {0, CPrefsView::kCalibration, kCh1HighRate, false},
        {1, CPrefsView::kCalibration, kCh1HighRate, true},
        {0, CPrefsView::kCalibration, Cal::kIdDue, false},
        {1, CPrefsView::kCalibration, Cal::kIdDue, true},
    };
    for (const Gate& c : cases) {
        SCOPED_TRACE("protect " + std::to_string(c.protect) + " control " + std::to_string(c.id));
        doc->PasswordProtect = c.protect;
        frame->SwitchToView(std::make_unique<COneChannelView>());
        OpenPrefs(c.page);
        bool asked = false;
        script->Then([this, &asked] {
            if (CPopupMenu* menu = CPopupMenu::ActivePopup()) {
                menu->Dismiss();
                return;
            }
            fw::Window* top = fw::Loop().TopLevel();
            asked = dynamic_cast<CKeypadDlg*>(top) != nullptr;
            if (dynamic_cast<CMsgBox*>(top) != nullptr) {
                // The thresholds' agency warning: confirmed, then its keypad cancelled.
                script->Then([] { TouchCentreOf(fw::Loop().TopLevel()->FindChild(kIdCancel)); });
                testing_support::AnswerBox("OK");
                return;
            }
            TouchCentreOf(top->FindChild(kIdCancel));
        });
        const int starved = fw::Loop().StarvedModalLoops();
        TapControl(c.id);
        EXPECT_EQ(fw::Loop().StarvedModalLoops(), starved);
        EXPECT_EQ(asked, c.asks);
        EXPECT_FALSE(Prefs().PrefsChanged());
        EXPECT_EQ(Prefs().Values().passwordProtect, c.protect);
    }
}

// A chamber library with its journal, and channel 1 using its record through the system
// factor. First visit: a wrong password is refused, then No keeps everything. Second visit:
// Yes clears the library, its side file and the channel's chamber; the same visit asks no
// password again, and a volume that cannot be deleted is told.
TEST_F(PrefsTest, ClearingALibraryNeedsThePasswordActsOnlyOnYesAndTellsAFailedDelete) {
    const fs::path volume = VolumeFile(*root, "ZEL_ChamberLib.CDB");
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
    fs::create_directories(VolumeFile(*root, "ZEL_SrcLib.CDB"));
    std::string told;
    ThenAnswer("Yes");
    ThenAcknowledge(&told);
    TapControl(Data::kIdClearSources);
    EXPECT_EQ(told, Data::kFailedText);
    EXPECT_TRUE(fs::is_directory(VolumeFile(*root, "ZEL_SrcLib.CDB")));
}

TEST_F(PrefsTest, LeavingWithChangesAsksAndNoPutsTheDisplayAndSoundBack) {
    struct Leave {
        const char* answer;
        int brightness;  // in the document afterwards
        int duty;
    };
    for (const Leave& c : {Leave{"No", 8, 56}, Leave{"Yes", 9, 63}}) {
        SCOPED_TRACE(c.answer);
        doc->Brightness = 8;
        doc->Volume = 8;
        frame->SwitchToView(std::make_unique<COneChannelView>());
        OpenPrefs(CPrefsView::kGeneral);
        TapControl(Gen::kIdBrightnessUp);
        TapControl(Gen::kIdVolumeUp);
        EXPECT_EQ(board::Panel().dutyPercent, 63);
        EXPECT_EQ(board::Panel().volumeSetting, CHWControl::VolumeSetting(9));
        std::string question;
        ThenAnswer(c.answer, &question);
        if (std::string(c.answer) == "Yes")
            script->Then([this] { clock->Advance(CPrefsView::kSavingNoticeMs); });
        Prefs().OnCommand(menu_cmd::kChannel1, nullptr);
        fw::Loop().ProcessReady();
        EXPECT_EQ(question, CPrefsView::kLeavePrompt);
        EXPECT_NE(dynamic_cast<COneChannelView*>(frame->ActiveView()), nullptr);
        EXPECT_EQ(doc->Brightness, c.brightness);
        EXPECT_EQ(board::Panel().dutyPercent, c.duty);
        EXPECT_EQ(board::Panel().volumeSetting, CHWControl::VolumeSetting(doc->Volume));
    }
}

// The settings folder refuses the new file: the failure is told, the new values stay in
// force, Apply stays enabled and the old file is untouched; once the folder takes the file,
// Apply saves it. A brightness change alone leaves the factors, the dates and T/P correction
// as they were, and puts temperature and pressure back to the standards.
TEST_F(PrefsTest, ASettingsFileThatCannotBeWrittenIsToldAndApplyStaysEnabled) {
    doc->Filter.Cal[1].Low.ChrgCF = 0.987;
    doc->CalDate = {2025, 3, 14};
    doc->Channel[1].TPCorrection = 1;
    doc->SetTemperature(25.0);
    ASSERT_TRUE(SaveSettings(*doc));
    const fs::path file = SettingsPath(*root);
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
    EXPECT_TRUE(Prefs().ApplyEnabled());
    EXPECT_TRUE(Prefs().PrefsChanged());
    EXPECT_EQ(ReadText(file), before);
    fs::remove(blocker);
    Apply();
    EXPECT_FALSE(Prefs().ApplyEnabled());
    EXPECT_EQ(StoredValue(file, "SysInfo", "Brightness"), "9");
    EXPECT_EQ(StoredValue(file, "ADCL", "Ch2LoChrgCF"), "0.987");
    EXPECT_EQ(StoredValue(file, "ADCL", "CalDateYear"), "2025");
    EXPECT_EQ(doc->Channel[1].TPCorrection, 1);
    EXPECT_EQ(doc->Channel[1].Temperature, 20.0);
    // The applied thresholds act: 4.0/2.5 pA High and 0.8/0.5 pA Low in ADC counts.
    doc->Filter.Chan[0].LastOffset = 100000;
    doc->ChargeType = 2;
    for (const auto& [range, start, stop] : {std::tuple{1, 65u, 40u}, {0, 13113u, 8196u}}) {
        doc->Channel[0].Range = static_cast<uint8_t>(range);
        doc->StartCollection();
        EXPECT_EQ((doc->Filter.StartHigh - doc->Filter.StartLow) / 2, start) << range;
        EXPECT_EQ((doc->Filter.StopHigh - doc->Filter.StopLow) / 2, stop) << range;
    }
}

// A board event while a dialog of the screen is open: the dialog closes unanswered, and the
// screen goes where the event leads once the dialog's loop has returned, never where the
// dialog's answer would have led.
TEST_F(PrefsTest, BoardEventsCloseThePagesDialogsWithoutActingOnThem) {
    struct Event {
        const char* name;
        uint32_t message;
        bool toStandby;
    };
    struct Dialog {
        const char* name;
        int page;
        std::function<void()> reach;  // the steps before the dialog the event meets
        std::function<void()> open;
        int brightness;  // in the document afterwards
    };
    // A change, then the page command for channel 2.
    auto leave = [this] {
        TapControl(Gen::kIdBrightnessUp);
        Prefs().OnCommand(menu_cmd::kChannel2, nullptr);
    };
    const Event events[] = {{"standby", WM_BOARD_STANDBY, true}, {"wake", WM_BOARD_WAKE, false}};
    const Dialog dialogs[] = {
        {"threshold keypad", CPrefsView::kMeasurement, [this] { ThenAnswer("OK"); },
         [this] { TapControl(Meas::kIdHighStart); }, 8},
        {"leave prompt", CPrefsView::kGeneral, [] {}, leave, 8},
        // Yes was given: the settings are applied, but the page command is not carried out.
        {"saving notice", CPrefsView::kGeneral, [this] { ThenAnswer("Yes"); }, leave, 9},
    };
    doc->PasswordProtect = 0;
    for (const Event& e : events) {
        for (const Dialog& d : dialogs) {
            SCOPED_TRACE(std::string(e.name) + " over the " + d.name);
            doc->Brightness = 8;
            doc->OneChannelShown = 0;
            frame->SwitchToView(std::make_unique<COneChannelView>());
            OpenPrefs(d.page);
            const size_t standbyAnswers = SentWithCode(0x86).size();
            d.reach();
            script->Then([this, &e] {
                ASSERT_NE(dynamic_cast<CModalDialog*>(fw::Loop().TopLevel()), nullptr);
                fw::Loop().Post(frame->ActiveView()->Handle(), e.message);
            });
            d.open();
            fw::Loop().ProcessReady();
            EXPECT_EQ(fw::Loop().ModalDepth(), 0);
            if (e.toStandby) {
                EXPECT_NE(dynamic_cast<CStandbyView*>(frame->ActiveView()), nullptr);
                EXPECT_EQ(SentWithCode(0x86).size(), standbyAnswers + 1);
            } else {
                EXPECT_NE(dynamic_cast<CSplashView*>(frame->ActiveView()), nullptr);
            }
            EXPECT_EQ(doc->HStart, 4.0);
            EXPECT_EQ(doc->Brightness, d.brightness);
            EXPECT_EQ(doc->OneChannelShown, 0);  // the page command for channel 2 was dropped
        }
    }
}

// The two maintenance buttons: System Information shows its dialog; Software Update, with a
// device that holds no update, searches, tells "No Updates are available" and copies nothing.
TEST_F(PrefsTest, TheMaintenanceButtonsShowTheSystemInformationAndRunTheUpdate) {
    WriteText(root->Usb() / "notes.txt", "not an update");
    OpenPrefs(CPrefsView::kGeneral);
    script->Then([] {
        EXPECT_NE(dynamic_cast<CSysInfoDlg*>(fw::Loop().TopLevel()), nullptr);
        testing_support::TouchOnTop(CSysInfoDlg::kIdOk);
    });
    TapControl(CPrefsView::kIdSystemInfo);

    bool told = false;
    script->Then([this] { clock->Advance(CNotifyBox::kDefaultDurationMs); });
    script->Then([this, &told] {
        told = ScreenHasText("No Updates are available");
        clock->Advance(3000);
    });
    TapControl(Gen::kIdSoftwareUpdate);
    EXPECT_TRUE(told);
    EXPECT_TRUE(script->ScriptEmpty());
    EXPECT_FALSE(fs::exists(root->FlashDisk() / "Update" / "ZELTarvo_v2.exe"));
}

}  // namespace
}  // namespace prefs_test
