#include "dialogs/DialogHost.h"

#include <memory>

#include "dialogs/HelpPopup.h"
#include "dialogs/core/HelpTopics.h"
#include "framework/win/WinApp.h"
#include "res/resource.h"

namespace {

// The topics text of the resources, read once.
const CHelpTopics& HelpTopics() {
    static const CHelpTopics topics = [] {
        HMODULE module = GetModuleHandleA(nullptr);
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_HELP_TOPICS), RT_RCDATA);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        return CHelpTopics(text ? std::string(text, SizeofResource(module, found)) : std::string());
    }();
    return topics;
}

}  // namespace

CDialogHost::CDialogHost() = default;

CDialogHost::~CDialogHost() = default;

// The application object serves the dialogs: no second registry of it.
CDialogHost* GetDialogHost() { return dynamic_cast<CDialogHost*>(AfxGetApp()); }

std::string HelpTopicText(DWORD contextId) { return HelpTopics().Topic(contextId); }

// A new request replaces the topic shown; a number without a topic shows nothing.
void CDialogHost::WinHelp(DWORD contextId, HWND control) {
    CHelpPopup::CloseCurrent();
    const std::string text = HelpTopicText(contextId);
    if (!text.empty())
        CHelpPopup::Show(text, control);
}
