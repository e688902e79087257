#pragma once
// The one instrument document: all instrument state, read and changed by the screens and
// by both protocol handlers, on the user-interface thread only.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/ChannelInfo.h"
#include "document/CorrectionResult.h"
#include "document/Hints.h"
#include "document/MeasInfo.h"
#include "fw/Clock.h"
#include "fw/View.h"
#include "link/BoardLink.h"
#include "link/BoardPacket.h"
#include "measure/Filter.h"
#include "measure/TrendRing.h"
#include "store/ChamberCal.h"

class CKelvarinDoc : public fw::Document {
  public:
    CKelvarinDoc();

    // ---- links -------------------------------------------------------------------------
    void SetLink(IBoardLink* link) { link_ = link; }
    IBoardLink* Link() const { return link_; }

    // Every packet from the main board. Packets too short for their code, or naming a
    // channel or range that does not exist, are ignored.
    void OnBoardPacket(const BOARD_PACKET* record);
    // Every remote command line from the external port (outside standby).
    void OnRemoteCommand(const BOARD_PACKET* line);
    // Writes the settings file when a remote command asks for it. The application installs
    // the settings writer, which sits above the document; without one a save fails.
    std::function<bool()> SaveSettingsFile;

    // ---- commands to the main board (false when the link is absent or the write failed)
    bool SendCommand(uint8_t code, std::initializer_list<uint8_t> payload = {}, uint8_t status = 0);
    bool SendPoll() { return SendCommand(0x85); }
    bool SetRange(int ch, int range);
    bool SetBias(int ch, int volts);
    bool SetDateTime();
    bool StartZero() { return SendCommand(0x03); }
    bool SetControlsEnabled(bool enabled) { return SendCommand(0x04, {uint8_t(enabled ? 1 : 0)}); }
    bool SendStandbyAnswer(bool accepted) { return SendCommand(0x86, {}, accepted ? 0x00 : 0xFF); }
    bool SendWakeAck() { return SendCommand(0x87); }

    // ---- collection ------------------------------------------------------------------------
    void SetChargeType(uint8_t type, long duration);
    void StartCollection();
    void ApplyRanges();
    // Starts a zeroing of `channels` (0 channel 1, 1 channel 2, 2 both) and tells the board.
    void BeginZeroing(uint8_t channels);

    // ---- correction and calibration ---------------------------------------------------------
    void SetTemperature(double t);
    void SetPressure(double p);
    // After a change of the temperature or pressure standard: correction off on both
    // channels, their factors recomputed against the new standards (hint 8).
    void SwitchOffTpCorrection();
    double StandardTemperature() const;
    double StandardPressure() const;
    double GetCalCoefficient(int ch) const;
    void ApplyChamber(int ch);
    // Copies a chamber calibration of the library at `recordIndex` into the channel and
    // applies it; false (and nothing changed) when the record cannot be read.
    bool SelectChamber(int ch, int recordIndex);
    // The channel uses no chamber any more.
    void DeselectChamber(int ch);
    // The channel measures in electrical units again: no chamber, no system factor, no
    // air-density correction (what switching the system factor off does).
    void DropChamber(int ch);
    // Channels that still apply the system factor although their chamber is gone are
    // dropped as above. Returns the channels (bit 0, bit 1) dropped.
    int DropLostChambers();
    // The calibration the channel holds, as a library record.
    CHAMBER_CAL ChannelChamber(int ch) const;
    // After any change to the chamber library: finds each channel's calibration again by
    // content, since positions shift; a calibration no longer in the library is dropped.
    // Returns the channels (bit 0, bit 1) that lost their chamber.
    int ResolveChamberSelections();
    // Whether the chamber at `recordIndex` is the one channel `ch` uses (same position, or
    // same model and serial number).
    bool IsChamberInUse(int ch, int recordIndex);

    // ---- bias ------------------------------------------------------------------------------
    // "%+d V\r\n(%+d V)" of the set and read bias; true when the reading is within ±2 %.
    bool CheckBias(int ch, std::string& text) const;
    bool BiasChanged(int ch);

    // ---- titles and calibration dates ------------------------------------------------------
    void MakeTitle(std::string& text);
    // Due in 60 days or less, already past, or not a real date.
    bool IsCalDueSoon(int year, int month, int day) const;
    // Any chamber of the library due in 60 days or less (or unreadable dates).
    bool IsAnyChamberDue() const;

