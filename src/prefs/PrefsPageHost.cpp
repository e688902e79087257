#include "prefs/PrefsPageHost.h"

#include "controls/CMsgBox.h"

int PrefsPageHost::Tell(const std::string& text) {
    CMsgBox box(text, CMsgBox::kTypeOk);
    return RunPageDialog(box);
}

int PrefsPageHost::Ask(const std::string& text, int type) {
    CMsgBox box(text, type);
    return RunPageDialog(box);
}
