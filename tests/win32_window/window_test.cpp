// Drives tolvi-vat.exe through its controls, as another program on the desktop would: messages
// to its boxes and buttons, the clipboard, and the texts read back. Each table's failing row
// prints its inputs. Usage: window_test tolvi-vat.exe
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app_identity.h"
#include "calc/notice.h"
#include "tests/support/entry_rows.h"
#include "tests/support/worked_recalculations.h"
#include "win32_window/entry_box.h"
#include "win32_window/text_conversion.h"
#include "win32_window/window_layout.h"

namespace {

int failures = 0;

std::string Narrow(std::wstring_view wide) {
    std::string narrow;
    for (const wchar_t c : wide) {
        if (c == L'\r') {
            narrow += "\\r";
        } else if (c == L'\n') {
            narrow += "\\n";
        } else if (c < 0x80) {
            narrow += static_cast<char>(c);
        } else {
            char code[12];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            narrow += code;
        }
    }
    return narrow;
}

using tolvi::win32::Wide;

void Check(bool ok, const std::string& what) {
    if (!ok) {
        ++failures;
        std::printf("FAILED: %s\n", what.c_str());
        std::fflush(stdout);
    }
}

void CheckText(const std::wstring& actual, std::wstring_view expected, const std::string& what) {
    Check(actual == expected,
          what + ": expected \"" + Narrow(expected) + "\", got \"" + Narrow(actual) + "\"");
}

bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (done()) {
            return true;
        }
        Sleep(10);
    }
    return done();
}

std::wstring Text(HWND window) {
    wchar_t text[4096]{};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    return text;
}

void SetClipboard(const std::wstring& text) {
    for (int attempt = 0; attempt < 100 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(10);
    }
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
}

std::wstring ClipboardText() {
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

// The program under test, started afresh.
class Program {
  public:
    explicit Program(const std::wstring& exe) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + exe + L"\"";
        if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process_)) {
            Check(false, "tolvi-vat.exe starts");
            return;
        }
        WaitForInputIdle(process_.hProcess, 10000);
        WaitFor([this] { return (main_ = FindOwn(L"Tolvi")) != nullptr; }, 10000);
        Check(main_ != nullptr, "the main window \"Tolvi\" is shown");
    }
    ~Program() {
        if (process_.hProcess != nullptr) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 1);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }

    HWND Main() const { return main_; }
    HWND Item(int id) const { return GetDlgItem(main_, id); }
    DWORD Thread() const { return process_.dwThreadId; }
    HANDLE Process() const { return process_.hProcess; }

    // A visible top-level window of the program with this title.
    HWND FindOwn(const wchar_t* title, const wchar_t* className = L"#32770") const {
        struct Search {
            DWORD process;
            const wchar_t* title;
            const wchar_t* className;
            HWND found;
        } search{process_.dwProcessId, title, className, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t title[64]{};
                wchar_t className[64]{};
                GetWindowTextW(window, title, 64);
                GetClassNameW(window, className, 64);
                if (process == s.process && IsWindowVisible(window) &&
                    (s.title == nullptr || std::wstring_view(title) == s.title) &&
                    std::wstring_view(className) == s.className) {
                    s.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(process_.dwThreadId, &info);
        return info.hwndFocus;
    }

  private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

void Type(HWND box, std::wstring_view keys) {
    for (const wchar_t key : keys) {
        SendMessageW(box, WM_CHAR, key, 1);
    }
}

void Clear(HWND box) {
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_CHAR, VK_BACK, 1);
}

// Holds modifier keys down in the program's input state while `run` runs.
void WithKeysDown(const Program& program, std::initializer_list<int> keys,
                  const std::function<void()>& run) {
    const DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, program.Thread(), TRUE);
    BYTE state[256]{};
    GetKeyboardState(state);
    for (const int key : keys) {
        state[key] = 0x80;
    }
    SetKeyboardState(state);
    run();
    for (const int key : keys) {
        state[key] = 0;
    }
    SetKeyboardState(state);
    AttachThreadInput(self, program.Thread(), FALSE);
}

std::wstring Expected(std::string_view text) {
    return Wide(text);
}

// ---------------------------------------------------------------------------------------------

