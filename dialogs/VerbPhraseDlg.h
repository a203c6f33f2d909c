#pragma once
#include <string>

#include "dialogs/BuddyLabel.h"
#include "dialogs/TiledDialog.h"
#include "store/DeriveForm.h"
#include "framework/win/Controls.h"

class CPhraseRec;

// The four forms of a verb or adverb phrase. Whenever the user changes a
// form, each form below it that the user has not typed into is derived
// from it anew; a form the user typed into is never overwritten. Each form
// stays one line: a line break typed or pasted into it becomes a space. New with
// no record, or the record's phrase to change; the record itself is never
// written. Cancel leaves the texts as given.
class CVerbPhraseDlg : public CTiledDialog {
public:
    CVerbPhraseDlg(CWnd* pParent, const CPhraseRec* pRecord, bool adverb);

    FormTexts m_texts;  // Object, Masculine, Feminine, Plural

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageTable* GetMessageTable() const override;

private:
    void OnFormChanged(UINT editId);
    void DeriveLowerForms(int changedForm);

    const bool m_bEditing;
    const bool m_bAdverb;
    const FormTexts m_givenTexts;
    CEdit m_edits[4];
    CBuddyLabel m_captions[4];
    bool m_bWritingForms = false;  // changes made by the program derive nothing
};
