// Every dialog used from the keyboard: real key presses go to the focused
// control through the dialog manager, as a modeless dialog's owner loop
// hands them on. What is expected is read from the running dialog (its
// controls' places and texts), never copied from the template.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/AboutDlg.h"
#include "dialogs/ConfigDlg.h"
#include "dialogs/DatabaseDlg.h"
#include "dialogs/DialogHost.h"
#include "dialogs/HelpPopup.h"
#include "dialogs/NounPhraseDlg.h"
#include "dialogs/PhraseDetailsDlg.h"
#include "dialogs/VerbPhraseDlg.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

LONG StyleOf(HWND control) { return GetWindowLongA(control, GWL_STYLE); }
bool IsRadio(HWND control) {
    return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}
bool IsPushButton(HWND control) {
    const LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}
bool IsStatic(HWND control) {
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Static") == 0;
}
bool IsLive(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }
// What Tab or a mnemonic may put the focus on.
bool TakesFocus(HWND control) { return IsLive(control) && ((StyleOf(control) & WS_TABSTOP) || IsRadio(control)); }

POINT CentreOf(HWND control) {
    const RECT place = ScreenRectOf(control);
    return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

// The radio buttons that stand together with this one, up to the next group.
std::vector<HWND> RadioGroupOf(HWND button) {
    HWND first = button;
    while (!(StyleOf(first) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous || !IsRadio(previous))
            break;
        first = previous;
    }
    std::vector<HWND> group;
    for (HWND member = first; member && IsRadio(member); member = GetWindow(member, GW_HWNDNEXT)) {
        if (member != first && (StyleOf(member) & WS_GROUP))
            break;
        group.push_back(member);
    }
    return group;
}

// A radio button stands for its whole group, which Tab visits once.
RECT TabPlaceOf(HWND control) {
    if (!IsRadio(control))
        return ScreenRectOf(control);
    RECT place = ScreenRectOf(control);
    for (HWND member : RadioGroupOf(control)) {
        const RECT memberPlace = ScreenRectOf(member);
        UnionRect(&place, &place, &memberPlace);
    }
    return place;
}

// Reading order: left to right along a row (the two overlap in height),
// else top to bottom.
bool ReadsBefore(const RECT& a, const RECT& b) {
    const bool sameRow = a.top < b.bottom && b.top < a.bottom;
    return sameRow ? a.left < b.left : a.top < b.top;
}

// The places Tab should visit: every live tab stop, each radio group once.
size_t TabStopCount(HWND dialog) {
    size_t count = 0;
    std::vector<HWND> counted;
    for (HWND child : ChildrenOf(dialog)) {
        if (!TakesFocus(child) || std::find(counted.begin(), counted.end(), child) != counted.end())
            continue;
        ++count;
        if (IsRadio(child))
            for (HWND member : RadioGroupOf(child))
                counted.push_back(member);
    }
    return count;
}

LONG Distance(const RECT& a, const RECT& b) {
    const LONG across = std::max<LONG>({0, b.left - a.right, a.left - b.right});
    const LONG down = std::max<LONG>({0, b.top - a.bottom, a.top - b.bottom});
    return across + down;
}

// The control a label stands beside: the nearest one that takes the focus.
HWND NearestFocusable(HWND dialog, HWND label) {
    HWND nearest = nullptr;
    LONG best = 0;
    for (HWND child : ChildrenOf(dialog)) {
        if (child == label || !TakesFocus(child))
            continue;
        const LONG distance = Distance(ScreenRectOf(label), ScreenRectOf(child));
        if (!nearest || distance < best) {
            nearest = child;
            best = distance;
        }
    }
    return nearest;
}

// The letter after a single '&', or 0.
char MnemonicOf(HWND control) {
    const std::string text = WindowText(control);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

INPUT MouseInput(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

// Records the buttons a dialog is told were pressed; a push button's
// command stops there, so that nothing opens.
LRESULT CALLBACK RecordClicks(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR record) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && lParam) {
        reinterpret_cast<std::vector<int>*>(record)->push_back(LOWORD(wParam));
        if (IsPushButton(reinterpret_cast<HWND>(lParam)))
            return 0;
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

class DialogKeysTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        m_phrase.m_PhraseType = 3;
        m_phrase.m_OPhrase = "the moon";
        m_phrase.m_AddedBy = "ann";
    }
    void TearDown() override {
        CHelpPopup::CloseCurrent();
        m_dialog.reset();
        DialogTest::TearDown();
    }

    struct Kind {
        const char* name;
        std::function<std::unique_ptr<CDialog>()> make;
    };
    std::vector<Kind> EveryDialog() {
        return {
            {"manager", [this] { return std::make_unique<CPhraseManagerDlg>(m_app->Store()); }},
            {"noun", [] { return std::make_unique<CNounPhraseDlg>(nullptr, nullptr); }},
            {"verb", [] { return std::make_unique<CVerbPhraseDlg>(nullptr, nullptr, false); }},
            {"details", [this] { return std::make_unique<CPhraseDetailsDlg>(nullptr, m_phrase); }},
            {"configuration", [] { return std::make_unique<CConfigDlg>(); }},
            {"database", [this] { return std::make_unique<CDatabaseDlg>(nullptr, m_app->Store()); }},
            {"about", [] { return std::make_unique<CAboutDlg>(); }},
        };
    }

    Kind Named(const std::string& name) {
        for (const Kind& kind : EveryDialog())
            if (name == kind.name)
                return kind;
        return {};
    }

    // The dialog in front, the focus on its first tab stop.
    HWND Open(const Kind& kind) {
        m_dialog = kind.make();
        EXPECT_TRUE(m_dialog->Create());
        HWND dialog = m_dialog->GetSafeHwnd();
        SetForegroundWindow(dialog);
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetNextDlgTabItem(dialog, nullptr, FALSE)),
                     TRUE);
        Pump();
        return dialog;
    }

    // Handles what waits, the dialog manager first, as a modeless dialog's
    // owner does.
    void Pump() {
        HWND dialog = m_dialog->GetSafeHwnd();
        MSG msg;
        for (int round = 0; round < 3; ++round) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                if (!IsDialogMessageA(dialog, &msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
            Sleep(5);
        }
    }

    void Press(std::initializer_list<WORD> keys) {
        SendKeyChord(keys);
        Pump();
    }

    // The controls Tab visits from the first, once round.
    std::vector<HWND> TabCycle() {
        std::vector<HWND> visited;
        for (HWND focus = GetFocus(); visited.size() < 40; focus = GetFocus()) {
            if (!visited.empty() && focus == visited.front())
                break;
            visited.push_back(focus);
            Press({VK_TAB});
        }
        return visited;
    }

    // Chooses the first item of each menu the action opens; how many
    // showed, and the first one's item.
    int WhatsThisMenusOpenedBy(const std::function<void()>& action, std::string* item = nullptr) {
        int menus = 0;
        std::function<void(HWND)> choose = [&](HWND menu) {
            if (item && menus == 0) {
                HMENU shown = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
                char text[64] = "";
                if (shown)
                    GetMenuStringA(shown, 0, text, sizeof text, MF_BYPOSITION);
                *item = text;
            }
            ++menus;
            SendKeyChord({VK_DOWN});
            SendKeyChord({VK_RETURN});
            RunWhenMenuShows(choose, 500, menu);  // a second menu would count, and close
        };
        RunWhenMenuShows(choose);
        action();
        while (MenuWatchPending())
            Pump();
        Pump();
        return menus;
    }

    // The display may still report where the pointer was before: the click
    // waits until the cursor has stood at the point for two looks running.
    void RightClickAt(POINT screen) {
        int stillThere = 0;
        for (int look = 0; look < 40 && stillThere < 2; ++look) {
            POINT at;
            GetCursorPos(&at);
            stillThere = at.x == screen.x && at.y == screen.y ? stillThere + 1 : 0;
            if (!stillThere)
                SetCursorPos(screen.x, screen.y);
            Pump();
        }
        ASSERT_EQ(stillThere, 2);
        INPUT buttons[] = {MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP)};
        SendInput(2, buttons, sizeof(INPUT));
        Pump();
    }

    std::unique_ptr<CDialog> m_dialog;
    CPhraseRec m_phrase;
};

}  // namespace

