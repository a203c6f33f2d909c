#pragma once
#include <windows.h>

#include <string>

#include "app/core/SaverSettings.h"
#include "framework/win/RegistrySection.h"

// The registry section the window tests run on, emptied for each test.
constexpr char kTestCompany[] = "Tallix";
constexpr char kTestApplication[] = "win_saver_tests";

void DeleteTestSettings();
CRegistrySection TestSection();
// Stores settings that differ from the defaults where changed by the caller.
void StoreSettings(const SaverSettings& settings);

// Handles every message waiting for this thread.
void PumpMessages();

// A plain top-level window with the given client size, for the preview.
class CHostWindow {
public:
    CHostWindow(int clientWidth, int clientHeight);
    ~CHostWindow();
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
};