void TheFirstStateIsTheResourcesOwn(const Program& p) {
    const struct {
        int id;
        const wchar_t* text;
    } rows[] = {
        {IDC_Text_amount, L""},
        {IDC_Text_vat, L"0"},
        {IDC_Text_vat_result, L"0.00"},
        {IDC_Text_vat_round, L""},
        {IDC_Text_Price, L""},
        {IDC_Label_price, L"0.00"},
        {IDC_Text_total, L""},
        {IDC_Label1, L"Amount :"},
        {IDC_Label2, L"VAT % :"},
        {IDC_Label3, L"VAT :"},
        {IDC_Label5, L"Price :"},
        {IDC_Label4, L"Total :"},
        {IDC_Command1, L"Help"},
        {IDC_Option_vat_inc, L"VAT Inclusive"},
        {IDC_Option_vat_exc, L"VAT Exclusive"},
    };
    for (const auto& row : rows) {
        CheckText(Text(p.Item(row.id)), row.text,
                  "first text of control " + std::to_string(row.id));
    }
    Check(SendMessageW(p.Item(IDC_Option_vat_inc), BM_GETCHECK, 0, 0) == BST_CHECKED &&
              SendMessageW(p.Item(IDC_Option_vat_exc), BM_GETCHECK, 0, 0) == BST_UNCHECKED,
          "VAT Inclusive is selected at start");
    Check(p.Focus() == p.Item(IDC_Text_amount), "the focus starts in the amount");
    Check(!IsWindowVisible(p.Item(IDC_Notice)), "no notice at start");
    Check(GetMenu(p.Main()) == nullptr, "no menu bar");
    const LONG_PTR style = GetWindowLongPtrW(p.Main(), GWL_STYLE);
    Check((style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX) && !(style & WS_THICKFRAME),
          "a minimize button, no maximize button, no sizing frame");
    Check((GetWindowLongPtrW(p.Item(IDC_Text_total), GWL_STYLE) & ES_READONLY) &&
              !(GetWindowLongPtrW(p.Item(IDC_Text_vat_round), GWL_STYLE) & ES_READONLY) &&
              !(GetWindowLongPtrW(p.Item(IDC_Text_Price), GWL_STYLE) & ES_READONLY),
          "only the total is read-only");
}

struct Place {
    int id;
    RECT place;  // left, top, right, bottom in pixels
};

void CheckPlaces(const Program& p, SIZE size, std::span<const Place> rows) {
    RECT client{};
    GetClientRect(p.Main(), &client);
    Check(client.right == size.cx && client.bottom == size.cy,
          "client area " + std::to_string(size.cx) + " by " + std::to_string(size.cy) + ", got " +
              std::to_string(client.right) + " by " + std::to_string(client.bottom));
    for (const Place& row : rows) {
        RECT place{};
        GetWindowRect(p.Item(row.id), &place);
        MapWindowPoints(nullptr, p.Main(), reinterpret_cast<POINT*>(&place), 2);
        Check(EqualRect(&place, &row.place),
              "control " + std::to_string(row.id) + " at " + std::to_string(row.place.left) + "," +
                  std::to_string(row.place.top) + " to " + std::to_string(row.place.right) + "," +
                  std::to_string(row.place.bottom) + ", got " + std::to_string(place.left) + "," +
                  std::to_string(place.top) + " to " + std::to_string(place.right) + "," +
                  std::to_string(place.bottom));
    }
}

