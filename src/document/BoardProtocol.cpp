// The document's side of the main-board protocol: every packet the board sends.
#include <cmath>

#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Clock.h"
#include "fw/Text.h"
#include "link/WindowMessages.h"

namespace {

constexpr uint32_t kTemperatureZero = 0x800000;
constexpr uint8_t kTicksPerSecond = 10;
constexpr uint8_t kZeroingReadings = 240;
constexpr uint8_t kReadingsPerRate = 5;

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

constexpr int16_t kMaxBiasVolts = 1000;

int16_t ReadI16(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

// The payload bytes each board packet needs; shorter packets carry stale bytes and are ignored.
int NeededLength(uint8_t code) {
    switch (code) {
        case 0x00:
            return 2;
        case 0x01:
            return 3;
        case 0x81:
        case 0x82:
        case 0x89:
            return 4;
        case 0x83:
            return 7;
        case 0x84:
            return 16;
        default:
            return 0;
    }
}

int16_t ClampToInt16(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<int16_t>(std::clamp(std::trunc(v), -32768.0, 32767.0));
}

// The board's bias reading in volts: raw × M, moved away from zero by B.
int16_t BiasVolts(int16_t raw, const CHANNEL_CAL& cal) {
    double v = raw * cal.BiasM;
    if (v > 0)
        v += cal.BiasB;
    if (v < 0)
        v -= cal.BiasB;
    return ClampToInt16(v);
}

// A streamed reading in whole fA; one that rounds to nothing goes out as "0", never "-0".
std::string WholeFemtoAmps(double v) {
    return formatting::Fixed(v, 0);
}

std::string VersionText(const uint8_t* p) {
    return fw::StringPrintf("%0d.%0d.%0d.%0d", p[0], p[1], p[2], p[3]);
}

}  // namespace

void CKelvarinDoc::OnBoardPacket(const BOARD_PACKET* record) {
    if (record == nullptr)
        return;
    const BOARD_PACKET p = *record;  // the caller's record may be reused at once
    if (p.length < NeededLength(p.code))
        return;
    const uint8_t* d = p.payload;
    switch (p.code) {
        case 0x00:
            if (d[0] > 1 || d[1] > 1)
                return;  // no such channel or range
            Channel[d[0]].Range = d[1];
            ApplyRanges();
            UpdateAllViews(kHintRangeAnswer);
            return;
        case 0x01: {
            // The bias supply reaches ±1000 V: anything beyond is a damaged answer.
            const int16_t volts = ReadI16(d + 1);
            if (d[0] > 1 || volts < -kMaxBiasVolts || volts > kMaxBiasVolts)
                return;
            Channel[d[0]].BiasSet = volts;
            Filter.ResetCharge();
            UpdateAllViews(kHintSettings);
            return;
        }
        case 0x81:
            FirmwareVersion = VersionText(d);
            UpdateAllViews(kHintFirmwareVersion);
            return;
        case 0x89:
            FirmwareVersion2 = VersionText(d);
            return;
        case 0x82: {
            for (int ch = 0; ch < 2; ++ch) {
                Channel[ch].BiasRead = BiasVolts(ReadI16(d + 2 * ch), Filter.Cal[ch]);
            }
            bool changed = BiasChanged(0) || BiasChanged(1);
            if (changed)
                UpdateAllViews(kHintBiasRead);
            return;
        }
        case 0x83: {
            fw::LocalTime t{d[6] + 2000, d[5], d[3], d[4], d[2], d[1], d[0], 0};
            t.dayOfWeek = fw::IsValidLocalTime(t) ? fw::DayOfWeek(t.year, t.month, t.day) : 0;
            if (!fw::GetClock().SetLocalTime(t))
                return;  // not a real time: keep ours
            UpdateAllViews(kHintBoardClock);
            return;
        }
        case 0x84:
            HandleAdcData(p);
            return;
        case 0x85:
            boardAnswered_ = true;
            PostToActiveView(WM_BOARD_READY);
            return;
        case 0x86:
            PostToActiveView(WM_BOARD_STANDBY);
            return;
        case 0x87:
            PostToActiveView(WM_BOARD_WAKE);
            return;
        case 0x88:
            PostToActiveView(WM_BOARD_POWER_ON);
            return;
        default:
            return;
    }
}

void CKelvarinDoc::HandleAdcData(const BOARD_PACKET& p) {
    const uint32_t c1 = ReadU32(p.payload);
    const uint32_t c2 = ReadU32(p.payload + 4);
    const uint32_t t1 = ReadU32(p.payload + 8) - kTemperatureZero;
    const uint32_t t2 = ReadU32(p.payload + 12) - kTemperatureZero;

    if (ChargeType == 2)
        TestTrigger(c1);
    Filter.AddSample(0, Channel[0].Range, Collecting != 0, c1, t1);
    Filter.AddSample(1, Channel[1].Range, Collecting != 0, c2, t2);
    if (StreamRaw != 0) {
        double i1 = Filter.InstantValue(0, Channel[0].Range, c1);
        double i2 = Filter.InstantValue(1, Channel[1].Range, c2);
        StreamText((WholeFemtoAmps(i1) + "," + WholeFemtoAmps(i2) + "\r\n").c_str());
    }
    if (Collecting != 0)
        CountCollectionTick();
    CompleteZeroingOrRate();
}

void CKelvarinDoc::TestTrigger(uint32_t c1) {
    if (TriggerArmed == 1 && (c1 >= Filter.StartHigh || c1 <= Filter.StartLow)) {
        TriggerArmed = 2;
        Collecting = 1;
        Filter.TenthCount = 0;
        Filter.CountUp = false;
        Filter.ElapsedSeconds = 0;
        Filter.ResetCharge();
        UpdateAllViews(kHintCollection);
    } else if (TriggerArmed == 2 && c1 >= Filter.StopLow && c1 <= Filter.StopHigh) {
        TriggerArmed = 3;
    }
}

void CKelvarinDoc::CountCollectionTick() {
    if (++Filter.TenthCount < kTicksPerSecond)
        return;
    Filter.TenthCount = 0;
    if (Filter.CountUp) {
        ++Filter.ElapsedSeconds;
    } else if (Filter.ElapsedSeconds != 0) {
        --Filter.ElapsedSeconds;
    }
    Filter.AccumulateCharge(0, Channel[0].Range);
    Filter.AccumulateCharge(1, Channel[1].Range);
    bool ended = ChargeType == 2 ? TriggerArmed == 3 : Filter.ElapsedSeconds == 0;
    if (ended)
        Collecting = 0;
    UpdateAllViews(kHintCollection);
}

void CKelvarinDoc::CompleteZeroingOrRate() {
    ++Filter.SampleCount;
    if (Filter.Zeroing) {
        if (Filter.SampleCount < kZeroingReadings)
            return;
        int r1 = Channel[0].Range;
        int r2 = Channel[1].Range;
        if (ZeroChannels == 0)
            r2 = kSkipChannel;
        if (ZeroChannels == 1)
            r1 = kSkipChannel;
        if (ZeroChannels > 2)
            r1 = kSkipChannel;
        Filter.SetZero(r1, r2);
        Filter.Zeroing = false;
        ApplyRanges();
        return;
    }
    if (Filter.SampleCount < kReadingsPerRate)
        return;
    Filter.ComputeRate(0, Channel[0].Range);
    Filter.ComputeRate(1, Channel[1].Range);
    Filter.SampleCount = 0;
    FeedTrend();
    if (StreamRate == 1) {
        const auto& f = Filter.Chan;
        StreamText((WholeFemtoAmps(f[0].Rate) + "," + WholeFemtoAmps(f[1].Rate) + "," +
                    formatting::Fixed(f[0].Temperature, 1) + "," +
                    formatting::Fixed(f[1].Temperature, 1) + "\r\n")
                       .c_str());
    }
    UpdateAllViews(kHintNewRates);
}

void CKelvarinDoc::StreamText(const char* text) {
    if (link_ != nullptr)
        link_->SendRemoteText(text);
}
