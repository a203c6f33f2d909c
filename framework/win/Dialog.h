#pragma once
#include <windows.h>

#include <string>

#include "framework/win/Wnd.h"

class CDataExchange;

// A dialog made from a template of the program's resources, run modally
// (DoModal) or modelessly (Create). The object takes over the dialog's
// window procedure at WM_INITDIALOG, so a dialog class handles messages
// through its table like every window, with the dialog manager's own
// handling as the default. Values move between members and controls in one
// exchange step, DoDataExchange: into the controls when the dialog opens,
// out of them, and checked, on OK. A dialog whose start-up (OnInitDialog)
// throws says why and closes again: DoModal returns -1, Create false.
class CDialog : public CWnd {
public:
    // pParent null: the application's main window owns the dialog.
    explicit CDialog(UINT templateId, CWnd* pParent = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog; returns its result (-1: it could not start).
    virtual INT_PTR DoModal();
    // Creates the dialog modelessly; EndDialog then destroys its window.
    bool Create(CWnd* pParent = nullptr);
    void EndDialog(INT_PTR result);
    // The result given to EndDialog (a modeless dialog keeps it after its window goes).
    INT_PTR Result() const { return m_nResult; }

    // Members into the controls (false), or controls into the members (true).
    // False when a step failed: its message has been shown and the focus is
    // on its control, an edit's text selected.
    bool UpdateData(bool saveAndValidate = true);

    UINT TemplateId() const { return m_nTemplateId; }

    // Over the owner, or in the middle of the screen without one; a dialog
    // that does not place itself while it initialises is put there.
    void CenterWindow();

protected:
    // The controls are there and linked to their members by the exchange;
    // true lets the system put the focus on the first control.
    virtual bool OnInitDialog();
    // Ends the dialog with IDOK once the exchange succeeded.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    const MessageTable* GetMessageTable() const override;

    // A right click on a control with a help number (or Shift+F10 and the
    // menu key on one) offers "What's This?", which asks for the control's
    // help as F1 does. A dialog with a context menu of its own hands over
    // the requests it leaves.
    LRESULT OfferWhatsThis(WPARAM wParam, LPARAM lParam);

    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerHandle(CWnd* pParent) const;
    void ApplyTemplateHelpIds();
    void SeparateLabelsFromGroups();
    // WM_INITDIALOG for the object; false when start-up failed.
    bool Start(bool& focusFirst);
    void FocusControl(int id);
    // The smallest visible control of the dialog under a point of the screen.
    HWND ControlAt(POINT screen) const;
    void RequestHelp(HWND control, POINT screen);

    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);

    UINT m_nTemplateId;
    INT_PTR m_nResult = 0;
    bool m_bModeless = false;
};

// One run of a dialog's exchange step: the direction and the dialog.
class CDataExchange {
public:
    CDataExchange(CDialog* pDlg, bool saveAndValidate)
        : m_pDlgWnd(pDlg), m_bSaveAndValidate(saveAndValidate) {}

    HWND Control(int id) const;

    // Stops the exchange at a step that found a value it cannot take: the
    // dialog shows the message box and puts the focus on the control.
    [[noreturn]] void Fail(int controlId, const std::string& text, const std::string& title, UINT type);

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

// Links a member to a control of the template: the member takes over the
// control's messages, once, the first time the exchange runs.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The same for arrays of members and their controls' identifiers.
template <class Control, size_t N>
void DDX_Controls(CDataExchange* pDX, const int (&ids)[N], Control (&controls)[N]) {
    for (size_t i = 0; i < N; ++i)
        DDX_Control(pDX, ids[i], controls[i]);
}
// A control's text and a string member.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// A check box and a flag member.
void DDX_Check(CDataExchange* pDX, int id, bool& checked);
// A group of radio buttons, from firstId on, and the index of the pressed
// one (-1: none).
void DDX_Radio(CDataExchange* pDX, int firstId, int& index);
// A track bar's position and an integer member.
void DDX_Slider(CDataExchange* pDX, int id, int& position);
