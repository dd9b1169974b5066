#include "win32_window/entry_box.h"

#include <commctrl.h>

#include "calc/text_entry.h"
#include "win32_window/text_conversion.h"

namespace tolvi::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

constexpr WPARAM kSelectAll = 1;  // Ctrl+A
constexpr WPARAM kBackspace = 8;
constexpr WPARAM kCopy = 3;    // Ctrl+C
constexpr WPARAM kPaste = 22;  // Ctrl+V
constexpr WPARAM kCut = 24;    // Ctrl+X
constexpr WPARAM kRedo = 25;   // Ctrl+Y
constexpr WPARAM kUndo = 26;   // Ctrl+Z, with Shift a redo
constexpr WPARAM kDelete = 127;

bool ReadOnly(HWND box) {
    return (GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY) != 0;
}

bool Down(int key) {
    return GetKeyState(key) < 0;
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::size_t SelectionLength(HWND box) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start ? end - start : 0;
}

void Paste(EntryBox& box) {
    if (ReadOnly(box.window) || !IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return;
    }
    const NumberFormat regional = box.regional ? *box.regional : NumberFormat{};
    const TextFromOutside taken = TakeTextFromOutside(
        Utf8(ClipboardText(box.window)), box.typingRule ? box.field : Field::Amount, regional,
        static_cast<std::size_t>(GetWindowTextLengthW(box.window)), SelectionLength(box.window));
    if (taken.Refused()) {
        if (box.refused) {
            box.refused(PasteRefusedNotice(taken.refusal));
        }
        return;
    }
    box.undone = false;
    box.readAs = box.typingRule ? taken.readAs : std::string();
    SendMessageW(box.window, EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(Wide(taken.text).c_str()));
}

void Undo(EntryBox& box, bool redo) {
    // The box keeps one step: undoing it again is the redo.
    if (ReadOnly(box.window) || redo != box.undone || !SendMessageW(box.window, EM_CANUNDO, 0, 0)) {
        return;
    }
    box.undone = !redo;
    SendMessageW(box.window, EM_UNDO, 0, 0);
}

// The editing commands behind the control characters; false for a character that is none.
bool RunEditingCommand(EntryBox& box, WPARAM code) {
    switch (code) {
        case kSelectAll:
            SendMessageW(box.window, EM_SETSEL, 0, -1);
            return true;
        case kCopy:
            SendMessageW(box.window, WM_COPY, 0, 0);
            return true;
        case kPaste:
            SendMessageW(box.window, WM_PASTE, 0, 0);
            return true;
        case kCut:
            SendMessageW(box.window, WM_CUT, 0, 0);
            return true;
        case kRedo:
            Undo(box, true);
            return true;
        case kUndo:
            Undo(box, Down(VK_SHIFT));
            return true;
        default:
            return false;
    }
}

// The character that reaches the box, or 0.
WPARAM Typed(EntryBox& box, WPARAM code) {
    if (box.decimalKey) {
        box.decimalKey = false;
        code = L'.';
    }
    if (code != kBackspace && (code < 0x20 || code == kDelete)) {
        RunEditingCommand(box, code);
        return 0;
    }
    if (box.typingRule) {
        const NumberFormat regional = box.regional ? *box.regional : NumberFormat{};
        return ApplyTypingRule(static_cast<std::uint16_t>(code), box.field, regional);
    }
    return code;
}

void ShowContextMenu(EntryBox& box, LPARAM at) {
    HWND window = box.window;
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {  // from the keyboard: at the box
        RECT frame{};
        GetWindowRect(window, &frame);
        point = {frame.left, frame.bottom};
    }
    const bool editable = !ReadOnly(window);
    const bool selected = SelectionLength(window) > 0;
    const auto state = [](bool enabled) { return MF_STRING | (enabled ? 0u : MF_GRAYED); };
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, state(editable && SendMessageW(window, EM_CANUNDO, 0, 0)), WM_UNDO, L"&Undo");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, state(editable && selected), WM_CUT, L"Cu&t");
    AppendMenuW(menu, state(selected), WM_COPY, L"&Copy");
    AppendMenuW(menu, state(editable && IsClipboardFormatAvailable(CF_UNICODETEXT)), WM_PASTE,
                L"&Paste");
    AppendMenuW(menu, state(editable && selected), WM_CLEAR, L"&Delete");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, state(GetWindowTextLengthW(window) > 0), EM_SETSEL, L"Select &All");
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         point.x, point.y, 0, window, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
        case WM_UNDO:
            Undo(box, box.undone);
            break;
        case EM_SETSEL:
            SendMessageW(window, EM_SETSEL, 0, -1);
            break;
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
        case WM_CLEAR:
            SendMessageW(window, chosen, 0, 0);
            break;
        default:
            break;
    }
}

LRESULT CALLBACK EntryBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR /*id*/, DWORD_PTR data) {
    EntryBox& box = *reinterpret_cast<EntryBox*>(data);
    switch (message) {
        case WM_KEYDOWN: {
            const bool control = Down(VK_CONTROL);
            const bool shift = Down(VK_SHIFT);
            box.decimalKey = wParam == VK_DECIMAL;
            if (wParam == VK_INSERT && control != shift) {
                SendMessageW(window, control ? WM_COPY : WM_PASTE, 0, 0);
                return 0;
            }
            if (wParam == VK_DELETE && shift && !control) {
                SendMessageW(window, WM_CUT, 0, 0);
                return 0;
            }
            if (wParam == VK_DELETE) {
                box.undone = false;
            }
            break;
        }
        case WM_CHAR:
        case WM_IME_CHAR: {
            const WPARAM code = Typed(box, wParam);
            if (code == 0) {
                return 0;
            }
            box.undone = false;
            return DefSubclassProc(window, WM_CHAR, code, lParam);
        }
        case WM_PASTE:
            Paste(box);
            return 0;
        case WM_CUT:
        case WM_CLEAR:
        case WM_SETTEXT:
            box.undone = false;
            break;
        case WM_CONTEXTMENU:
            ShowContextMenu(box, lParam);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, EntryBoxProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void AttachEntryBox(EntryBox& box) {
    SetWindowSubclass(box.window, EntryBoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&box));
}

}  // namespace tolvi::win32
