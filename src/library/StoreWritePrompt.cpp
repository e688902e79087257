#include "library/StoreWritePrompt.h"

#include "controls/CMsgBox.h"

namespace library {

bool WriteWithRetry(const ModalRunner& run, const std::function<bool()>& write) {
    while (!write()) {
        CMsgBox ask(kStoreRetryText, CMsgBox::kTypeYesNo);
        if (run(ask) != CMsgBox::kResultYes)
            return false;
    }
    return true;
}

}  // namespace library
