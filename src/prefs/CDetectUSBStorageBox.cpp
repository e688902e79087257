#include "prefs/CDetectUSBStorageBox.h"

#include "fw/Paths.h"
#include "prefs/UpdateFiles.h"

CDetectUSBStorageBox::CDetectUSBStorageBox(std::string text, int retries)
    : CNotifyBox(std::move(text)) {
    SetRetryCount(retries);
    SetCompletionTest([] { return prefs::UsbDevicePresent(fw::VolumeDir("USB HD")); });
}
