#include "framework/win/Dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <vector>

#include "framework/win/DialogTemplate.h"
#include "framework/win/FocusLabel.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* pParent) : m_pParentWnd(pParent), m_nTemplateId(templateId) {}

CDialog::~CDialog() = default;

HWND CDialog::OwnerHandle(CWnd* pParent) const {
    if (pParent)
        return pParent->GetSafeHwnd();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd != this)
        return app->m_pMainWnd->GetSafeHwnd();
    return nullptr;
}

namespace {

// The list views, track bars and progress bars of the templates.
void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                              ICC_PROGRESS_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

HINSTANCE ResourceInstance() {
    CWinApp* app = AfxGetApp();
    return app && app->m_hInstance ? app->m_hInstance : GetModuleHandleA(nullptr);
}

}  // namespace

INT_PTR CDialog::DoModal() {
    RegisterCommonControls();
    m_bModeless = false;
    m_nResult = DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(m_nTemplateId),
                                OwnerHandle(m_pParentWnd), &CDialog::DialogProc,
                                reinterpret_cast<LPARAM>(this));
    return m_nResult;
}

// A dialog that closed itself while it started is not there.
bool CDialog::Create(CWnd* pParent) {
    if (pParent)
        m_pParentWnd = pParent;
    RegisterCommonControls();
    m_bModeless = true;
    m_nResult = 0;
    HWND hWnd = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(m_nTemplateId),
                                   OwnerHandle(m_pParentWnd), &CDialog::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr && m_hWnd == hWnd;
}

void CDialog::EndDialog(INT_PTR result) {
    m_nResult = result;
    if (!m_hWnd)
        return;
    if (m_bModeless)
        DestroyWindow();
    else
        ::EndDialog(m_hWnd, result);
}

// Only WM_INITDIALOG is handled here: the object takes over the window's
// procedure then, and everything after reaches its table first, with the
// dialog manager (which calls back here and is told "not handled") as default.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG || FromHandle(hWnd))
        return FALSE;
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hWnd);
    dialog->OwnWindow();
    dialog->ApplyTemplateHelpIds();
    dialog->SeparateLabelsFromGroups();
    bool focusFirst = true;
    if (dialog->Start(focusFirst))
        return focusFirst ? TRUE : FALSE;
    // Half made is no use to anyone: the error has been shown, the dialog goes.
    dialog->EndDialog(-1);
    return FALSE;
}

bool CDialog::Start(bool& focusFirst) {
    try {
        RECT before;
        GetWindowRect(m_hWnd, &before);
        focusFirst = OnInitDialog();
        RECT after;
        GetWindowRect(m_hWnd, &after);
        if (EqualRect(&before, &after))
            CenterWindow();
        return true;
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("An unexpected error occurred.");
    }
    return false;
}

// The help numbers of the template's controls, where the system has not
// given them already. The controls stand in template order; a control of
// its own identifier is also found by that.
void CDialog::ApplyTemplateHelpIds() {
    HWND child = GetWindow(m_hWnd, GW_CHILD);
    for (const DialogTemplateItem& item : ReadDialogTemplateItems(ResourceInstance(), m_nTemplateId)) {
        HWND control = child;
        if (!control || LOWORD(GetDlgCtrlID(control)) != LOWORD(item.id))
            control = LOWORD(item.id) == 0xFFFF ? nullptr : GetDlgItem(static_cast<int>(LOWORD(item.id)));
        if (control && item.helpId && !GetWindowContextHelpId(control))
            SetWindowContextHelpId(control, item.helpId);
        if (child)
            child = GetWindow(child, GW_HWNDNEXT);
    }
}

namespace {

// A caption, an icon, a field or a frame: a control Tab never stops on.
bool IsLabelLike(HWND control) {
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0)
        return true;
    return lstrcmpiA(className, "Button") == 0 &&
           (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

}  // namespace

// The arrow keys move the focus within a group of controls and would put
// it on a label that shares the group; so each run of labels becomes a
// group of its own, and so does each run of the controls beside them. The
// first control starts a group too: the last group does not go on there.
void CDialog::SeparateLabelsFromGroups() {
    HWND first = GetWindow(m_hWnd, GW_CHILD);
    bool previousLabel = false;
    for (HWND child = first; child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool label = IsLabelLike(child);
        if (child == first || label != previousLabel)
            SetWindowLongA(child, GWL_STYLE, GetWindowLongA(child, GWL_STYLE) | WS_GROUP);
        previousLabel = label;
    }
}

// Over the owner while it is shown, else in the middle of the work area.
void CDialog::CenterWindow() {
    RECT area;
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT window;
    GetWindowRect(m_hWnd, &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    RECT screen;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    x = std::max<int>(screen.left, std::min<int>(x, screen.right - width));
    y = std::max<int>(screen.top, std::min<int>(y, screen.bottom - height));
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

namespace {

// Carries a failed step out of DoDataExchange to UpdateData; deliberately
// no std::exception, so that nothing on the way takes it for an error.
struct ExchangeFailure {
    int controlId;
    std::string text;
    std::string title;
    UINT type;
};

}  // namespace

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const ExchangeFailure& failure) {
        ShowMessageBox(m_hWnd, failure.text, failure.title, failure.type);
        FocusControl(failure.controlId);
        return false;
    }
    return true;
}

// The dialog manager's way, so the default button follows; an edit's
// text is selected for retyping.
void CDialog::FocusControl(int id) {
    HWND control = GetDlgItem(id);
    if (!control || !m_hWnd)
        return;
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageA(control, EM_SETSEL, 0, -1);
}

const MessageTable* CDialog::GetMessageTable() const {
    static const auto table = MessageTableOf<CDialog>(nullptr, {
        OnCommand(IDOK, &CDialog::OnOKCommand),
        OnCommand(IDCANCEL, &CDialog::OnCancelCommand),
        OnMessage(WM_CTLCOLORSTATIC, &CDialog::OnCtlColor),
        OnMessage(WM_CTLCOLORBTN, &CDialog::OnCtlColor),
        OnMessage(WM_CTLCOLOREDIT, &CDialog::OnCtlColor),
        OnMessage(WM_CONTEXTMENU, &CDialog::OfferWhatsThis),
    });
    return &table;
}

namespace {

constexpr UINT kWhatsThis = 1;

bool ChooseWhatsThis(HWND owner, POINT screen) {
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return false;
    AppendMenuA(menu, MF_STRING, kWhatsThis, "&What's This?");
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, owner,
        nullptr));
    DestroyMenu(menu);
    return chosen == kWhatsThis;
}

