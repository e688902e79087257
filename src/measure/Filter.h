#pragma once
// CFilter turns the raw ADC readings of both channels (ten a second) into current, charge,
// dose and board temperature. The main-board handler drives it packet by packet on the
// user-interface thread; nothing here locks.
//
// Units: Rate and Instant in fA, ChargeRaw in fC before gain, Charge in pC, Temperature
// in °C, readings and offsets in ADC counts, thresholds in pA.
#include <array>
#include <cstdint>

#include "measure/Calibration.h"

// How the chamber's coefficient is applied (DoseMode).
inline constexpr uint8_t kDoseFromRate = 0;
inline constexpr uint8_t kDoseFromCharge = 1;
inline constexpr uint8_t kDoseNone = 0xFF;

// SetZero's "leave this channel alone".
inline constexpr int kSkipChannel = 0xFF;

// Running state and results of one channel.
struct FILTER_CHANNEL {
    uint32_t LastCount = 0;   // latest reading
    uint32_t LastOffset = 0;  // baseline for the latest reading
    std::array<uint32_t, 64> OffsetRing{};
    uint64_t OffsetSum = 0;  // sum of the offsets in the window
    uint8_t RingIndex = 0;   // next ring slot to replace
    std::array<uint32_t, 64> CountRing{};
    uint64_t CountSum = 0;   // sum of the readings in the window
    uint8_t BlockIndex = 0;  // block filled during this rate period
    std::array<int64_t, 12> Blocks{};
    int32_t MeanCount = 0;       // mean reading over the last rate period
    double Rate = 0.0;           // fA
    double Instant = 0.0;        // fA, latest single reading
    int64_t ChargeCountSum = 0;  // readings since the last charge step
    int64_t ChargeOffsetSum = 0;
    double ChargeRaw = 0.0;  // fC before gain
    double Charge = 0.0;     // pC
    uint32_t TempSum = 0;    // temperature words since the last rate
    double Temperature = 0.0;
    uint8_t DoseMode = kDoseNone;
    double CalCoefficient = 1.0;  // of the selected chamber
    double Dose = 0.0;            // dose rate (rate mode) or dose (charge mode)
    double DoseCorrected = 0.0;   // Dose × TPFactor
    double TPFactor = 1.0;
    bool OverRange = false;         // the latest reading was outside the valid window
    bool OverRangeLatched = false;  // ditto during the collection, or charge over its limit
};

class CFilter {
  public:
    CFilter();

    // One reading of channel `ch` (0 or 1) with its temperature word (already minus
    // 0x800000). `collecting` adds it to the next charge step.
    void AddSample(int ch, int range, bool collecting, uint32_t count, uint32_t temp);
    // Every fifth reading: Rate, MeanCount, Temperature, and the dose in rate mode.
    void ComputeRate(int ch, int range);
    // Current of one reading alone, for raw streaming; stored in Instant and returned.
    double InstantValue(int ch, int range, uint32_t count);
    // Every tenth reading while collecting: adds one second of charge.
    void AccumulateCharge(int ch, int range);
    // Both channels: clears the charge, its sums and the latched over-range flag.
    void ResetCharge();
    // Restarts the channel's windows full of zero-current readings for `range`.
    void ResetChannel(int ch, int range);
    // Stores the zeroing sums as zero counts: 0 = Low, 1 = High, kSkipChannel (any other
    // code) leaves that channel's zero counts alone.
    void SetZero(int range1, int range2);
    // Baseline reading of the channel at its current Temperature.
    uint32_t OffsetCounts(int ch, int range) const;
    // Channel 1's trigger levels in counts from start and stop thresholds in pA.
    void TriggerLevels(double startPa, double stopPa, int range);

    bool CountUp = false;                    // ElapsedSeconds counts up (continuous collection)
    std::array<int64_t, 2> ZeroSumCounts{};  // readings summed during a zeroing
    std::array<int64_t, 2> ZeroSumOffsets{};
    bool Zeroing = false;                  // a zeroing is collecting its 240 readings
    std::array<FILTER_CHANNEL, 2> Chan{};  // index 0 = channel 1
    std::array<CHANNEL_CAL, 2> Cal{};
    uint8_t TenthCount = 0;  // packets since the last one-second tick (0–9)
    int32_t ElapsedSeconds = 0;
    uint8_t SampleCount = 0;  // packets since the last ComputeRate
    // Channel 1 readings that start (outside StartLow..StartHigh) and stop (inside
    // StopLow..StopHigh) a trigger collection.
    uint32_t StartHigh = 0;
    uint32_t StartLow = 0;
    uint32_t StopHigh = 0;
    uint32_t StopLow = 0;

  private:
    void StoreZero(int ch, int range);
};
