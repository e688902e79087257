#pragma once
// How the library screens open a keypad, message box or wizard: through the screen's runner,
// so the dialog is registered as open on the screen while it runs.
#include <functional>

class CModalDialog;

namespace library {

using ModalRunner = std::function<int(CModalDialog&)>;

}  // namespace library
