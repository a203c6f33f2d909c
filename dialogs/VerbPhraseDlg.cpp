#include "dialogs/VerbPhraseDlg.h"

#include "dialogs/PhraseEditText.h"
#include "dialogs/core/VerbForms.h"
#include "res/resource.h"
#include "store/PhraseRec.h"

namespace {

const int kEditIds[4] = {IDC_OBJECT_TEXT, IDC_MASCULINE_TEXT, IDC_FEMININE_TEXT, IDC_PLURAL_TEXT};
const int kCaptionIds[4] = {IDC_OBJECT_CAPTION, IDC_MASCULINE_CAPTION, IDC_FEMININE_CAPTION,
                            IDC_PLURAL_CAPTION};

FormTexts TextsOf(const CPhraseRec* record) {
    if (!record)
        return FormTexts{};
    return {record->m_OPhrase, record->m_MPhrase, record->m_FPhrase, record->m_PPhrase};
}

const char* Title(bool adverb, bool editing) {
    if (adverb)
        return editing ? "Edit Adverb" : "Add Adverb";
    return editing ? "Edit Verb" : "Add Verb";
}

}  // namespace

CVerbPhraseDlg::CVerbPhraseDlg(CWnd* pParent, const CPhraseRec* pRecord, bool adverb)
    : CTiledDialog(IDD_VERB_PHRASE, pParent),
      m_texts(TextsOf(pRecord)),
      m_bEditing(pRecord != nullptr),
      m_bAdverb(adverb),
      m_givenTexts(m_texts) {}

void CVerbPhraseDlg::DoDataExchange(CDataExchange* pDX) {
    for (int form = 0; form < 4; ++form) {
        DDX_Control(pDX, kEditIds[form], m_edits[form]);
        DDX_Control(pDX, kCaptionIds[form], m_captions[form]);
        DDX_Text(pDX, kEditIds[form], m_texts[form]);
    }
}

bool CVerbPhraseDlg::OnInitDialog() {
    m_bWritingForms = true;
    CTiledDialog::OnInitDialog();
    for (CEdit& edit : m_edits)
        edit.SetModify(false);
    m_bWritingForms = false;
    if (m_bAdverb)
        ::SendMessageA(GetDlgItem(IDC_KIND_ICON), STM_SETICON,
                       reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr),
                                                          MAKEINTRESOURCEA(IDI_ADVERB))),
                       0);
    SetWindowText(Title(m_bAdverb, m_bEditing));
    return true;
}

void CVerbPhraseDlg::OnCancel() {
    m_texts = m_givenTexts;
    CTiledDialog::OnCancel();
}

const MessageTable* CVerbPhraseDlg::GetMessageTable() const {
    static const auto table = MessageTableOf<CVerbPhraseDlg>(CTiledDialog::GetMessageTable(), {
        OnControl(EN_CHANGE, IDC_OBJECT_TEXT, &CVerbPhraseDlg::OnFormChanged),
        OnControl(EN_CHANGE, IDC_MASCULINE_TEXT, &CVerbPhraseDlg::OnFormChanged),
        OnControl(EN_CHANGE, IDC_FEMININE_TEXT, &CVerbPhraseDlg::OnFormChanged),
        OnControl(EN_CHANGE, IDC_PLURAL_TEXT, &CVerbPhraseDlg::OnFormChanged),
    });
    return &table;
}

// A form stays one line before the forms below follow it.
void CVerbPhraseDlg::OnFormChanged(UINT editId) {
    if (m_bWritingForms)
        return;
    for (int form = 0; form < 4; ++form)
        if (static_cast<UINT>(kEditIds[form]) == editId) {
            KeepPhraseEditOneLine(m_edits[form].GetSafeHwnd());
            DeriveLowerForms(form);
        }
}

// Rewritten forms stay unmarked, so that they go on following.
void CVerbPhraseDlg::DeriveLowerForms(int changedForm) {
    std::array<bool, 4> typed;
    for (int form = 0; form < 4; ++form)
        typed[form] = m_edits[form].GetModify();
    const std::vector<FormRewrite> rewrites =
        FormsDerivedFrom(m_edits[changedForm].GetWindowText(), changedForm, typed);
    m_bWritingForms = true;
    for (const FormRewrite& rewrite : rewrites) {
        m_edits[rewrite.form].SetWindowText(rewrite.text);
        m_edits[rewrite.form].SetModify(false);
    }
    m_bWritingForms = false;
}
