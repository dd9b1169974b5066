#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "calc/field_reading.h"
#include "calc/number_format.h"

namespace tolvi::win32 {

// An edit box of the main window and the rules that bring text into it.
// - A typed character goes through the typing rule when the box is the amount or the rate; the
//   keypad's decimal key types ".", whatever the keyboard layout sends.
// - The editing shortcuts are commands, never characters: Ctrl+A selects everything, Ctrl+C and
//   Ctrl+Insert copy, Ctrl+X and Shift+Delete cut, Ctrl+V and Shift+Insert paste, Ctrl+Z undoes,
//   Ctrl+Y and Ctrl+Shift+Z redo. Other control characters (other Ctrl+letters, Enter, Escape)
//   change nothing.
// - Every paste (the keys, the context menu, a WM_PASTE from anywhere) goes whole through the
//   rules for text from outside; a refused one leaves the box as it was, and `refused` gets the
//   notice to show. One the amount or the rate takes as one of two numbers it could mean leaves
//   in `readAs` the notice's line that says which, for the recalculation it raises to show.
struct EntryBox {
    HWND window = nullptr;
    Field field = Field::Amount;
    bool typingRule = false;  // the amount and the rate; the result boxes take what is typed
    const NumberFormat* regional = nullptr;
    std::function<void(const std::string& notice)> refused;
    std::string readAs;  // "Amount read as 2,675"; the recalculation takes it away

    // Set by the keypad's decimal key for the character that follows it.
    bool decimalKey = false;
    // The box's last change was an undo, which a redo takes back.
    bool undone = false;
};

// Takes over the box's messages; `box` must outlive the window.
void AttachEntryBox(EntryBox& box);

}  // namespace tolvi::win32