void EveryControlIsInItsPlace(const Program& p) {
    const Place rows[] = {
        {IDC_Picture1, {0, 0, 299, 25}},
        {IDC_Label1, {8, 32, 65, 49}},
        {IDC_Text_amount, {72, 32, 177, 51}},
        {IDC_Option_vat_inc, {192, 32, 289, 49}},
        {IDC_Label2, {8, 53, 57, 70}},
        {IDC_Text_vat, {72, 53, 177, 72}},
        {IDC_Option_vat_exc, {192, 56, 289, 73}},
        {IDC_Label3, {8, 88, 57, 105}},
        {IDC_Text_vat_round, {72, 88, 177, 107}},
        {IDC_Text_vat_result, {192, 88, 289, 105}},
        {IDC_Label5, {8, 107, 65, 124}},
        {IDC_Text_Price, {72, 108, 177, 127}},
        {IDC_Label_price, {192, 112, 289, 129}},
        {IDC_Label4, {8, 128, 49, 145}},
        {IDC_Text_total, {72, 128, 177, 147}},
        {IDC_Command1, {224, 130, 297, 147}},
    };
    CheckPlaces(p, {299, 154}, rows);
    // Centred on the work area, to a pixel.
    RECT frame{};
    GetWindowRect(p.Main(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(p.Main(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    Check(std::abs((frame.left - work.left) - (work.right - frame.right)) <= 1 &&
              std::abs((frame.top - work.top) - (work.bottom - frame.bottom)) <= 1,
          "the window is centred on the screen");
}

// A screen reader names a box by the label just before it in the window's order of controls,
// and a button, and the logo, by its own text. (Wine's accessibility layer cannot be asked
// across processes, so the order itself is checked.)
std::wstring NameOf(HWND control) {
    wchar_t className[16]{};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Edit") != 0) {
        return Text(control);
    }
    HWND label = GetWindow(control, GW_HWNDPREV);
    GetClassNameW(label, className, 16);
    return lstrcmpiW(className, L"Static") == 0 ? Text(label) : L"";
}

void EveryControlIsNamed(const Program& p) {
    const struct {
        int id;
        const wchar_t* name;
    } rows[] = {
        {IDC_Text_amount, L"Amount :"},
        {IDC_Text_vat, L"VAT % :"},
        {IDC_Text_vat_round, L"VAT :"},
        {IDC_Text_Price, L"Price :"},
        {IDC_Text_total, L"Total :"},
        {IDC_Option_vat_inc, L"VAT Inclusive"},
        {IDC_Option_vat_exc, L"VAT Exclusive"},
        {IDC_Command1, L"Help"},
        {IDC_Picture1, L"Tolvi VAT Calculator"},
    };
    for (const auto& row : rows) {
        CheckText(NameOf(p.Item(row.id)), row.name,
                  "the name of control " + std::to_string(row.id));
    }
}

// At 192 dots per inch every place is twice as far in twips, each edge rounded on its own.
void AtTwiceTheResolutionEveryControlIsTwiceAsFar(const Program& p) {
    const Place rows[] = {
        {IDC_Picture1, {0, 0, 598, 50}},
        {IDC_Text_amount, {144, 64, 354, 102}},
        {IDC_Label2, {16, 107, 114, 141}},
        {IDC_Text_Price, {144, 216, 354, 254}},
        {IDC_Option_vat_exc, {384, 112, 578, 146}},
        {IDC_Command1, {448, 260, 594, 294}},
    };
    CheckPlaces(p, {598, 308}, rows);
}

void TabGoesThroughTheBoxesInOrder(const Program& p) {
    const int order[] = {IDC_Text_amount, IDC_Text_vat,   IDC_Option_vat_inc, IDC_Text_vat_round,
                         IDC_Text_Price,  IDC_Text_total, IDC_Command1,       IDC_Text_amount};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        PostMessageW(p.Focus(), WM_KEYDOWN, VK_TAB, 1);
        Check(WaitFor([&] { return p.Focus() == p.Item(order[i]); }, 2000),
              "Tab from control " + std::to_string(order[i - 1]) + " goes to " +
                  std::to_string(order[i]));
    }
}

void SelectMode(const Program& p, tolvi::VatMode mode) {
    SendMessageW(
        p.Item(mode == tolvi::VatMode::Inclusive ? IDC_Option_vat_inc : IDC_Option_vat_exc),
        BM_CLICK, 0, 0);
}

// Amounts that only a paste brings (commas, exponents) are pasted; the rest is typed key by key.
void Enter(const Program& p, int id, std::string_view text) {
    HWND box = p.Item(id);
    Clear(box);
    if (text.find_first_not_of("0123456789.") == std::string_view::npos) {
        Type(box, Wide(text));
    } else {
        SetClipboard(Wide(text));
        SendMessageW(box, WM_PASTE, 0, 0);
    }
}

void TheWorkedRecalculationsKeyByKey(const Program& p) {
    for (const tolvi::test::WorkedRecalculation& row : tolvi::test::kWorkedRecalculations) {
        Clear(p.Item(IDC_Text_amount));
        SelectMode(p, row.mode);
        Enter(p, IDC_Text_vat, row.rate);
        Enter(p, IDC_Text_amount, row.amount);
        const std::string name = std::string(tolvi::test::ModeName(row.mode)) + " \"" +
                                 std::string(row.amount) + "\" at \"" + std::string(row.rate) +
                                 "\"";
        CheckText(Text(p.Item(IDC_Text_vat_result)), Expected(row.unroundedVat), name + " VAT");
        CheckText(Text(p.Item(IDC_Text_vat_round)), Expected(row.roundedVat),
                  name + " rounded VAT");
        CheckText(Text(p.Item(IDC_Text_total)), Expected(row.total), name + " total");
        CheckText(Text(p.Item(IDC_Text_Price)), Expected(row.price), name + " price");
        CheckText(Text(p.Item(IDC_Label_price)), Expected(row.unformattedPrice),
                  name + " unformatted price");
    }
}

void SwitchingTheModeRecalculates(const Program& p) {
    SelectMode(p, tolvi::VatMode::Exclusive);
    Enter(p, IDC_Text_vat, "17.5");
    Enter(p, IDC_Text_amount, "105");
    CheckText(Text(p.Item(IDC_Text_total)), L"123.38", "exclusive 105 at 17.5: total");
    SendMessageW(p.Item(IDC_Text_Price), EM_SETSEL, 1, 3);
    Type(p.Item(IDC_Text_vat), L"0");  // 17.50 leaves the price as it was
    Check(SendMessageW(p.Item(IDC_Text_Price), EM_GETSEL, 0, 0) == MAKELRESULT(1, 3),
          "a recalculation keeps the unchanged price's selection");
    SelectMode(p, tolvi::VatMode::Inclusive);
    CheckText(Text(p.Item(IDC_Text_vat_result)), L"15.6382978723404", "switched to inclusive");
    CheckText(Text(p.Item(IDC_Text_total)), L"105.00", "switched to inclusive: total");
}

// A typed key in a box that starts with `before`: what the box holds after it, and whether a
// recalculation ran (it rewrites the rounded VAT, in which "x" was typed beforehand).
struct KeyRow {
    int box;
    const wchar_t* before;
    WPARAM key;
    const wchar_t* after;
    bool recalculates;
    int keyDown = 0;  // a WM_KEYDOWN sent before the character, 0 for none
};

void TheKeyRule(const Program& p) {
    SelectMode(p, tolvi::VatMode::Exclusive);
    const KeyRow rows[] = {
        {IDC_Text_amount, L"12", L'5', L"125", true},
        {IDC_Text_amount, L"12", L'.', L"12.", true},
        {IDC_Text_amount, L"12.", L'.', L"12..", true},
        {IDC_Text_amount, L"0", L'0', L"00", true},
        {IDC_Text_amount, L"12", VK_BACK, L"1", true},
        {IDC_Text_amount, L"", VK_BACK, L"", false},
        {IDC_Text_amount, L"12", L'a', L"12", false},
        {IDC_Text_amount, L"12", L'-', L"12", false},
        {IDC_Text_amount, L"12", L' ', L"12", false},
        {IDC_Text_amount, L"12", L'e', L"12", false},
        {IDC_Text_amount, L"12", L'+', L"12", false},
        {IDC_Text_amount, L"12", L'\r', L"12", false},
        {IDC_Text_amount, L"12", 27, L"12", false},
        {IDC_Text_amount, L"12", 0x7F, L"12", false},  // Ctrl+Backspace
        {IDC_Text_amount, L"12", 2, L"12", false},     // Ctrl+B
        {IDC_Text_amount, L"12", 0x0A, L"12", false},  // Ctrl+Enter
        {IDC_Text_vat, L"12", L'x', L"12", false},
        {IDC_Text_vat, L"12", L'7', L"127", true},
        // The keypad's decimal key types the point whatever the layout sends.
        {IDC_Text_amount, L"12", L',', L"12.", true, VK_DECIMAL},
        {IDC_Text_vat, L"1", L',', L"1.", true, VK_DECIMAL},
        // The result boxes take what is typed; the total takes nothing.
        {IDC_Text_vat_round, L"", L'a', L"a", false},
        {IDC_Text_Price, L"1", L'-', L"1-", false},
        {IDC_Text_total, nullptr, L'5', nullptr, false},
    };
    for (const KeyRow& row : rows) {
        HWND box = p.Item(row.box);
        if (row.before != nullptr) {
            SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.before));
            SendMessageW(box, EM_SETSEL, 32767, 32767);  // the caret at the end
        }
        const std::wstring total = Text(p.Item(IDC_Text_total));
        if (row.box != IDC_Text_vat_round) {
            SendMessageW(p.Item(IDC_Text_vat_round), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
        }
        if (row.keyDown != 0) {
            SendMessageW(box, WM_KEYDOWN, row.keyDown, 1);
        }
        SendMessageW(box, WM_CHAR, row.key, 1);
        const std::string name = "box " + std::to_string(row.box) + " \"" +
                                 Narrow(row.before ? row.before : L"") + "\" + key " +
                                 std::to_string(row.key);
        CheckText(Text(box), row.after ? row.after : total.c_str(), name);
        if (row.box != IDC_Text_vat_round) {
            Check((Text(p.Item(IDC_Text_vat_round)) != L"x") == row.recalculates,
                  name + (row.recalculates ? ": recalculates" : ": recalculates nothing"));
        }
    }
}

// Opens a box's context menu from the keyboard and chooses the item with the access key `key`.
void FromContextMenu(const Program& p, HWND box, wchar_t key) {
    PostMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), -1);
    WaitFor([&] { return p.FindOwn(nullptr, L"#32768") != nullptr; });
    PostMessageW(p.Main(), WM_CHAR, key, 1);
    WaitFor([&] { return p.FindOwn(nullptr, L"#32768") == nullptr; });
}

