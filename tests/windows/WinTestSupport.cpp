#include "tests/windows/WinTestSupport.h"

void DeleteTestSettings() {
    const std::string path = std::string("Software\\") + kTestCompany + "\\" + kTestApplication;
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

CRegistrySection TestSection() { return CRegistrySection(kTestCompany, kTestApplication, kConfigSection); }

void StoreSettings(const SaverSettings& settings) {
    CRegistrySection section = TestSection();
    settings.Store(section);
}

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

CHostWindow::CHostWindow(int clientWidth, int clientHeight) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SorrowlineTestHost";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassA(&wc);  // fails harmlessly once registered
    RECT rect = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    m_hWnd = CreateWindowExA(0, wc.lpszClassName, "Preview host", WS_OVERLAPPEDWINDOW, 0, 0,
                             rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

CHostWindow::~CHostWindow() {
    if (IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}
