#include "dialogs/PhraseEditText.h"

#include <string>

#include "store/PhraseText.h"

namespace {

std::string EditText(HWND edit) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
    return text;
}

}  // namespace

bool KeepPhraseEditOneLine(HWND edit) {
    const std::string text = EditText(edit);
    if (!HoldsControlCharacter(text))
        return false;
    DWORD caret = 0;
    SendMessageA(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const bool modified = SendMessageA(edit, EM_GETMODIFY, 0, 0) != 0;
    const size_t newCaret = ControlCharactersAsSpaces(text.substr(0, caret)).size();
    SetWindowTextA(edit, ControlCharactersAsSpaces(text).c_str());
    SendMessageA(edit, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    SendMessageA(edit, EM_SETSEL, newCaret, static_cast<LPARAM>(newCaret));
    return true;
}
