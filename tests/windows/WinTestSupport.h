#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/core/SaverSettings.h"
#include "framework/win/RegistrySection.h"
#include "saver/win/SaverWnd.h"

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

// A saver window on the test section, torn down with its test. Not the whole
// screen by default: Wine, lacking a window manager, takes two seconds to
// destroy a window that covers it.
class SaverWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestSettings(); }
    void TearDown() override;

    // A preview fills a host window of the area's size; otherwise the saver
    // covers the area (at the origin) with no parent.
    CSaverWnd& CreateSaver(const SaverRunFlags& flags, const RECT& area);

    std::unique_ptr<CRegistrySection> m_section;
    std::unique_ptr<CHostWindow> m_host;
    std::unique_ptr<CSaverWnd> m_saver;
};
