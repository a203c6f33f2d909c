#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/SaverApp.h"
#include "framework/odbc/Database.h"
#include "framework/win/MessageBox.h"
#include "manager/PhraseManagerDlg.h"
#include "tests/windows/WinTestSupport.h"

// The application object of the dialog tests: its settings live under the
// test program's own key, its database is this test run's data source.
class CDialogTestApp : public CSaverApp {
public:
    using CSaverApp::OpenDatabase;
};

// Each test starts with empty tables, no stored settings, the application
// object open on the data source, the tile built and message boxes recorded.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Empty tables of the current layout; a test over tables made elsewhere keeps them.
    virtual void PrepareTables();
    void Exec(const std::string& sql);
    // A phrase stored behind the program's back; date "YYYY-MM-DD HH:MM:SS".
    void InsertPhrase(int phraseType, const std::string& object, const std::string& date,
                      const std::string& addedBy = "ann");
    void InsertVerb(int phraseType, const std::string (&forms)[4], const std::string& date,
                    const std::string& addedBy = "ann");

    CProfileSection& Settings() { return m_app->ConfigSection(); }
    // A stored number, or 0xDEADBEEF where none is stored.
    uint32_t StoredNumber(const char* name) {
        uint32_t value = 0xDEADBEEF;
        Settings().ReadNumber(name, value);
        return value;
    }

    std::unique_ptr<CDialogTestApp> m_app;
    CDatabase m_db;
    CRecordingBoxes m_boxes;
};

// Calls the action from inside the next modal loop of this thread (a
// dialog's or a menu's), once, soon after the loop starts.
void RunInModalLoop(std::function<void()> action);

// Calls the action with the next popup menu shown (other than `skip`), from
// inside its modal loop, however late it shows; gives up after `patienceMs`.
void RunWhenMenuShows(std::function<void(HWND menu)> action, int patienceMs = 5000, HWND skip = nullptr);
// True while such an action waits for its menu.
bool MenuWatchPending();

// Real key presses for the focused window: the keys pressed in order and
// let go in reverse, as one chord; the running message loop takes them.
void SendKeyChord(std::initializer_list<WORD> keys);

// Types text at the end of an edit as the keyboard does: one WM_CHAR a
// character, so the edit marks itself modified and tells its parent of
// each change.
void TypeText(HWND edit, const std::string& text);
// Empties an edit as a user would, by selecting all and deleting.
void ClearTyped(HWND edit);
// The text of a control or window.
std::string WindowText(HWND hWnd);

// The text of the help popup shown, or "(none)".
std::string ShownHelp();
// Asks for help on a dialog's control as F1 does; the popup's text, or "(none)".
std::string AskHelp(HWND dialog, int id);

// The title of the modal window the action opens, closed again at once;
// with fieldText, also the text of that window's control `field`.
std::string TitleOfWindowOpenedBy(const std::function<void()>& action, int field = 0,
                                  std::string* fieldText = nullptr);

// The phrase manager, created modeless over the test's data source.
class ManagerTestBase : public DialogTest {
protected:
    void TearDown() override;
    CPhraseManagerDlg& Open();
    HWND List() { return m_manager->List().GetSafeHwnd(); }
    std::string Cell(int row, int column);
    // The phrase column, top to bottom.
    std::vector<std::string> Phrases();
    // Selects those rows alone, the last one focused, and lets the buttons follow.
    void SelectRows(std::initializer_list<int> rows);
    void Command(int id) { SendMessageA(m_manager->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0); }
    void Press(int id) { SendMessageA(m_manager->GetDlgItem(id), BM_CLICK, 0, 0); }
    bool Enabled(int id) { return IsWindowEnabled(m_manager->GetDlgItem(id)) != FALSE; }
    bool Checked(int id) { return SendMessageA(m_manager->GetDlgItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::unique_ptr<CPhraseManagerDlg> m_manager;
};

// The pixels of a window's client area as drawn on the screen, or of the
// whole window with its title bar and frame.
class CClientCapture {
public:
    explicit CClientCapture(HWND hWnd, bool wholeWindow = false);
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    ~CClientCapture();
    CClientCapture(const CClientCapture&) = delete;
    CClientCapture& operator=(const CClientCapture&) = delete;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};