TEST_F(DialogKeysTest, TabVisitsEveryTabStopOfEveryDialogInReadingOrder) {
    for (const Kind& kind : EveryDialog()) {
        SCOPED_TRACE(kind.name);
        HWND dialog = Open(kind);
        const std::vector<HWND> cycle = TabCycle();
        ASSERT_FALSE(cycle.empty());
        EXPECT_EQ(GetFocus(), cycle.front()) << "Tab comes round again";
        EXPECT_EQ(cycle.size(), TabStopCount(dialog));
        for (size_t i = 0; i + 1 < cycle.size(); ++i) {
            EXPECT_TRUE(IsChild(dialog, cycle[i]));
            EXPECT_TRUE(ReadsBefore(TabPlaceOf(cycle[i]), TabPlaceOf(cycle[i + 1])))
                << WindowText(cycle[i]) << " before " << WindowText(cycle[i + 1]);
        }
        m_dialog.reset();
    }
}

// A button's letter presses it; a label's letter puts the focus on the
// control it stands beside (a box whose caption is the label, an edit below).
TEST_F(DialogKeysTest, EveryMnemonicReachesItsControl) {
    for (const char* name : {"manager", "noun", "verb", "configuration", "database"}) {
        SCOPED_TRACE(name);
        const Kind kind = Named(name);
        HWND dialog = Open(kind);
        std::vector<int> clicked;
        SetWindowSubclass(dialog, &RecordClicks, 1, reinterpret_cast<DWORD_PTR>(&clicked));
        int mnemonics = 0;
        for (HWND control : ChildrenOf(dialog)) {
            const char letter = MnemonicOf(control);
            if (!letter || !IsLive(control))
                continue;
            ++mnemonics;
            SCOPED_TRACE(WindowText(control));
            HWND expected = IsStatic(control) ? NearestFocusable(dialog, control) : control;
            clicked.clear();
            Press({VK_MENU, static_cast<WORD>(letter)});
            if (IsPushButton(control)) {
                EXPECT_EQ(clicked, std::vector<int>{GetDlgCtrlID(control)});
            } else {
                EXPECT_EQ(GetFocus(), expected) << WindowText(GetFocus());
                if (IsRadio(expected) && expected == control) {
                    EXPECT_EQ(SendMessageA(control, BM_GETCHECK, 0, 0), BST_CHECKED);
                }
            }
        }
        EXPECT_GT(mnemonics, 2);
        RemoveWindowSubclass(dialog, &RecordClicks, 1);
        m_dialog.reset();
    }
}

