#include "boardsim/BoardSim.h"

#include <algorithm>
#include <cmath>

#include "measure/CountsForCurrent.h"

namespace boardsim {
namespace {

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

BoardSim::BoardSim(Output output) : output_(std::move(output)) {}

void BoardSim::Receive(const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        bool complete;
        BOARD_PACKET packet;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            complete = framer_.OnByte(data[i]);
            if (complete)
                packet = framer_.Record();
        }
        if (complete)
            Handle(packet);
    }
}

void BoardSim::Handle(const BOARD_PACKET& c) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++commandCounts_[c.code];
    }
    const uint8_t* p = c.payload;
    switch (c.code) {
        case 0x00:  // SetRange
            if (c.length >= 2 && p[0] < 2 && p[1] < 2) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    range_[p[0]] = p[1];
                }
                Answer(0x00, {p[0], p[1]});
            }
            break;
        case 0x01:  // SetBias
            if (c.length >= 3 && p[0] < 2) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    bias_[p[0]] = int16_t(p[1] | (p[2] << 8));
                }
                Answer(0x01, {p[0], p[1], p[2]});
            }
            break;
        case 0x02:  // SetDateTime
            if (c.length >= 7) {
                std::lock_guard<std::mutex> lock(mutex_);
                clock_.SetFromPayload(p);
            }
            break;
        case 0x81:
            Answer(0x81, {firmware_.begin(), firmware_.end()});
            break;
        case 0x89:
            Answer(0x89, {firmware2_.begin(), firmware2_.end()});
            break;
        case 0x82: {
            std::vector<uint8_t> raw;
            for (int ch = 0; ch < 2; ++ch) {
                auto v = static_cast<uint16_t>(static_cast<int16_t>(bias_[ch]));
                raw.push_back(v & 0xFF);
                raw.push_back(v >> 8);
            }
            Answer(0x82, raw);
            break;
        }
        case 0x83: {
            std::array<uint8_t, 7> now;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                now = clock_.Payload();
            }
            Answer(0x83, {now.begin(), now.end()});
            break;
        }
        case 0x85:
            if (answersPoll_)
                Answer(0x85, {});
            break;
        case 0x86: {
            std::lock_guard<std::mutex> lock(mutex_);
            lastStandbyStatus_ = c.status;
            break;
        }
        default:
            break;  // StartZero, SetControlsEnabled, WakeAck: nothing to answer
    }
}

void BoardSim::Answer(uint8_t code, std::vector<uint8_t> payload) {
    BOARD_PACKET p;
    p.code = code;
    p.length = static_cast<uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), p.payload);
    SendPacket(p);
}

void BoardSim::SendPacket(BOARD_PACKET packet) {
    std::vector<uint8_t> frame;
    if (EncodeFrame(packet, frame))
        output_(frame);
}

uint32_t BoardSim::ReadingFor(int channel) {
    const ChannelModel& m = channels_[channel];
    double noise = 0.0;
    if (m.noiseFa > 0.0)
        noise = std::normal_distribution<double>(0.0, m.noiseFa)(random_);
    int range = range_[channel];
    const auto& chamber = chambers_[channel];
    const double signal = chamber ? chamber->CurrentAt(bias_[channel]) : m.currentFa;
    return measure::CountsForCurrent(cal_[channel].ForRange(range), range,
                                     signal + m.leakageFa + noise, m.temperatureC);
}

void BoardSim::SendAdc() {
    std::vector<uint8_t> payload;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        PutLittleEndian(payload, ReadingFor(0));
        PutLittleEndian(payload, ReadingFor(1));
        PutLittleEndian(payload, measure::TemperatureWordFor(channels_[0].temperatureC));
        PutLittleEndian(payload, measure::TemperatureWordFor(channels_[1].temperatureC));
    }
    Answer(0x84, payload);
}

void BoardSim::SetChannel(int channel, const ChannelModel& model) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (channel >= 0 && channel < 2)
        channels_[channel] = model;
}

void BoardSim::SetChamber(int channel, std::optional<SimulatedChamber> chamber) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (channel >= 0 && channel < 2)
        chambers_[channel] = chamber;
}

void BoardSim::SetCalibration(int channel, const CHANNEL_CAL& cal) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (channel >= 0 && channel < 2)
        cal_[channel] = cal;
}

void BoardSim::SetAnswersPoll(bool answers) {
    std::lock_guard<std::mutex> lock(mutex_);
    answersPoll_ = answers;
}

void BoardSim::SetFirmwareVersions(std::array<uint8_t, 4> first, std::array<uint8_t, 4> second) {
    std::lock_guard<std::mutex> lock(mutex_);
    firmware_ = first;
    firmware2_ = second;
}

void BoardSim::SetSeed(uint32_t seed) {
    std::lock_guard<std::mutex> lock(mutex_);
    random_.seed(seed);
}

bool BoardSim::SetClock(const fw::LocalTime& t) {
    std::lock_guard<std::mutex> lock(mutex_);
    return clock_.Set(t);
}

bool BoardSim::HoldClock(const fw::LocalTime& t) {
    std::lock_guard<std::mutex> lock(mutex_);
    return clock_.Hold(t);
}

int BoardSim::CommandCount(uint8_t code) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = commandCounts_.find(code);
    return it == commandCounts_.end() ? 0 : it->second;
}

int BoardSim::Range(int channel) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return range_[channel & 1];
}

int BoardSim::BiasVolts(int channel) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return bias_[channel & 1];
}

uint8_t BoardSim::LastStandbyStatus() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastStandbyStatus_;
}

}  // namespace boardsim