LONG Area(const RECT& rect) { return (rect.right - rect.left) * (rect.bottom - rect.top); }

}  // namespace

// A static that passes the mouse on leaves the right click to the dialog
// itself, which finds the control under it; from the keyboard the menu
// opens below the focused control.
LRESULT CDialog::OfferWhatsThis(WPARAM wParam, LPARAM lParam) {
    const bool fromKeyboard = lParam == -1;
    HWND control = reinterpret_cast<HWND>(wParam);
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (control == m_hWnd && !fromKeyboard)
        control = ControlAt(point);
    if (!control || !IsChild(m_hWnd, control) || !GetWindowContextHelpId(HelpControlOf(control)))
        return Default();
    if (fromKeyboard) {
        RECT place;
        GetWindowRect(control, &place);
        point = {place.left, place.bottom};
    }
    if (ChooseWhatsThis(m_hWnd, point))
        RequestHelp(control, point);
    return 0;
}

HWND CDialog::ControlAt(POINT screen) const {
    HWND found = nullptr;
    RECT foundPlace = {};
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        if (!IsWindowVisible(child) || !GetWindowRect(child, &place) || !PtInRect(&place, screen))
            continue;
        if (!found || Area(place) < Area(foundPlace)) {
            found = child;
            foundPlace = place;
        }
    }
    return found;
}

// The same request F1 makes on the focused control.
void CDialog::RequestHelp(HWND control, POINT screen) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(control);
    info.hItemHandle = control;
    info.dwContextId = GetWindowContextHelpId(HelpControlOf(control));
    info.MousePos = screen;
    SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

// The dialog's usual colours, which a control of ours may then change.
LRESULT CDialog::OnCtlColor(WPARAM wParam, LPARAM lParam) {
    const LRESULT usual = Default();
    if (CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = control->CtlColor(reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
    return usual;
}

HWND CDataExchange::Control(int id) const { return m_pDlgWnd->GetDlgItem(id); }

void CDataExchange::Fail(int controlId, const std::string& text, const std::string& title, UINT type) {
    throw ExchangeFailure{controlId, text, title, type};
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.GetSafeHwnd())
        return;
    if (HWND hWnd = pDX->Control(id))
        control.SubclassWindow(hWnd);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    HWND hWnd = pDX->Control(id);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextA(hWnd, value.c_str());
        return;
    }
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(hWnd)) + 1, '\0');
    GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()));
    value = text.data();
}

void DDX_Check(CDataExchange* pDX, int id, bool& checked) {
    HWND hWnd = pDX->Control(id);
    if (pDX->m_bSaveAndValidate)
        checked = SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    else
        SendMessageA(hWnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace {

bool IsRadioButton(HWND hWnd) { return (SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0; }

// The radio buttons of the group that starts at first, in template order.
std::vector<HWND> RadioGroup(HWND first) {
    std::vector<HWND> group;
    for (HWND hWnd = first; hWnd && IsRadioButton(hWnd); hWnd = GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != first && (GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        group.push_back(hWnd);
    }
    return group;
}

}  // namespace

void DDX_Radio(CDataExchange* pDX, int firstId, int& index) {
    const std::vector<HWND> group = RadioGroup(pDX->Control(firstId));
    if (pDX->m_bSaveAndValidate) {
        index = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (SendMessageA(group[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
                index = static_cast<int>(i);
        return;
    }
    for (size_t i = 0; i < group.size(); ++i)
        SendMessageA(group[i], BM_SETCHECK,
                     static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
    // An unchecked radio button loses its tab stop; a group with none
    // checked keeps one on its first button, or Tab could not reach it.
    if (!group.empty() && (index < 0 || index >= static_cast<int>(group.size())))
        SetWindowLongA(group.front(), GWL_STYLE, GetWindowLongA(group.front(), GWL_STYLE) | WS_TABSTOP);
}

void DDX_Slider(CDataExchange* pDX, int id, int& position) {
    HWND hWnd = pDX->Control(id);
    if (pDX->m_bSaveAndValidate)
        position = static_cast<int>(SendMessageA(hWnd, TBM_GETPOS, 0, 0));
    else
        SendMessageA(hWnd, TBM_SETPOS, TRUE, position);
}
