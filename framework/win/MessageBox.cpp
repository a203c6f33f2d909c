#include "framework/win/MessageBox.h"

#include <atomic>

namespace {

std::atomic<CMessageBoxAnswerer*> g_pAnswerer{nullptr};

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT type) {
    if (CMessageBoxAnswerer* answerer = g_pAnswerer.load())
        return answerer->Answer(owner, text, title, type);
    return MessageBoxA(owner, text.c_str(), title.c_str(), type);
}

void SetMessageBoxAnswerer(CMessageBoxAnswerer* answerer) { g_pAnswerer.store(answerer); }
