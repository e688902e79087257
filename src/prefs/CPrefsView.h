#pragma once
// The preferences screen: four pages (General, Data Management, Measurement, Calibration)
// that edit working copies of the instrument's settings. Nothing reaches the document until
// "Apply", or a Yes to the question on leaving; then everything is copied in and the
// settings file is written. Brightness and volume act on the hardware at once as a preview.
#include <functional>
#include <memory>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchTabCtrl.h"
#include "prefs/CCalTab.h"
#include "prefs/CDataMgmntTab.h"
#include "prefs/CGenTab.h"
#include "prefs/CMeasmntTab.h"
#include "prefs/PrefsPageHost.h"
#include "prefs/PrefsValues.h"
#include "screens/CKelvarinFormView.h"

class CPrefsView : public CKelvarinFormView, public PrefsPageHost {
  public:
    static constexpr int kIdTitle = 1078;
    static constexpr int kIdTabs = 1311;
    static constexpr int kIdApply = 1312;
    static constexpr int kIdSystemInfo = 1315;
    static constexpr int kSecondTimer = 1;
    static constexpr int kSecondMs = 1000;
    static constexpr int kSavingNoticeMs = 1000;
    static constexpr const char* kLeavePrompt =
        "You have made changes in your preferences,\r\nwould you like to save your changes?";
    static constexpr const char* kSavingText = "Saving Settings...Please wait.";
    static constexpr const char* kSaveFailedText =
        "The settings could not be saved.\r\nThe new settings are in use, but the settings "
        "file still holds the old ones.";
    enum Page { kGeneral = 0, kDataManagement = 1, kMeasurement = 2, kCalibration = 3 };

    // Writes the settings file; by default the instrument's settings file.
    using SettingsWriter = std::function<bool(CKelvarinDoc&, std::string* error)>;
    static void SetSettingsWriter(SettingsWriter writer);

    CPrefsView();
    ~CPrefsView() override;

    void OnInitialUpdate() override;
    void OnTimer(int id) override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

    // Copies every working value into the document and writes the settings; false (told to
    // the operator, the change still pending) when the file could not be written.
    bool ApplyPreferences();
    bool PrefsChanged() const { return prefsChanged_; }
    bool StandardsChanged() const { return standardsChanged_; }
    bool ApplyEnabled() const { return apply_.IsEnabled(); }
    CTouchTabCtrl& Tabs() { return tabs_; }
    CGenTab& GeneralPage() { return general_; }
    CDataMgmntTab& DataPage() { return data_; }
    CMeasmntTab& MeasurementPage() { return measurement_; }
    CCalTab& CalibrationPage() { return calibration_; }

    // ---- what the pages ask of the screen
    CKelvarinDoc& Doc() override { return *GetDoc(); }
    PrefsValues& Values() override { return values_; }
    CHWControl& Hardware() override { return HwControl(); }
    void MarkChanged() override;
    void MarkStandardsChanged() override { standardsChanged_ = true; }
    void PreviewFormats() override;
    int RunPageDialog(CModalDialog& dialog) override { return RunModal(dialog); }
    int TrackPagePopup(CPopupMenu& menu, const fw::Rect& button) override {
        return TrackPopup(menu, button);
    }

  protected:
    void OnPageCommand(int commandId) override;

  private:
    void CreateControls();
    void CreatePages();
    void OnApply();
    void ShowSystemInformation();
    // Asks about unapplied changes before leaving; false when the screen must stay.
    bool MayLeave();

    PrefsValues values_;
    bool prefsChanged_ = false;
    bool standardsChanged_ = false;
    CLabel title_;
    CBttn apply_, systemInfo_;
    CTouchTabCtrl tabs_;
    CGenTab general_;
    CDataMgmntTab data_;
    CMeasmntTab measurement_;
    CCalTab calibration_;
};

// The preferences screen, for the view factory.
std::unique_ptr<CKelvarinFormView> MakePrefsView();
