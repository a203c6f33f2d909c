#pragma once
#include <windows.h>

#include <string>

#include "framework/MessageSink.h"

// Every message box of the program goes through ShowMessageBox, so that a
// test can read what the program says and answer its questions. The
// shipped program always shows the system's message box.
class CMessageBoxAnswerer {
public:
    virtual ~CMessageBoxAnswerer() = default;
    // Returns the button pressed (IDOK, IDYES, IDNO, ...).
    virtual int Answer(HWND owner, const std::string& text, const std::string& title, UINT type) = 0;
};

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT type);

// Null: the system's message box again.
void SetMessageBoxAnswerer(CMessageBoxAnswerer* answerer);

// Warnings of the portable code as message boxes with the warning icon.
class CMessageBoxSink : public CMessageSink {
public:
    explicit CMessageBoxSink(HWND owner = nullptr) : m_hOwner(owner) {}
    void ShowWarning(const std::string& text, const std::string& title) override {
        ShowMessageBox(m_hOwner, text, title, MB_OK | MB_ICONWARNING);
    }

private:
    HWND m_hOwner;
};