void TheEditingShortcuts(const Program& p) {
    HWND amount = p.Item(IDC_Text_amount);
    SendMessageW(amount, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
    SendMessageW(amount, EM_SETSEL, 2, 2);
    Type(amount,
         L"\x01"
         L"7");  // Ctrl+A, then a digit replaces everything
    CheckText(Text(amount), L"7", "Ctrl+A selects everything");
    Type(amount, L"\x1A");  // Ctrl+Z
    CheckText(Text(amount), L"12", "Ctrl+Z undoes");
    Type(amount, L"\x1A");
    CheckText(Text(amount), L"12", "a second Ctrl+Z redoes nothing");
    Type(amount, L"\x19");  // Ctrl+Y
    CheckText(Text(amount), L"7", "Ctrl+Y redoes");
    Type(amount, L"\x19");
    CheckText(Text(amount), L"7", "a second Ctrl+Y undoes nothing");
    Type(amount, L"\x1A");
    FromContextMenu(p, amount, L'u');
    CheckText(Text(amount), L"7", "the menu's Undo after Ctrl+Z redoes");
    Type(amount, L"\x01\x03");  // Ctrl+A, Ctrl+C
    CheckText(ClipboardText(), L"7", "Ctrl+C copies");
    Type(amount, L"\x18");  // Ctrl+X
    CheckText(Text(amount), L"", "Ctrl+X cuts");
    Type(amount, L"\x16");  // Ctrl+V
    CheckText(Text(amount), L"7", "Ctrl+V pastes");
    WithKeysDown(p, {VK_CONTROL, VK_SHIFT}, [&] {
        Type(amount, L"9");
        Type(amount, L"\x1A");  // Ctrl+Shift+Z: redo, with nothing undone
    });
    CheckText(Text(amount), L"79", "Ctrl+Shift+Z with nothing undone changes nothing");
    SendMessageW(amount, EM_SETSEL, 0, -1);
    WithKeysDown(p, {VK_SHIFT}, [&] { SendMessageW(amount, WM_KEYDOWN, VK_DELETE, 1); });
    CheckText(Text(amount), L"", "Shift+Delete cuts");
    CheckText(ClipboardText(), L"79", "Shift+Delete cuts to the clipboard");
    WithKeysDown(p, {VK_SHIFT}, [&] { SendMessageW(amount, WM_KEYDOWN, VK_INSERT, 1); });
    CheckText(Text(amount), L"79", "Shift+Insert pastes");
    SetClipboard(L"");
    SendMessageW(amount, EM_SETSEL, 0, 1);
    WithKeysDown(p, {VK_CONTROL}, [&] { SendMessageW(amount, WM_KEYDOWN, VK_INSERT, 1); });
    CheckText(ClipboardText(), L"7", "Ctrl+Insert copies");
    // The read-only total: everything selected and copied.
    HWND total = p.Item(IDC_Text_total);
    SendMessageW(total, EM_SETSEL, 0, 0);
    Type(total, L"\x01\x03");
    CheckText(ClipboardText(), Text(total), "Ctrl+A, Ctrl+C in the total");
    SetClipboard(L"-");
    FromContextMenu(p, total, L't');
    CheckText(ClipboardText(), L"-", "the total's menu offers no Cut");
    FromContextMenu(p, total, L'c');
    CheckText(ClipboardText(), Text(total), "the total's menu copies");
}

// A paste into a box that holds `before`, with `selected` characters of it selected from the
// start; `after` is what it holds then, and a refused paste shows a notice that starts with
// "Not pasted: ".
struct PasteRow {
    int box;
    std::wstring before;
    int selected;
    std::wstring pasted;
    std::wstring after;
    bool refused;
};

void ThePasteRules(const Program& p) {
    const std::wstring longest(1000, L'1');
    const PasteRow rows[] = {
        {IDC_Text_amount, L"", 0, L"12.5", L"12.5", false},
        {IDC_Text_amount, L"", 0, L"1,000", L"1,000", false},
        {IDC_Text_amount, L"", 0, longest, longest, false},
        {IDC_Text_amount, L"", 0, longest + L"1", L"", true},
        {IDC_Text_amount, L"5", 0, longest, L"5", true},
        {IDC_Text_amount, L"5", 1, longest, longest, false},
        {IDC_Text_vat, L"20", 0, longest, L"20", true},
        {IDC_Text_vat_round, L"", 0, longest + L"1", L"", true},
        {IDC_Text_Price, L"", 0, longest + L"1", L"", true},
        {IDC_Text_amount, L"", 0, L"12\r\n", L"12", false},
        {IDC_Text_amount, L"", 0,
         L"1\xD800"
         L"2",
         L"", true},  // a lone surrogate
    };
    for (const PasteRow& row : rows) {
        HWND box = p.Item(row.box);
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.before.c_str()));
        SendMessageW(box, EM_SETSEL, 0, row.selected);
        ShowWindow(p.Item(IDC_Notice), SW_HIDE);
        SetClipboard(row.pasted);
        SendMessageW(box, WM_PASTE, 0, 0);
        const std::string name = "paste of " + std::to_string(row.pasted.size()) + " \"" +
                                 Narrow(row.pasted.substr(0, 12)) + "\" into box " +
                                 std::to_string(row.box) + " holding \"" + Narrow(row.before) +
                                 "\"";
        CheckText(Text(box), row.after, name);
        const std::wstring notice = Text(p.Item(IDC_Notice));
        if (row.refused) {
            Check(IsWindowVisible(p.Item(IDC_Notice)) && notice.starts_with(L"Not pasted: "),
                  name + ": notice \"Not pasted: ...\", got \"" + Narrow(notice) + "\"");
        } else {
            Check(!notice.starts_with(L"Not pasted"),
                  name + ": no refusal, got \"" + Narrow(notice) + "\"");
        }
    }
    // The total takes no paste.
    SetClipboard(L"5");
    const std::wstring total = Text(p.Item(IDC_Text_total));
    SendMessageW(p.Item(IDC_Text_total), WM_PASTE, 0, 0);
    CheckText(Text(p.Item(IDC_Text_total)), total, "paste into the total");
}

