#include "dialogs/AboutDlg.h"

#include "res/resource.h"

namespace {

const int kLabelIds[] = {IDC_ABOUT_TITLE,        IDC_ABOUT_VERSION_CAPTION,
                         IDC_ABOUT_VERSION,      IDC_ABOUT_BUILD_DATE_CAPTION,
                         IDC_ABOUT_BUILD_DATE,   IDC_ABOUT_NOTICE};

}  // namespace

// The build date is a fixed text, not the program file's.
CAboutDlg::CAboutDlg()
    : CTiledDialog(IDD_ABOUT),
      m_strVersion("4.1"),
      m_strBuildDate("Jul 11 1999"),
      m_strNotice("Phrases by their authors; free to share.") {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Controls(pDX, kLabelIds, m_labels);
    DDX_Text(pDX, IDC_ABOUT_BUILD_DATE, m_strBuildDate);
    DDX_Text(pDX, IDC_ABOUT_NOTICE, m_strNotice);
    DDX_Text(pDX, IDC_ABOUT_VERSION, m_strVersion);
}
