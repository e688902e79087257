#pragma once
// Window messages between the serial readers, the board protocol, the frame and the views.
#include <cstdint>

#include "fw/Message.h"

constexpr uint32_t WM_SERIAL_RX = fw::kUserMessage + 7;        // 0x407, to the main frame
constexpr uint32_t WM_BOARD_STANDBY = fw::kUserMessage + 10;   // 0x40A, power key
constexpr uint32_t WM_BOARD_READY = fw::kUserMessage + 11;     // 0x40B, poll answered
constexpr uint32_t WM_BOARD_WAKE = fw::kUserMessage + 12;      // 0x40C
constexpr uint32_t WM_BOARD_POWER_ON = fw::kUserMessage + 13;  // 0x40D, wake + calibration
constexpr int IDT_BOARD_POLL = 0x40B;                          // 500 ms start-up poll
constexpr int kBoardPollPeriodMs = 500;

// Port numbers, also the wparam of WM_SERIAL_RX.
constexpr uint32_t kExternalPort = 1;
constexpr uint32_t kMainBoardPort = 2;