// Ctrl+Backspace types DEL, which wine's edit box drops by itself where Windows' shows it: no
// control character gets past a result box's filter to the edit box under it.
void NoControlCharacterPassesTheFilter() {
    static std::wstring reached;
    tolvi::win32::EntryBox box;
    box.window = CreateWindowW(L"Edit", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, 0);
    SetWindowSubclass(
        box.window,
        [](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
            reached += message == WM_CHAR ? std::wstring(1, static_cast<wchar_t>(wParam)) : L"";
            return DefSubclassProc(window, message, wParam, lParam);
        },
        1, 0);
    tolvi::win32::AttachEntryBox(box);
    Type(box.window, L"\x7F\x02\x0A\x1B");  // Ctrl+Backspace, Ctrl+B, Ctrl+Enter, Escape
    Check(reached.empty(), "control characters pass a result box's filter");
}

void TheNoticeNamesTheError(const Program& p, int scale = 1) {
    SelectMode(p, tolvi::VatMode::Inclusive);
    Enter(p, IDC_Text_vat, "17.5");
    Enter(p, IDC_Text_amount, "1.2.3");
    HWND notice = p.Item(IDC_Notice);
    Check(IsWindowVisible(notice) && Text(notice).find(L"Type mismatch") != std::wstring::npos,
          "inclusive 1.2.3: the notice names the type mismatch, got \"" + Narrow(Text(notice)) +
              "\"");
    // Between the rate's row and the VAT's row, within the window.
    RECT place{};
    GetWindowRect(notice, &place);
    MapWindowPoints(nullptr, p.Main(), reinterpret_cast<POINT*>(&place), 2);
    Check(place.top >= 73 * scale && place.bottom <= 88 * scale && place.left >= 8 * scale &&
              place.right <= 291 * scale,
          "the notice stands between the rows, got " + std::to_string(place.left) + "," +
              std::to_string(place.top) + " to " + std::to_string(place.right) + "," +
              std::to_string(place.bottom));
    Type(p.Item(IDC_Text_amount), L"\b\b");
    Check(!IsWindowVisible(notice), "1.2 hides the notice again");
}

