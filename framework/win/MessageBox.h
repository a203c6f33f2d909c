#pragma once
#include <windows.h>

#include <string>

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
