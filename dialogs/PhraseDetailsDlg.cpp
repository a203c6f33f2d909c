#include "dialogs/PhraseDetailsDlg.h"

#include "res/resource.h"

namespace {

// The captions and value fields, all drawn over the tile.
const int kLabelIds[] = {
    IDC_DETAILS_TYPE_CAPTION,      IDC_DETAILS_TYPE,           IDC_DETAILS_OBJECT_CAPTION,
    IDC_DETAILS_FORM_CAPTION,      IDC_DETAILS_FIELD1,         IDC_DETAILS_MASCULINE_CAPTION,
    IDC_DETAILS_PHRASE_CAPTION,    IDC_DETAILS_FIELD2,         IDC_DETAILS_FEMININE_CAPTION,
    IDC_DETAILS_FIELD3,            IDC_DETAILS_PLURAL_CAPTION, IDC_DETAILS_FIELD4,
    IDC_DETAILS_DATE_CAPTION,      IDC_DETAILS_DATE,           IDC_DETAILS_CREATOR_CAPTION,
    IDC_DETAILS_CREATOR,
};

}  // namespace

CPhraseDetailsDlg::CPhraseDetailsDlg(CWnd* pParent, const CPhraseRec& phrase)
    : CTiledDialog(IDD_PHRASE_DETAILS, pParent), m_details(DescribePhrase(phrase)) {}

void CPhraseDetailsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Controls(pDX, kLabelIds, m_labels);
    DDX_Text(pDX, IDC_DETAILS_TYPE, m_details.typeText);
    DDX_Text(pDX, IDC_DETAILS_FIELD1, m_details.fields[0]);
    DDX_Text(pDX, IDC_DETAILS_FIELD2, m_details.fields[1]);
    DDX_Text(pDX, IDC_DETAILS_FIELD3, m_details.fields[2]);
    DDX_Text(pDX, IDC_DETAILS_FIELD4, m_details.fields[3]);
    DDX_Text(pDX, IDC_DETAILS_DATE, m_details.dateText);
    DDX_Text(pDX, IDC_DETAILS_CREATOR, m_details.creatorText);
}

bool CPhraseDetailsDlg::OnInitDialog() {
    CTiledDialog::OnInitDialog();
    if (m_details.IsNoun())
        ShowNounCaptions();
    HWND icon = GetDlgItem(IDC_DETAILS_ICON);
    HICON image = m_details.iconId
                      ? LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_details.iconId))
                      : nullptr;
    ::SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(image), 0);
    return true;
}

// A noun has a form and one text: "Form:" and "Phrase:" take the place of
// the four form captions; the two empty fields below stay.
void CPhraseDetailsDlg::ShowNounCaptions() {
    for (int id : {IDC_DETAILS_OBJECT_CAPTION, IDC_DETAILS_MASCULINE_CAPTION,
                   IDC_DETAILS_FEMININE_CAPTION, IDC_DETAILS_PLURAL_CAPTION})
        ::ShowWindow(GetDlgItem(id), SW_HIDE);
    for (int id : {IDC_DETAILS_FORM_CAPTION, IDC_DETAILS_PHRASE_CAPTION})
        ::ShowWindow(GetDlgItem(id), SW_SHOW);
}

DWORD CPhraseDetailsDlg::HelpContextFor(int controlId, DWORD contextId) {
    return DetailsHelpContext(m_details, controlId, contextId);
}
