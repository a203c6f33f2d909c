#pragma once
#include <string>

#include "dialogs/BuddyLabel.h"
#include "dialogs/TiledDialog.h"

// The product's title, version, build date and a notice.
class CAboutDlg : public CTiledDialog {
public:
    CAboutDlg();

    std::string m_strVersion;
    std::string m_strBuildDate;
    std::string m_strNotice;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    static constexpr size_t kLabelCount = 6;
    CBuddyLabel m_labels[kLabelCount];
};
