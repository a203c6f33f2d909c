#include "dialogs/NounPhraseDlg.h"

#include "dialogs/PhraseEditText.h"
#include "res/resource.h"
#include "store/PhraseRec.h"

CNounPhraseDlg::CNounPhraseDlg(CWnd* pParent, const CPhraseRec* pRecord)
    : CTiledDialog(IDD_NOUN_PHRASE, pParent),
      m_nForm(pRecord ? pRecord->m_PhraseType : -1),
      m_strText(pRecord ? pRecord->m_OPhrase : std::string()),
      m_bEditing(pRecord != nullptr),
      m_nGivenForm(m_nForm),
      m_strGivenText(m_strText) {}

// Without a form the text is offered for retyping.
void CNounPhraseDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_NOUN_TEXT, m_strText);
    DDX_Radio(pDX, IDC_FORM_OBJECT, m_nForm);
    if (pDX->m_bSaveAndValidate && m_nForm == -1)
        pDX->Fail(IDC_NOUN_TEXT, "You must select a form for the phrase", "Select Form",
                  MB_OK | MB_ICONINFORMATION);
}

bool CNounPhraseDlg::OnInitDialog() {
    CTiledDialog::OnInitDialog();
    if (m_bEditing)
        SetWindowText("Edit Noun");
    return true;
}

void CNounPhraseDlg::OnCancel() {
    m_nForm = m_nGivenForm;
    m_strText = m_strGivenText;
    CTiledDialog::OnCancel();
}

const MessageTable* CNounPhraseDlg::GetMessageTable() const {
    static const auto table = MessageTableOf<CNounPhraseDlg>(CTiledDialog::GetMessageTable(), {
        OnControl(EN_CHANGE, IDC_NOUN_TEXT, &CNounPhraseDlg::OnTextChanged),
    });
    return &table;
}

void CNounPhraseDlg::OnTextChanged() { KeepPhraseEditOneLine(GetDlgItem(IDC_NOUN_TEXT)); }
