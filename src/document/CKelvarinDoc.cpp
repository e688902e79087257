#include "document/CKelvarinDoc.h"

#include <cmath>

#include "document/CalModes.h"
#include "fw/Clock.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "fw/Text.h"

namespace {

constexpr double kTempStandards[] = {20.0, 22.0};
constexpr double kPressStandards[] = {760.0, 1.0, 101.3};
constexpr double kBiasTolerancePercent = 2.0;
constexpr int kCalDueWarningDays = 60;

}  // namespace

CKelvarinDoc::CKelvarinDoc() {
    std::string title;
    MakeTitle(title);
    SerialNumber = fw::LoadString(344);
    for (CHANNEL_INFO& c : Channel) {
        c.Temperature = kTempStandards[0];
        c.Pressure = kPressStandards[0];
    }
}

bool CKelvarinDoc::SendCommand(uint8_t code, std::initializer_list<uint8_t> payload,
                               uint8_t status) {
    if (link_ == nullptr)
        return false;
    BOARD_PACKET packet = MakePacket(code, payload, status);
    return link_->SendBoardPacket(packet);
}

bool CKelvarinDoc::SetRange(int ch, int range) {
    if (ch < 0 || ch > 1 || range < 0 || range > 1)
        return false;
    return SendCommand(0x00, {uint8_t(ch), uint8_t(range)});
}

bool CKelvarinDoc::SetBias(int ch, int volts) {
    if (ch < 0 || ch > 1 || volts < INT16_MIN || volts > INT16_MAX)
        return false;
    auto v = static_cast<uint16_t>(static_cast<int16_t>(volts));
    return SendCommand(0x01, {uint8_t(ch), uint8_t(v & 0xFF), uint8_t(v >> 8)});
}

bool CKelvarinDoc::SetDateTime() {
    fw::LocalTime t = fw::GetClock().Now();
    // A time that does not convert is not sent at all (the board would take 0xFF fields).
    if (!fw::IsValidLocalTime(t) || t.year < 2000)
        return false;
    return SendCommand(
        0x02, {uint8_t(t.second), uint8_t(t.minute), uint8_t(t.hour), uint8_t(t.dayOfWeek + 1),
               uint8_t(t.day), uint8_t(t.month), uint8_t((t.year - 2000) % 256)});
}

void CKelvarinDoc::PostToActiveView(uint32_t message) {
    fw::Frame* frame = GetFrame();
    fw::View* view = frame ? frame->ActiveView() : nullptr;
    if (view != nullptr)
        fw::Loop().Post(view->Handle(), message);
}

void CKelvarinDoc::SetChargeType(uint8_t type, long duration) {
    TriggerArmed = 0;
    if (type == ChargeType && duration == ChargeDuration)
        return;
    PrevChargeDuration = ChargeDuration;
    ChargeType = type;
    ChargeDuration = duration;
    if (type == 1) {
        RepeatCount = 1;
        Repeating = 0;
    }
    Filter.ResetCharge();
    UpdateAllViews(kHintSettings);
}

void CKelvarinDoc::StartCollection() {
    Filter.TenthCount = 0;
    Filter.CountUp = ChargeType == 1;
    Filter.ElapsedSeconds = ChargeType == 0 ? static_cast<int32_t>(ChargeDuration) : 0;
    Filter.ResetCharge();
    if (ChargeType == 2) {
        Collecting = 0;
        bool high = Channel[0].Range == 1;
        Filter.TriggerLevels(high ? HStart : LStart, high ? HStop : LStop, Channel[0].Range);
        TriggerArmed = 1;
    } else {
        Collecting = 1;
    }
    UpdateAllViews(kHintCollection);
}

void CKelvarinDoc::ApplyRanges() {
    for (int ch = 0; ch < 2; ++ch)
        Filter.ResetChannel(ch, Channel[ch].Range);
}

void CKelvarinDoc::BeginZeroing(uint8_t channels) {
    Filter.Zeroing = true;
    Filter.ZeroSumCounts = {};
    Filter.ZeroSumOffsets = {};
    Filter.SampleCount = 0;
    ZeroChannels = channels;
    StartZero();
}

double CKelvarinDoc::StandardTemperature() const {
    return kTempStandards[TempStd >= 0 && TempStd < 2 ? TempStd : 0];
}

