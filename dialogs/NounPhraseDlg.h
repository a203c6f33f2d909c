#pragma once
#include <string>

#include "dialogs/TiledDialog.h"
#include "framework/win/Controls.h"

class CPhraseRec;

// A noun phrase and its grammatical form (a NounForm, 0 to 3). New with no
// record, or the record's phrase to change; the record itself is never
// written. OK needs a form; Cancel leaves both values as given. The text
// stays one line: a line break typed or pasted into it becomes a space.
class CNounPhraseDlg : public CTiledDialog {
public:
    CNounPhraseDlg(CWnd* pParent, const CPhraseRec* pRecord);

    int m_nForm = -1;  // -1: no form button pressed
    std::string m_strText;

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageTable* GetMessageTable() const override;

private:
    void OnTextChanged();

    const bool m_bEditing;
    const int m_nGivenForm;
    const std::string m_strGivenText;
};
