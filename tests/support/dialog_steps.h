#pragma once
// An operator's fingers on the kit's dialogs, for scripted steps that run while a modal loop
// waits: touch a control of the window on top, type on the keypads, answer a message box.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "controls/CBttn.h"
#include "controls/CKeypadDlg.h"
#include "controls/CLabel.h"
#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "fw/EventLoop.h"

namespace testing_support {

// The first visible window with `id` below `root`, depth first: pages that share button ids
// are told apart by which one is shown.
inline fw::Window* FindShown(fw::Window* root, int id) {
    if (root == nullptr || !root->IsVisible())
        return nullptr;
    for (fw::Window* child : root->Children()) {
        if (!child->IsVisible())
            continue;
        if (child->Id() == id)
            return child;
        if (fw::Window* inner = FindShown(child, id))
            return inner;
    }
    return nullptr;
}

inline void TouchCentreOf(const fw::Rect& r) {
    const fw::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    fw::Loop().InjectTouch({fw::TouchKind::Down, p});
    fw::Loop().InjectTouch({fw::TouchKind::Up, p});
}

inline void TouchOnTop(int id) {
    fw::Window* w = FindShown(fw::Loop().TopLevel(), id);
    if (w == nullptr) {
        ADD_FAILURE() << "no control " << id << " shown on top";
        return;
    }
    TouchCentreOf(w->GetRect());
}

inline std::string LabelText(fw::Window* root, int id) {
    auto* label = dynamic_cast<CLabel*>(FindShown(root, id));
    return label != nullptr ? label->Text() : std::string("<no label>");
}

// Clears the alphanumeric keypad on top, types `text` on its keys and touches Enter. The
// touches are handled after this step, so Shift is followed here rather than read back.
inline void TypeOnKeypad(const std::string& text) {
    auto* pad = dynamic_cast<CKeypadDlg*>(fw::Loop().TopLevel());
    if (pad == nullptr) {
        ADD_FAILURE() << "no keypad open for \"" << text << "\"";
        return;
    }
    TouchOnTop(CKeypadDlg::kIdClear);
    bool shifted = pad->ShiftOn();
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && (std::isupper(u) != 0) != shifted) {
            TouchOnTop(CKeypadDlg::kIdShift);
            shifted = !shifted;
        }
        if (std::isdigit(u))
            TouchOnTop(CKeypadDlg::kIdDigit0 + (c - '0'));
        else if (std::isalpha(u))
            TouchOnTop(CKeypadDlg::kIdLetterA + (std::tolower(u) - 'a'));
        else if (c == ' ')
            TouchOnTop(CKeypadDlg::kIdSpace);
        else if (c == '.')
            TouchOnTop(CKeypadDlg::kIdPoint);
        else
            ADD_FAILURE() << "the keypad has no key for '" << c << "'";
    }
    TouchOnTop(CKeypadDlg::kIdEnter);
}

// Digits, '.' and '-' (the sign key) on the numeric keypad on top, then OK.
inline void PressNumKeys(const std::string& keys) {
    if (dynamic_cast<CNumKeypadDlg*>(fw::Loop().TopLevel()) == nullptr) {
        ADD_FAILURE() << "no numeric keypad open for \"" << keys << "\"";
        return;
    }
    for (char k : keys) {
        TouchOnTop(k == '-'   ? CNumKeypadDlg::kIdSign
                   : k == '.' ? CNumKeypadDlg::kIdPoint
                              : CNumKeypadDlg::kIdDigit0 + (k - '0'));
    }
    TouchOnTop(CNumKeypadDlg::kIdOk);
}

// Records the text of the message box on top (when `text` is given) and touches its button
// captioned `caption`.
inline void AnswerBox(const std::string& caption, std::string* text = nullptr) {
    fw::Window* box = fw::Loop().TopLevel();
    if (dynamic_cast<CMsgBox*>(box) == nullptr) {
        ADD_FAILURE() << "no message box open for \"" << caption << "\"";
        return;
    }
    if (text != nullptr)
        *text = LabelText(box, CMsgBox::kIdMessage);
    for (fw::Window* child : box->Children()) {
        auto* button = dynamic_cast<CBttn*>(child);
        if (button != nullptr && button->IsVisible() && button->Caption() == caption) {
            TouchCentreOf(button->GetRect());
            return;
        }
    }
    ADD_FAILURE() << "no button \"" << caption << "\" on the box";
}

}  // namespace testing_support
