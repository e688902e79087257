#pragma once
// The notice that waits for a USB storage device at "\USB HD\": it checks once per period
// and closes with 1 as soon as one is there, or with 2 after the set number of tries or on
// "Cancel".
#include "controls/CNotifyBox.h"

class CDetectUSBStorageBox : public CNotifyBox {
  public:
    explicit CDetectUSBStorageBox(std::string text, int retries);
};
