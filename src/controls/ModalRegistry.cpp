#include "controls/ModalRegistry.h"

#include <algorithm>

#include "fw/EventLoop.h"

namespace controls {
namespace {

std::vector<IStandbyDismissable*>& Stack() {
    static std::vector<IStandbyDismissable*> stack;
    return stack;
}

}  // namespace

OpenModalScope::OpenModalScope(IStandbyDismissable* modal) : modal_(modal) {
    Stack().push_back(modal_);
}

OpenModalScope::~OpenModalScope() {
    auto& stack = Stack();
    stack.erase(std::remove(stack.begin(), stack.end(), modal_), stack.end());
}

const std::vector<IStandbyDismissable*>& OpenModals() {
    return Stack();
}

int DismissOpenModalsForStandby() {
    // A copy: dismissing never unregisters (that happens as each loop unwinds), but a
    // dismissal handler must not be able to invalidate the iteration either.
    std::vector<IStandbyDismissable*> open = Stack();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        (*it)->DismissForStandby();
    return static_cast<int>(open.size());
}

bool AnyModalOpen() {
    return !Stack().empty() || !ModalsMayOpen();
}

bool ModalsMayOpen() {
    return !fw::Loop().UnwindingModalLoops();
}

}  // namespace controls
