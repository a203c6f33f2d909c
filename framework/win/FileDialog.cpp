#include "framework/win/FileDialog.h"

#include <commdlg.h>

#include <atomic>
#include <vector>

namespace {

std::atomic<CFileDialogAnswerer*> g_pAnswerer{nullptr};

// "Name|*.ext||" into the system's "Name\0*.ext\0\0".
std::vector<char> SystemFilter(const std::string& filter) {
    std::vector<char> text(filter.begin(), filter.end());
    for (char& c : text)
        if (c == '|')
            c = '\0';
    text.push_back('\0');
    text.push_back('\0');
    return text;
}

}  // namespace

bool RunFileDialog(HWND owner, const FileDialogRequest& request, std::string& path) {
    if (CFileDialogAnswerer* answerer = g_pAnswerer.load())
        return answerer->Answer(owner, request, path);
    std::vector<char> file(MAX_PATH * 4, '\0');
    const std::vector<char> filter = SystemFilter(request.filter);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = request.defaultExtension.c_str();
    ofn.Flags = request.flags;
    const BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!chosen)
        return false;
    path = file.data();
    return true;
}

void SetFileDialogAnswerer(CFileDialogAnswerer* answerer) { g_pAnswerer.store(answerer); }