    // ---- display texts (screens, data files and remote replies all use these) ---------------
    // Each sets the channel's unit id and over-range flag as a side effect, as shown.
    void FormatRate(int ch, std::string& out);
    void FormatCharge(int ch, std::string& out);
    void FormatDoseValue(int ch, std::string& out);
    void FormatRateRatio(std::string& out) const;
    void FormatChargeRatio(std::string& out) const;
    // Leaves `out` unchanged unless the two channels' doses compare (ComparableDoses).
    void FormatDoseRatio(std::string& out) const;
    // Whether channel 1's dose or dose rate can be divided by channel 2's: both channels
    // apply a calibration, both on the charge (Dose) or both on the current (DoseRate), with
    // the same result unit text (a Gy mode against an R mode compares nothing).
    enum class DoseRatioKind { None, Dose, DoseRate };
    DoseRatioKind ComparableDoses() const;
    void FormatCollectionTime(std::string& out) const;
    void FormatDate(const fw::LocalTime& date, std::string& out) const;
    void FormatDateYMD(int year, int month, int day, std::string& out) const;
    void FormatTime(const fw::LocalTime& time, std::string& out) const;
    static void FormatTimestamp(const fw::LocalTime& time, std::string& out);
    static void FormatTempStd(int index, std::string& out);
    static void FormatPressStd(int index, std::string& out);
    static void FormatSuperscript(int n, std::string& out);
    // Scintillator values from the blue (1) and green (2) channels with the baseline in use.
    void FormatScintRate(std::string& out) const;
    void FormatScintCharge(std::string& out) const;
    // The baseline's rate or dose unit when it is dose-calibrated ("----" for a stored unit
    // outside the table), else "pA" / "pC".
    std::string ScintRateUnit() const;
    std::string ScintChargeUnit() const;
    static std::string ScintChargeUnitOf(const SCINT_BASELINE& baseline);
    // "value unit" forms for remote replies.
    std::string RateText(int ch);
    std::string ChargeText(int ch);
    std::string DoseText(int ch);
    std::string ScintRateText() const;
    std::string ScintChargeText() const;
    // The result unit id of the channel's applied calibration mode, 0 when none applies.
    int DoseResultUnitId(int ch) const;
    bool HasAppliedChamber(int ch) const;

    // ---- measurement lists -------------------------------------------------------------------
    void AddMeasurement(bool isRate, MEAS_INFO& row);
    void AddScintMeasurement(bool isRate, SCINT_MEAS_INFO& row);
    void ClearMeasurements();
    // Removes the rows the operator flagged; returns how many went. What is left is unsaved.
    size_t DeleteFlaggedMeasurements();
    // A measured chamber correction joins the data set (dated now), saved with its rows.
    void AddCorrectionResult(CORRECTION_RESULT result);
    std::vector<CORRECTION_RESULT> CorrectionResults;
    // One list was written to a file: only that list counts as saved.
    void MarkListSaved(bool scintillatorList);
    std::vector<MEAS_INFO> MeasList;
    std::vector<SCINT_MEAS_INFO> ScintMeasList;
    // The baseline in use on the scintillator screen; defined before any is chosen (gain 0,
    // relative, no unit, dose 1.0).
    SCINT_BASELINE ScintBaseline{.DoseValue = 1.0};
    int MeasUnsaved = 0;        // rows added to MeasList since it was last saved or cleared
    int ScintUnsaved = 0;       // the same for the scintillator list
    std::string LastSavedName;  // the data set name the lists were last written under

    bool BoardAnswered() const { return boardAnswered_; }
    const std::string& LastRemoteLine() const { return lastRemoteLine_; }

    // ---- state -------------------------------------------------------------------------------
    std::array<CHANNEL_INFO, 2> Channel{};
    CFilter Filter;
    // Each channel's rates over the last quarter of an hour, for the trend page.
    std::array<CTrendRing, 2> Trend;

    int CollectionIndex = 0;
    int RepeatCount = 1;
    int Repeating = 0;
    int CollectionFinished = 0;
    uint8_t UntitledCounter = 1;
    int16_t DateFormat = 0;
    int TimeFormat = 0;
    int PasswordProtect = 0;
    // The touch panel's calibration map (x' = a x + b y + c, y' = d x + e y + f), identity
    // until the operator calibrates.
    std::array<double, 6> TouchCal{1.0, 0.0, 0.0, 0.0, 1.0, 0.0};
    uint8_t TriggerArmed = 0;
    uint8_t ChargeType = 0;
    uint8_t DefChargeType = 0;
    long DefChargeDuration = 15;
    std::string SerialNumber;
    int SettingsSaved = 0;
    uint8_t Brightness = 0;
    uint8_t Volume = 0;
    int Untitled = 0;
    std::string FirmwareVersion;
    std::string FirmwareVersion2;
    std::string Title;
    int DataUnsaved = 0;
    int TitleSaved = 0;
    int Collecting = 0;
    int UpdateRunning = 0;      // a software update is copying: standby is refused
    int CorrectionRunning = 0;  // a correction procedure drives the bias: standby is refused
    double LStop = 0.0;
    double HStop = 0.0;
    double LStart = 0.0;
    double HStart = 0.0;
    long ChargeDuration = 15;
    long PrevChargeDuration = 0;
    int PressStd = 0;
    int TempStd = 0;
    int DataFileDelimiter = 0;
    int DataFileStatistics = 0;  // 1: the data file ends with the statistics of its columns
    int StreamRaw = 0;
    int StreamRate = 0;
    uint8_t ZeroChannels = 2;
    int AutoDataCapture = 0;
    uint8_t OneChannelShown = 0;
    DATE3 CalDate;
    DATE3 CalDueDate;

  private:
    void PostToActiveView(uint32_t message);
    void HandleAdcData(const BOARD_PACKET& p);
    void TestTrigger(uint32_t c1);
    void CountCollectionTick();
    void CompleteZeroingOrRate();
    // Each new rate of both channels into their trend rings (TrendFeed.cpp).
    void FeedTrend();
    void StreamText(const char* text);
    void RecomputeTpFactors();
    // Sets temperature or pressure on both channels; a real change redoes the correction.
    void SetCorrectionInput(double CHANNEL_INFO::*field, double value);
    void FillChannelValues(bool isRate, int ch, MEAS_INFO& row);
    void FillChannelSetup(int ch, MEAS_INFO& row) const;
    double DoseValue(int ch) const;

    IBoardLink* link_ = nullptr;
    bool boardAnswered_ = false;
    std::string lastRemoteLine_;
};
