#pragma once
#include "dialogs/BuddyLabel.h"
#include "dialogs/TiledDialog.h"
#include "dialogs/core/PhraseDetails.h"

class CPhraseRec;

// Everything stored about one phrase, read only: its kind, the form of a
// noun or the four texts of a verb or adverb, when and by whom it was stored.
class CPhraseDetailsDlg : public CTiledDialog {
public:
    CPhraseDetailsDlg(CWnd* pParent, const CPhraseRec& phrase);

    const PhraseDetails& Details() const { return m_details; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    DWORD HelpContextFor(int controlId, DWORD contextId) override;

private:
    void ShowNounCaptions();

    static constexpr size_t kLabelCount = 16;

    PhraseDetails m_details;
    CBuddyLabel m_labels[kLabelCount];
};
