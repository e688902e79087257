#pragma once
// A view that only records the hints the document sends it.
#include <algorithm>
#include <vector>

#include "fw/View.h"

namespace testing_support {

class HintView : public fw::View {
  public:
    void OnUpdate(int hint) override { hints.push_back(hint); }
    int Count(int hint) const { return int(std::count(hints.begin(), hints.end(), hint)); }
    std::vector<int> hints;
};

}  // namespace testing_support
