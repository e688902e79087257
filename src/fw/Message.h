#pragma once
// Messages that cross the event loop. A posted message owns a copy of its record, so the
// thread that posted it may reuse its buffer at once.
#include <cstdint>
#include <vector>

#include "fw/Geometry.h"

namespace fw {

using WindowHandle = uint32_t;
constexpr WindowHandle kNoWindow = 0;

constexpr uint32_t kUserMessage = 0x400;

struct Message {
    WindowHandle target = kNoWindow;
    uint32_t id = 0;
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
    std::vector<uint8_t> data;  // the posted record, owned by the message
};

enum class TouchKind { Down, Move, Up };

struct TouchEvent {
    TouchKind kind = TouchKind::Down;
    Point at;
};

// Dialog results shared by dialogs, message boxes and keypads.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

}  // namespace fw
