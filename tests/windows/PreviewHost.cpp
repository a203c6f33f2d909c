// preview_host SAVER [SECONDS]: stands in for the Display Properties dialog.
// Opens a small window and starts "SAVER /p HWND" to preview inside it; ends
// when the window is closed, or after SECONDS when given.
//
// preview_host --in-process [SECONDS]: the same, but the saver's start-up runs
// inside this process, with the settings of sorrowline.scr. Wine 8 does not
// draw a child window that belongs to another process, so this is how the
// preview can be seen under Wine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/SaverApp.h"
#include "framework/base/DpiScale.h"
#include "framework/win/Gdi.h"

namespace {

constexpr UINT_PTR kQuitTimer = 1;

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kQuitTimer)
                DestroyWindow(hWnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

HWND CreateHostWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SorrowlinePreviewHost";
    RegisterClassA(&wc);
    // About the size of the system's preview monitor, which grows with the screen's DPI.
    const int dpi = ScreenDpi();
    RECT rect = {0, 0, ScaleToDpi(320, dpi), ScaleToDpi(240, dpi)};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowExA(0, wc.lpszClassName, "Sorrowline preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           100, 100, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

bool StartPreview(const char* saver, HWND host, PROCESS_INFORMATION& process) {
    std::string command = std::string("\"") + saver + "\" /p " +
                          std::to_string(reinterpret_cast<UINT_PTR>(host));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process) != FALSE;
}

}  // namespace

int RunInProcess(HWND host) {
    CSaverApp app;
    app.m_strAppName = "sorrowline";  // the saver's own registry section
    const std::string commandLine = "/p " + std::to_string(reinterpret_cast<UINT_PTR>(host));
    return app.RunApplication(GetModuleHandleA(nullptr), commandLine.c_str());
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_host SAVER [SECONDS]\n       preview_host --in-process [SECONDS]\n");
        return 2;
    }
    HWND host = CreateHostWindow();
    if (!host) {
        std::fprintf(stderr, "preview_host: cannot create the window\n");
        return 1;
    }
    if (argc > 2)
        SetTimer(host, kQuitTimer, static_cast<UINT>(std::atoi(argv[2])) * 1000u, nullptr);
    if (std::strcmp(argv[1], "--in-process") == 0)
        return RunInProcess(host);

    PROCESS_INFORMATION process = {};
    if (!StartPreview(argv[1], host, process)) {
        std::fprintf(stderr, "preview_host: cannot start %s (error %lu)\n", argv[1], GetLastError());
        DestroyWindow(host);
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The preview goes with its window; give it a moment to end by itself.
    if (WaitForSingleObject(process.hProcess, 5000) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return 0;
}
