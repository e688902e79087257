#pragma once
// The main board's side of the wire protocol: answers the instrument's commands and produces
// ADC packets from a model of the input current, leakage, noise and temperature per channel.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

#include "boardsim/BoardClock.h"
#include "boardsim/SimulatedChamber.h"
#include "link/BoardPacket.h"
#include "link/Framers.h"
#include "measure/Calibration.h"

namespace boardsim {

struct ChannelModel {
    double currentFa = 0.0;  // the signal the chamber delivers
    double leakageFa = 0.0;  // added to the signal, as a real input's leakage would be
    double noiseFa = 0.0;    // standard deviation of white noise per reading
    double temperatureC = 22.0;
};

class BoardSim {
  public:
    using Output = std::function<void(const std::vector<uint8_t>& frame)>;

    explicit BoardSim(Output output);

    // Bytes the instrument sent; complete frames are answered at once.
    void Receive(const uint8_t* data, size_t size);

    // One 0x84 packet with both channels' readings.
    void SendAdc();
    void SendPacket(BOARD_PACKET packet);
    void RaisePowerKey() { SendPacket(MakePacket(0x86)); }
    void RaiseWake() { SendPacket(MakePacket(0x87)); }
    void RaisePowerOn() { SendPacket(MakePacket(0x88)); }

    void SetChannel(int channel, const ChannelModel& model);
    // Opt-in: the channel's signal comes from `chamber` at the bias the instrument set,
    // instead of the model's fixed current (leakage, noise and temperature still apply).
    void SetChamber(int channel, std::optional<SimulatedChamber> chamber);
    // The electrometer calibration the simulated front end follows; readings are the exact
    // inverse of the instrument's conversion with it (defaults: the instrument's defaults).
    void SetCalibration(int channel, const CHANNEL_CAL& cal);
    void SetAnswersPoll(bool answers);
    void SetFirmwareVersions(std::array<uint8_t, 4> first, std::array<uint8_t, 4> second);
    void SetSeed(uint32_t seed);
    // The board's clock runs from the host's local time unless set here; a held clock stands
    // still (tests). False when `t` is no calendar time.
    bool SetClock(const fw::LocalTime& t);
    bool HoldClock(const fw::LocalTime& t);

    // What the instrument asked for.
    int CommandCount(uint8_t code) const;
    int Range(int channel) const;
    int BiasVolts(int channel) const;
    uint8_t LastStandbyStatus() const;

  private:
    void Handle(const BOARD_PACKET& command);
    void Answer(uint8_t code, std::vector<uint8_t> payload);
    uint32_t ReadingFor(int channel);

    mutable std::mutex mutex_;
    Output output_;
    CBoardFramer framer_;
    std::array<ChannelModel, 2> channels_{};
    std::array<std::optional<SimulatedChamber>, 2> chambers_{};
    std::array<int, 2> range_{1, 1};
    std::array<int, 2> bias_{0, 0};
    BoardClock clock_;
    std::array<uint8_t, 4> firmware_{2, 1, 0, 3};
    std::array<uint8_t, 4> firmware2_{1, 0, 0, 7};
    bool answersPoll_ = true;
    uint8_t lastStandbyStatus_ = 0;
    std::map<uint8_t, int> commandCounts_;
    std::array<CHANNEL_CAL, 2> cal_{};
    std::mt19937 random_{12345};
};

}  // namespace boardsim
