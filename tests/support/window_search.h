#pragma once
// Finding a control below a window by its id, for the tests and the benchmarks (no test
// framework needed).
#include "fw/Window.h"

namespace testing_support {

// The first window with `id` below `root`, shown or not, depth first.
inline fw::Window* FindById(fw::Window* root, int id) {
    if (root == nullptr)
        return nullptr;
    for (fw::Window* child : root->Children()) {
        if (child->Id() == id)
            return child;
        if (fw::Window* inner = FindById(child, id))
            return inner;
    }
    return nullptr;
}

}  // namespace testing_support
