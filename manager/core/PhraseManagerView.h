#pragma once
#include <string>
#include <vector>

#include "framework/MessageSink.h"
#include "manager/core/PhraseListModel.h"
#include "store/DeriveForm.h"

class CPhraseRec;

// What the phrase manager's presenter needs from its window: the list, the
// buttons, the editors and the questions. ShowWarning (the sink's) is a
// warning box over the window.
class IPhraseManagerView : public CMessageSink {
public:
    // The list shows these rows and their selection and focus anew; it reads
    // the cells of the rows it shows through RowWithCells.
    virtual void ShowRows(CPhraseListModel& rows) = 0;
    // Screen indexes of the selected rows, from the top; and the focused row, or -1.
    virtual std::vector<int> SelectedRows() const = 0;
    virtual int FocusedRow() const = 0;
    // How many rows are selected, without listing them: a long list asks often.
    virtual int SelectedCount() const = 0;
    virtual void ScrollToRow(int row) = 0;
    virtual void EnableSelectionCommands(const SelectionCommands& commands) = 0;
    // The filter button of that code (-1 all, 0 nouns, 4 verbs, 5 adverbs) pressed, the others not.
    virtual void CheckFilterButton(int filterCode) = 0;
    // The wait cursor while the store works.
    virtual void ShowBusy(bool busy) = 0;

    virtual void ShowInformation(const std::string& text, const std::string& title) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;

    // The editors, opened with the form and texts given: a new phrase with no
    // record, or the record's phrase to change. True for OK, with what the
    // user gave; Cancel leaves them as they were.
    virtual bool EditNoun(const CPhraseRec* record, int& form, std::string& text) = 0;
    virtual bool EditVerbOrAdverb(const CPhraseRec* record, bool adverb, FormTexts& texts) = 0;
    virtual void ShowDetails(const CPhraseRec& phrase) = 0;
};
