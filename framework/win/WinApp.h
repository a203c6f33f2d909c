#pragma once
#include <windows.h>

#include <string>

#include "framework/win/RegistrySection.h"

class CWnd;

// The application object: start-up, the message loop and the exit step, the
// program's name and the registry key its settings live under. One per
// process.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; true runs the message loop until the main window is destroyed.
    virtual bool InitInstance() = 0;
    // Runs after the loop (or after a start-up that returned false); its
    // result is the process's exit code.
    virtual int ExitInstance();

    // The whole life of the program: start-up, loop, exit.
    int RunApplication(HINSTANCE instance, const char* commandLine);

    // "Software\<key>\<application name>" holds the settings from now on.
    void SetRegistryKey(const char* company) { m_strRegistryKey = company; }
    CRegistrySection ProfileSection(const char* section) const;

    HINSTANCE m_hInstance = nullptr;
    std::string m_strAppName;      // the program file's base name
    std::string m_strRegistryKey;
    const char* m_lpCmdLine = "";
    CWnd* m_pMainWnd = nullptr;    // its destruction ends the message loop

protected:
    int m_nExitCode = 0;

private:
    int Run();
};

CWinApp* AfxGetApp();

// The base name (no folder, no extension) of the program file, taken from
// the long form of its path: Windows may start a saver by its 8.3 name, and
// the settings must not move with it.
std::string ProgramBaseName();
// The same for any path: the long form's base name (the path itself when it
// names no existing file).
std::string ApplicationNameFromPath(const std::string& path);
