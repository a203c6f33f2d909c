// The framework's dialog: an exchange step that fails keeps the dialog open
// with the focus on its control, and a dialog whose start-up fails closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/win/Dialog.h"
#include "res/resource.h"
#include "tests/windows/WinTestSupport.h"

namespace {

// The noun template with rules of this test: a text of at least three
// characters, then the Plural button pressed.
class CPickyDlg : public CDialog {
public:
    CPickyDlg() : CDialog(IDD_NOUN_PHRASE) {}

    std::string m_strText = "ab";
    int m_nForm = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_NOUN_TEXT, m_strText);
        if (pDX->m_bSaveAndValidate && m_strText.size() < 3)
            pDX->Fail(IDC_NOUN_TEXT, "Too short", "Text", MB_OK | MB_ICONINFORMATION);
        DDX_Radio(pDX, IDC_FORM_OBJECT, m_nForm);
        if (pDX->m_bSaveAndValidate && m_nForm != 3)
            pDX->Fail(IDC_FORM_PLURAL, "Plural only", "Form", MB_OK | MB_ICONWARNING);
    }
};

class CFailingStartDlg : public CDialog {
public:
    CFailingStartDlg() : CDialog(IDD_NOUN_PHRASE) {}

protected:
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        throw std::runtime_error("The phrases could not be read");
    }
};

}  // namespace

TEST(DialogExchangeTest, AFailedStepKeepsTheDialogOpenWithTheFocusOnItsControl) {
    CRecordedBoxes boxes;
    CPickyDlg dialog;
    ASSERT_TRUE(dialog.Create());
    HWND hWnd = dialog.GetSafeHwnd();
    HWND text = dialog.GetDlgItem(IDC_NOUN_TEXT);

    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(IsWindow(hWnd));
    ASSERT_EQ(boxes.m_shown.size(), 1u);
    EXPECT_EQ(boxes.m_shown[0].title, "Text");
    EXPECT_EQ(boxes.m_shown[0].owner, hWnd);
    EXPECT_EQ(GetFocus(), text);
    DWORD start = 1, end = 0;
    SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);

    // The next step fails on a button: the focus goes there.
    SetWindowTextA(text, "abc");
    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(IsWindow(hWnd));
    ASSERT_EQ(boxes.m_shown.size(), 2u);
    EXPECT_EQ(boxes.m_shown[1].title, "Form");
    EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDC_FORM_PLURAL));

    SendMessageA(dialog.GetDlgItem(IDC_FORM_PLURAL), BM_CLICK, 0, 0);
    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(dialog.m_nForm, 3);
}

TEST(DialogExchangeTest, ADialogWhoseStartFailsSaysWhyAndCloses) {
    CRecordedBoxes boxes;
    CFailingStartDlg modal;
    EXPECT_EQ(modal.DoModal(), -1);
    ASSERT_EQ(boxes.m_shown.size(), 1u);
    EXPECT_EQ(boxes.m_shown[0].text, "The phrases could not be read");
    EXPECT_EQ(boxes.m_shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));

    CFailingStartDlg modeless;
    EXPECT_FALSE(modeless.Create());
    EXPECT_EQ(modeless.GetSafeHwnd(), nullptr);
    EXPECT_EQ(boxes.m_shown.size(), 2u);
}
