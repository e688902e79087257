#include "link/Framers.h"

namespace {

enum BoardState : uint8_t {
    kIdle = 0,
    kCode = 1,
    kStatus = 2,
    kLength = 3,
    kPayload = 4,
    kChecksum = 5,
    kEnd = 6,
};

}  // namespace

void CBoardFramer::StartFrame() {
    escape_ = false;
    index_ = 0;
    checksum_ = 0;
    state_ = kCode;
}

bool CBoardFramer::OnByte(uint8_t b) {
    // The board never escapes a start byte, so one always begins a frame, even inside an
    // unfinished one: a frame right behind line noise is not lost with the noise.
    if (b == kFrameStart) {
        StartFrame();
        return false;
    }
    if (state_ == kIdle)
        return false;
    if (state_ == kEnd) {
        bool complete = b == kFrameEnd && checksum_ == receivedChecksum_;
        if (complete)
            record_.checksum = receivedChecksum_;
        state_ = kIdle;
        return complete;
    }
    if (b == kFrameEnd) {  // abandoned frame
        state_ = kIdle;
        return false;
    }
    if (b == kFrameEscape) {
        escape_ = true;
        return false;
    }
    uint8_t v = escape_ ? (b | 0xF0) : b;
    escape_ = false;
    return TakeValue(v);
}

bool CBoardFramer::TakeValue(uint8_t v) {
    switch (state_) {
        case kCode:
            record_.code = v;
            checksum_ ^= v;
            state_ = kStatus;
            break;
        case kStatus:
            record_.status = v;
            checksum_ ^= v;
            state_ = kLength;
            break;
        case kLength:
            record_.length = v;
            checksum_ ^= v;
            state_ = v != 0 ? kPayload : kChecksum;
            break;
        case kPayload:
            record_.payload[index_] = v;
            checksum_ ^= v;
            index_ = static_cast<uint8_t>(index_ + 1);
            if (index_ == record_.length)
                state_ = kChecksum;
            break;
        case kChecksum:
            receivedChecksum_ = v;
            state_ = kEnd;
            break;
        default:
            state_ = kIdle;
            break;
    }
    return false;
}

void CLineFramer::Restart() {
    record_.payload[0] = '<';
    record_.length = 1;
    state_ = 1;
}

bool CLineFramer::OnByte(uint8_t b) {
    switch (state_) {
        case 0:
            if (b == '<')
                Restart();
            return false;
        case 2:  // an overlong line is dropped up to the next '<'
            if (b == '<')
                Restart();
            return false;
        case 1:
            break;
        default:
            state_ = 0;
            return false;
    }
    if (b == '<') {
        Restart();
        return false;
    }
    if (record_.length == kMaxLineLength) {
        state_ = 2;
        return false;
    }
    record_.payload[record_.length] = b;
    record_.length = static_cast<uint8_t>(record_.length + 1);
    if (b != '>')
        return false;
    record_.payload[record_.length] = 0;
    state_ = 0;
    return true;
}

std::string_view CLineFramer::Line() const {
    return std::string_view(reinterpret_cast<const char*>(record_.payload), record_.length);
}
