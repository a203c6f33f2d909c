#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "saver/core/SaverSettings.h"
#include "framework/win/MessageBox.h"
#include "framework/win/RegistrySection.h"
#include "saver/win/SaverWnd.h"
#include "saver/win/ScrollTextWnd.h"
#include "store/StoreContext.h"

// The registry section the window tests run on, emptied for each test.
constexpr char kTestCompany[] = "Tallix";
constexpr char kTestApplication[] = "win_saver_tests";

void DeleteTestSettings();
CRegistrySection TestSection();
// Stores settings that differ from the defaults where changed by the caller.
void StoreSettings(const SaverSettings& settings);

// Handles every message waiting for this thread.
void PumpMessages();

// Moves the cursor anywhere on the desktop through the system's input, as a
// hand on the mouse does, and handles what that sends.
void MoveCursorTo(int x, int y);

// A plain top-level window with the given client size, for the preview.
class CHostWindow {
public:
    CHostWindow(int clientWidth, int clientHeight);
    ~CHostWindow();
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// A saver window on the test section, for a fixture to create and destroy.
// Not the whole screen by default: Wine, lacking a window manager, takes two
// seconds to destroy a window that covers it.
class SaverWindowHolder {
protected:
    // A preview fills a host window of the area's size; otherwise the saver
    // covers the area (at the origin) with no parent.
    // The phrases come from the store given, else from none.
    CSaverWnd& CreateSaver(const SaverRunFlags& flags, const RECT& area, CStoreContext* store = nullptr);
    // Destroys the saver and its host, and empties the test section.
    void DestroySaver();

    CStoreContext m_noStore;
    std::unique_ptr<CRegistrySection> m_section;
    std::unique_ptr<CHostWindow> m_host;
    std::unique_ptr<CSaverWnd> m_saver;
};

// A saver window on the test section, torn down with its test.
class SaverWindowFixture : public ::testing::Test, protected SaverWindowHolder {
protected:
    void SetUp() override { DeleteTestSettings(); }
    void TearDown() override { DestroySaver(); }
};

// The text window's timer, ticked by hand: the test's timer messages.
void Tick(const CScrollTextWnd& text);
// Ticks until the line jumps back to the far edge; false if it never does.
bool TickToNewLine(const CScrollTextWnd& text);
// Where the text window is, in its parent's client coordinates.
RECT PlaceInParent(const CScrollTextWnd& text);

// Records every message box and answers it: with the queued answers first,
// then with the box's first button.
class CRecordingBoxes : public CMessageBoxAnswerer {
public:
    struct Box {
        HWND owner;
        std::string text;
        std::string title;
        UINT type;
    };
    int Answer(HWND owner, const std::string& text, const std::string& title, UINT type) override;

    std::vector<Box> m_shown;
    std::deque<int> m_answers;
};

// Message boxes go to a recorder while this lives.
class CRecordedBoxes : public CRecordingBoxes {
public:
    CRecordedBoxes() { SetMessageBoxAnswerer(this); }
    ~CRecordedBoxes() override { SetMessageBoxAnswerer(nullptr); }
    CRecordedBoxes(const CRecordedBoxes&) = delete;
    CRecordedBoxes& operator=(const CRecordedBoxes&) = delete;
};

// The visible popup menu window while a menu is tracked, or null.
HWND FindMenuWindow();

// Where a window is on the screen.
RECT ScreenRectOf(HWND window);
// Where a window is in the client area of another (its dialog, say).
RECT RectWithin(HWND window, HWND other);
// A window's child windows, first to last.
std::vector<HWND> ChildrenOf(HWND parent);
