#pragma once
#include <windows.h>

#include <string>

// The platform's open-file and save-file dialogs, reached through one
// function so that a test can hand in the answer. The shipped program
// always shows the system's dialog.
struct FileDialogRequest {
    bool save = false;
    std::string defaultExtension;  // without the dot
    std::string filter;            // "Name|*.ext||", as the program writes it
    DWORD flags = 0;               // OFN_ flags
};

class CFileDialogAnswerer {
public:
    virtual ~CFileDialogAnswerer() = default;
    // False: the user cancelled.
    virtual bool Answer(HWND owner, const FileDialogRequest& request, std::string& path) = 0;
};

// The full path the user chose; false when the dialog was cancelled.
bool RunFileDialog(HWND owner, const FileDialogRequest& request, std::string& path);

// Null: the system's dialog again.
void SetFileDialogAnswerer(CFileDialogAnswerer* answerer);
