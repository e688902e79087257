#pragma once
// Whether the panel, as the partial repaints since the last full one have left it, shows what
// a repaint of the whole panel shows now: the same pixels and the same texts in their places.
#include <string>

namespace testing_support {

// Empty when both agree, otherwise what differs (the pixels and the first of them, or the
// texts). Paints what is pending first and leaves the panel fully repainted.
std::string DifferenceFromFullRepaint();

}  // namespace testing_support
