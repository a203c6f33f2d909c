#include "framework/win/WinApp.h"

#include <exception>

#include "framework/win/Wnd.h"

namespace {

CWinApp* g_pApp = nullptr;

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

}  // namespace

CWinApp::CWinApp() : m_strAppName(ProgramBaseName()) { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

std::string ProgramBaseName() {
    char path[MAX_PATH * 2] = {};
    if (!GetModuleFileNameA(nullptr, path, sizeof(path)))
        return "Sorrowline";
    return ApplicationNameFromPath(path);
}

std::string ApplicationNameFromPath(const std::string& path) {
    char longPath[MAX_PATH * 2] = {};
    const DWORD length = GetLongPathNameA(path.c_str(), longPath, sizeof(longPath));
    if (length == 0 || length >= sizeof(longPath))
        return BaseName(path);
    return BaseName(longPath);
}

CRegistrySection CWinApp::ProfileSection(const char* section) const {
    return CRegistrySection(m_strRegistryKey, m_strAppName, section);
}

int CWinApp::ExitInstance() { return m_nExitCode; }

int CWinApp::RunApplication(HINSTANCE instance, const char* commandLine) {
    m_hInstance = instance;
    m_lpCmdLine = commandLine ? commandLine : "";
    try {
        if (InitInstance())
            m_nExitCode = Run();
        return ExitInstance();
    } catch (const std::exception& e) {
        // Start-up and exit run outside any window procedure: report here.
        ReportError(e.what());
        return 1;
    }
}

int CWinApp::Run() {
    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