// The Bold box has no text of its own: its caption shows where the focus is.
TEST_F(DialogKeysTest, ACaptionShowsTheFocusRectangleWhileItsBoxHasTheFocus) {
    HWND dialog = Open(Named("configuration"));
    HWND caption = GetDlgItem(dialog, IDC_BOLD_CAPTION);
    const RECT place = RectWithin(caption, dialog);
    auto pixels = [&] {
        UpdateWindow(dialog);
        CClientCapture capture(dialog);
        std::vector<COLORREF> seen;
        for (int y = place.top; y < place.bottom; ++y)
            for (int x = place.left; x < place.right; ++x)
                seen.push_back(capture.At(x, y));
        return seen;
    };
    Press({VK_MENU, 'I'});
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ITALIC));
    const std::vector<COLORREF> unfocused = pixels();
    Press({VK_MENU, 'B'});
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, IDC_BOLD));
    const std::vector<COLORREF> focused = pixels();
    Press({VK_TAB});
    const std::vector<COLORREF> left = pixels();

    // The frame runs round the text: its top row is dotted.
    const size_t width = static_cast<size_t>(place.right - place.left);
    int changedOnTop = 0, changed = 0;
    for (size_t i = 0; i < focused.size(); ++i) {
        changed += focused[i] != unfocused[i];
        changedOnTop += i < width && focused[i] != unfocused[i];
    }
    EXPECT_GE(changedOnTop, 4);
    EXPECT_GT(changed, changedOnTop);
    EXPECT_EQ(left, unfocused) << "the rectangle goes with the focus";
}

// Arrows move among the controls of a group (a radio button's stay in its
// group); they never leave the focus on a caption, an icon or a field that
// takes none.
TEST_F(DialogKeysTest, ArrowsNeverPutTheFocusWhereTabCannot) {
    for (const Kind& kind : EveryDialog()) {
        SCOPED_TRACE(kind.name);
        Open(kind);
        for (HWND stop : TabCycle()) {
            if (SendMessageA(stop, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS)
                continue;
            for (WORD arrow : {VK_DOWN, VK_UP}) {  // Right and Left go the same ways
                SendMessageA(m_dialog->GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(stop), TRUE);
                Press({arrow});
                EXPECT_TRUE(TakesFocus(GetFocus())) << WindowText(stop) << " then " << arrow << ": "
                                                    << WindowText(GetFocus());
                if (IsRadio(stop)) {
                    const std::vector<HWND> group = RadioGroupOf(stop);
                    EXPECT_NE(std::find(group.begin(), group.end(), GetFocus()), group.end()) << WindowText(stop);
                }
            }
        }
        m_dialog.reset();
    }
}

// What's This? from a right click or Shift+F10 gives, once, the help of a
// read-only field (which F1 cannot reach), of a caption's box, or of the
// focused control.
TEST_F(DialogKeysTest, WhatsThisGivesTheHelpOfAReadOnlyFieldACaptionsBoxOrTheFocusedControl) {
    HWND dialog = Open(Named("details"));
    const std::string fieldHelp = AskHelp(dialog, IDC_DETAILS_FIELD1);
    ASSERT_NE(fieldHelp, "(none)");
    CHelpPopup::CloseCurrent();
    std::string item;
    EXPECT_EQ(WhatsThisMenusOpenedBy([&] { RightClickAt(CentreOf(GetDlgItem(dialog, IDC_DETAILS_FIELD1))); },
                                     &item),
              1);
    EXPECT_EQ(item, "&What's This?");
    EXPECT_EQ(ShownHelp(), fieldHelp);

    CHelpPopup::CloseCurrent();
    dialog = Open(Named("configuration"));
    const std::string boldHelp = HelpTopicText(GetWindowContextHelpId(GetDlgItem(dialog, IDC_BOLD)));
    ASSERT_FALSE(boldHelp.empty());
    EXPECT_EQ(WhatsThisMenusOpenedBy([&] { RightClickAt(CentreOf(GetDlgItem(dialog, IDC_BOLD_CAPTION))); }), 1);
    EXPECT_EQ(ShownHelp(), boldHelp);

    CHelpPopup::CloseCurrent();
    Press({VK_MENU, 'I'});
    EXPECT_EQ(WhatsThisMenusOpenedBy([&] { Press({VK_SHIFT, VK_F10}); }), 1);
    EXPECT_EQ(ShownHelp(), HelpTopicText(GetWindowContextHelpId(GetDlgItem(dialog, IDC_ITALIC))));
}