double CKelvarinDoc::StandardPressure() const {
    return kPressStandards[PressStd >= 0 && PressStd < 3 ? PressStd : 0];
}

void CKelvarinDoc::RecomputeTpFactors() {
    for (int ch = 0; ch < 2; ++ch) {
        const CHANNEL_INFO& c = Channel[ch];
        Filter.Chan[ch].TPFactor = ((c.Temperature + 273.15) / (StandardTemperature() + 273.15)) *
                                   StandardPressure() / c.Pressure;
    }
}

void CKelvarinDoc::SetCorrectionInput(double CHANNEL_INFO::*field, double value) {
    if (Channel[0].*field == value && Channel[1].*field == value)
        return;
    for (CHANNEL_INFO& c : Channel)
        c.*field = value;
    RecomputeTpFactors();
    Filter.ResetCharge();
    UpdateAllViews(kHintSettings);
}

void CKelvarinDoc::SetTemperature(double t) {
    SetCorrectionInput(&CHANNEL_INFO::Temperature, t);
}

void CKelvarinDoc::SetPressure(double p) {
    SetCorrectionInput(&CHANNEL_INFO::Pressure, p);
}

void CKelvarinDoc::SwitchOffTpCorrection() {
    for (CHANNEL_INFO& c : Channel)
        c.TPCorrection = 0;
    RecomputeTpFactors();
    UpdateAllViews(kHintCorrection);
}

double CKelvarinDoc::GetCalCoefficient(int ch) const {
    const CHANNEL_INFO& c = Channel[ch & 1];
    if (c.SystemFactor == 0 || c.ChamberIndex < 0)
        return 1.0;
    double k = (c.CoefMantissa / 1000.0) * std::pow(10.0, c.CoefExponent) * 1e-12;
    return c.Polarity > 0 ? -k : k;
}

void CKelvarinDoc::ApplyChamber(int ch) {
    ch &= 1;
    const CHANNEL_INFO& c = Channel[ch];
    const CAL_MODE* mode = c.ChamberIndex >= 0 ? FindCalMode(c.CalMode) : nullptr;
    FILTER_CHANNEL& f = Filter.Chan[ch];
    f.DoseMode = mode && mode->chargeBased ? kDoseFromCharge : kDoseFromRate;
    f.CalCoefficient = GetCalCoefficient(ch);
    f.Dose = 0.0;
    f.DoseCorrected = 0.0;
}

bool CKelvarinDoc::CheckBias(int ch, std::string& text) const {
    const CHANNEL_INFO& c = Channel[ch & 1];
    text = fw::StringPrintf("%+d V\r\n(%+d V)", c.BiasSet, c.BiasRead);
    // With nothing set, only a reading of nothing is in tolerance (no division by zero).
    if (c.BiasSet == 0)
        return c.BiasRead == 0;
    double deviation = (double(c.BiasRead) - double(c.BiasSet)) / double(c.BiasSet) * 100.0;
    return deviation >= -kBiasTolerancePercent && deviation <= kBiasTolerancePercent;
}

bool CKelvarinDoc::BiasChanged(int ch) {
    CHANNEL_INFO& c = Channel[ch & 1];
    bool changed = c.BiasSet != c.BiasSetSeen || c.BiasRead != c.BiasReadSeen;
    c.BiasSetSeen = c.BiasSet;
    c.BiasReadSeen = c.BiasRead;
    return changed;
}

void CKelvarinDoc::MakeTitle(std::string& text) {
    text = fw::StringPrintf("Untitled%d", UntitledCounter);
    ++UntitledCounter;
    Title = text;
    Untitled = 1;
    TitleSaved = 0;
}

bool CKelvarinDoc::IsCalDueSoon(int year, int month, int day) const {
    fw::LocalTime now = fw::GetClock().Now();
    fw::LocalTime due = now;
    due.year = year;
    due.month = month;
    due.day = day;
    if (!fw::IsValidLocalTime(now) || !fw::IsValidLocalTime(due))
        return true;
    // Both at the same time of day, so the difference is a whole number of days.
    int64_t days =
        fw::DaysSinceEpoch(year, month, day) - fw::DaysSinceEpoch(now.year, now.month, now.day);
    return days <= kCalDueWarningDays;
}
