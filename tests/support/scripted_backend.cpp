#include "support/scripted_backend.h"

namespace testing_support {

bool ScriptedBackend::WaitForEvents(fw::EventLoop&, int64_t) {
    if (script_.empty())
        return false;
    auto step = std::move(script_.front());
    script_.pop_front();
    step();
    return true;
}

}  // namespace testing_support