// The user's regional settings as Windows keeps them. Wine's programs read them once, so each
// region has a program of its own.
void UseRegion(const tolvi::test::Region& region) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, nullptr, 0,
                    KEY_SET_VALUE, nullptr, &key, nullptr);
    for (const auto& [name, value] : {std::pair{L"sDecimal", region.decimalSeparator},
                                      std::pair{L"sThousand", region.groupSeparator}}) {
        const std::wstring text = Wide(value);
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

template <typename Row>
std::string Named(const Row& row) {
    std::ostringstream name;
    name << row;
    return Narrow(Wide(name.str()));
}

HWND Box(const Program& p, tolvi::Field field) {
    return p.Item(field == tolvi::Field::Amount ? IDC_Text_amount : IDC_Text_vat);
}

void TheEntryRowsUnderEachRegion(const std::wstring& exe) {
    using namespace tolvi::test;
    for (const Region& region : kRegions) {
        UseRegion(region);
        const Program p(exe);
        for (const TypingRow& row : kTypingRows) {
            if (row.region.locale == region.locale) {
                HWND box = Box(p, row.field);
                Clear(box);
                Type(box, Wide(row.typed));
                CheckText(Text(box), Wide(row.boxText), Named(row));
            }
        }
        for (const tolvi::test::PasteRow& row : kPasteRows) {
            if (row.region.locale == region.locale) {
                HWND box = Box(p, row.field);
                SendMessageW(box, WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(Wide(row.before).c_str()));
                SendMessageW(box, EM_SETSEL, 0, -1);
                SetClipboard(Wide(row.pasted));
                SendMessageW(box, WM_PASTE, 0, 0);
                CheckText(Text(box), Wide(row.after), Named(row));
                const std::wstring notice = Text(p.Item(IDC_Notice));
                if (row.Refused()) {
                    CheckText(notice, Wide(row.notice), Named(row) + ": notice");
                } else if (!row.notice.empty()) {  // one line among the recalculation's
                    Check(notice.find(Wide(row.notice)) != std::wstring::npos,
                          Named(row) + ": notice " + Narrow(notice));
                }
            }
        }
    }
    UseRegion(kEnglish);
}

void TheNoticeRows(const Program& p) {
    for (const tolvi::test::NoticeRow& row : tolvi::test::kNoticeRows) {
        SelectMode(p, row.mode);
        SendMessageW(p.Item(IDC_Text_vat), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(Wide(row.rate).c_str()));
        SendMessageW(p.Item(IDC_Text_amount), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(Wide(row.amount).c_str()));
        std::wstring expected;
        for (const std::string_view line : row.lines) {
            if (!line.empty()) {
                expected +=
                    (expected.empty() ? L"" : Wide(tolvi::kNoticeLineSeparator)) + Wide(line);
            }
        }
        HWND notice = p.Item(IDC_Notice);
        CheckText(IsWindowVisible(notice) ? Text(notice) : L"", expected, Named(row));
    }
}

// ---------------------------------------------------------------------------------------------

HWND WaitForOwn(const Program& p, const wchar_t* title, const wchar_t* className = L"#32770") {
    HWND found = nullptr;
    WaitFor([&] { return (found = p.FindOwn(title, className)) != nullptr; });
    return found;
}

HWND OpenHelpMenu(const Program& p) {
    PostMessageW(p.Item(IDC_Command1), BM_CLICK, 0, 0);
    return WaitForOwn(p, nullptr, L"#32768");
}

// Chooses the `n`th item of the open pop-up, from the top, with the keyboard.
void ChooseItem(const Program& p, int n) {
    for (int i = 0; i <= n; ++i) {
        PostMessageW(p.Main(), WM_KEYDOWN, VK_DOWN, 1);
    }
    PostMessageW(p.Main(), WM_KEYDOWN, VK_RETURN, 1);
}

void TheHelpMenuPopsUpAtTheButton(const Program& p, const std::wstring& exe) {
    HWND menu = OpenHelpMenu(p);
    Check(menu != nullptr, "the Help button pops up a menu");
    RECT button{};
    RECT popup{};
    GetWindowRect(p.Item(IDC_Command1), &button);
    GetWindowRect(menu, &popup);
    Check(popup.left == button.left && popup.top == button.top,
          "the menu's top-left corner is the button's: " + std::to_string(button.left) + "," +
              std::to_string(button.top) + ", got " + std::to_string(popup.left) + "," +
              std::to_string(popup.top));
    PostMessageW(p.Main(), WM_KEYDOWN, VK_ESCAPE, 1);
    Check(WaitFor([&] { return p.FindOwn(nullptr, L"#32768") == nullptr; }),
          "Escape dismisses the menu");
    Sleep(200);
    Check(p.FindOwn(L" About ") == nullptr, "a dismissed menu runs no command");

    // The items, as the program holds them.
    HMODULE program = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMENU items = GetSubMenu(LoadMenuW(program, MAKEINTRESOURCEW(IDR_Help)), 0);
    const wchar_t* captions[] = {L"About", L"VAT Calculator Online", L"Home Page"};
    Check(GetMenuItemCount(items) == 3, "three items");
    for (int i = 0; i < 3; ++i) {
        wchar_t caption[64]{};
        GetMenuStringW(items, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
        CheckText(caption, captions[i], "item " + std::to_string(i + 1));
    }
    FreeLibrary(program);
}

std::wstring AboutText() {
    return Wide(std::string(tolvi::identity::kAppTitle) + "\r\nVersion 1.0.10\r\n" +
                tolvi::identity::kMakerWebHost + "\r\n" + tolvi::identity::kSupportEmail);
}

// Ways to close the About window: a message posted to one of its controls (0: to the window).
struct Closing {
    const char* name;
    int control;
    UINT message;
    WPARAM wParam;
};

void AboutOpensAndCloses(const Program& p) {
    const Closing closings[] = {
        {"OK clicked", IDC_cmdOK, BM_CLICK, 0},
        {"Enter", IDC_cmdOK, WM_KEYDOWN, VK_RETURN},
        {"Escape", IDC_cmdOK, WM_KEYDOWN, VK_ESCAPE},
        {"Enter in the text", IDC_Text_about, WM_KEYDOWN, VK_RETURN},
        {"Escape in the text", IDC_Text_about, WM_KEYDOWN, VK_ESCAPE},
        {"the close button", 0, WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const Closing& closing : closings) {
        OpenHelpMenu(p);
        ChooseItem(p, 0);
        HWND about = WaitForOwn(p, L" About ");
        Check(about != nullptr, std::string("About opens (to be closed by ") + closing.name + ")");
        if (about == nullptr) {
            continue;
        }
        CheckText(Text(GetDlgItem(about, IDC_Text_about)), AboutText(), "the About text");
        CheckText(Text(GetDlgItem(about, IDC_Label1_about)),
                  L"Copyright \u00A9 " + Wide(tolvi::identity::kCompanyName), "the legal notice");
        Check(GetWindow(about, GW_OWNER) == p.Main() && !IsWindowEnabled(p.Main()),
              "About is modal over the main window");
        Check(p.Focus() == GetDlgItem(about, IDC_cmdOK), "the focus starts on OK");
        Check((GetWindowLongPtrW(about, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0,
              "About is a tool window");
        HWND target = closing.control ? GetDlgItem(about, closing.control) : about;
        PostMessageW(target, closing.message, closing.wParam, 0);
        Check(WaitFor([&] { return !IsWindow(about); }),
              std::string("About closes by ") + closing.name);
        Check(WaitFor([&] { return IsWindowEnabled(p.Main()) != FALSE; }),
              std::string("the main window takes input again after ") + closing.name);
    }
}

std::string ReadFile(const std::wstring& path) {
    std::string content;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[512];
        std::size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            content.append(buffer, read);
        }
        std::fclose(file);
    }
    return content;
}

void TheWebItemsHandTheirAddressesToTheShell(const Program& p, const std::wstring& record) {
    OpenHelpMenu(p);
    ChooseItem(p, 1);
    Check(WaitFor([&] { return !ReadFile(record).empty(); }), "VAT Calculator Online is recorded");
    OpenHelpMenu(p);
    ChooseItem(p, 2);
    const std::string expected = std::string(tolvi::identity::kOnlineCalculatorAddress) + "\n" +
                                 tolvi::identity::kHomePageAddress + "\n";
    WaitFor([&] { return ReadFile(record).size() >= expected.size(); });
    CheckText(Wide(ReadFile(record)), Wide(expected), "the addresses handed to the shell");
    Check(ReadFile(record).find("http://tolvi.example/VAT-Calculator\nhttp://tolvi.example\n") == 0,
          "the two addresses, the home page with no path");
}

void ClosingEndsTheProcess(const Program& p, bool withAbout) {
    if (withAbout) {
        OpenHelpMenu(p);
        ChooseItem(p, 0);
        Check(WaitForOwn(p, L" About ") != nullptr, "About is open before closing");
    }
    PostMessageW(p.Main(), WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(p.Process(), 10000) == WAIT_OBJECT_0;
    DWORD status = 1;
    GetExitCodeProcess(p.Process(), &status);
    Check(ended && status == 0, std::string("closing the main window ends the process with 0") +
                                    (withAbout ? " with About open" : ""));
}

// For the screenshots: the window with the figures of a keystroke, or with About open over it,
// held until `ready` has been written and `seconds` have passed.
int Pose(const std::wstring& exe, std::wstring_view pose, const wchar_t* ready, int seconds) {
    Program program(exe);
    if (program.Main() == nullptr) {
        return 1;
    }
    Enter(program, IDC_Text_vat, "17.5");
    Enter(program, IDC_Text_amount, "117");
    if (pose == L"about") {
        OpenHelpMenu(program);
        ChooseItem(program, 0);
        WaitForOwn(program, L" About ");
    }
    Sleep(500);
    if (FILE* file = _wfopen(ready, L"wb")) {
        std::fclose(file);
    }
    Sleep(static_cast<DWORD>(seconds) * 1000);
    PostMessageW(program.Main(), WM_CLOSE, 0, 0);
    WaitForSingleObject(program.Process(), 5000);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: window_test tolvi-vat.exe [--pose main|about READY-FILE SECONDS]\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    if (argc == 3 && std::wstring_view(argv[2]) == L"--twice-the-resolution") {
        // Read by each program as it starts.
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr);
        const DWORD dpi = 192;
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
        RegCloseKey(key);
        {
            Program program(exe);
            if (program.Main() != nullptr) {
                AtTwiceTheResolutionEveryControlIsTwiceAsFar(program);
                TheHelpMenuPopsUpAtTheButton(program, exe);
                TheNoticeNamesTheError(program, 2);
            }
        }
        std::printf("%s: %d failure(s)\n", failures == 0 ? "PASSED" : "FAILED", failures);
        return failures == 0 ? 0 : 1;
    }
    if (argc == 6 && std::wstring_view(argv[2]) == L"--pose") {
        return Pose(exe, argv[3], argv[4], _wtoi(argv[5]));
    }
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring record =
        std::wstring(folder) + L"tolvi-shell-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    DeleteFileW(record.c_str());
    SetEnvironmentVariableW(L"TOLVI_RECORD_SHELL", record.c_str());

    {
        Program program(exe);
        if (program.Main() != nullptr) {
            TheFirstStateIsTheResourcesOwn(program);
            EveryControlIsInItsPlace(program);
            TabGoesThroughTheBoxesInOrder(program);
            EveryControlIsNamed(program);
            TheWorkedRecalculationsKeyByKey(program);
            SwitchingTheModeRecalculates(program);
            TheKeyRule(program);
            TheEditingShortcuts(program);
            ThePasteRules(program);
            TheNoticeNamesTheError(program);
            TheNoticeRows(program);
            TheHelpMenuPopsUpAtTheButton(program, exe);
            AboutOpensAndCloses(program);
            TheWebItemsHandTheirAddressesToTheShell(program, record);
            ClosingEndsTheProcess(program, false);
        }
    }
    {
        Program program(exe);
        if (program.Main() != nullptr) {
            ClosingEndsTheProcess(program, true);
        }
    }
    TheEntryRowsUnderEachRegion(exe);
    NoControlCharacterPassesTheFilter();
    DeleteFileW(record.c_str());
    std::printf("%s: %d failure(s)\n", failures == 0 ? "PASSED" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
