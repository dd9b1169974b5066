// The Tolvi VAT Calculator window program for Windows.
#include <windows.h>

#include "win32_window/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // The manifest asks for this already; older systems that ignore it hear it here.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);

    tolvi::win32::MainWindow window(instance);
    if (!window.Show(showCommand)) {
        return 1;
    }
    return window.Run();
}
