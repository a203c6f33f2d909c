#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "manager/core/PhraseListModel.h"
#include "manager/core/PhraseManagerView.h"
#include "manager/core/SortKeys.h"
#include "store/PhraseService.h"

class CConfigRecord;
class CPhraseRec;
class CStoreContext;

// The phrase manager's flows over the store: the filtered, sorted list, and
// adding, editing, deleting and looking at phrases. The window wires its
// controls to it and shows what it is told through the view.
class CPhraseManagerPresenter : private IPhraseCellSource {
public:
    // The store (its configuration row holds the counts and the owner) and
    // the phrase set the list reads and changes.
    CPhraseManagerPresenter(IPhraseManagerView& view, CStoreContext& store, CPhraseRec& phrases);

    // Opens the phrase set; false when the table cannot be read.
    bool OpenPhraseSet();

    // Fills the list anew with the phrases the filter code lets through.
    void RefreshList(int filterCode);
    void Refresh() { RefreshList(m_filterCode); }
    // A filter button: "All" (-1) re-reads the list in place, the others empty it first.
    void ChooseFilter(int filterCode);
    // A click on the header of list column 0 to 3.
    void SortByColumn(int column);

    // Edit for exactly one selected row, Delete for one or more.
    SelectionCommands CommandsForSelected() const;
    void UpdateButtons();

    void AddNoun();
    void AddVerbOrAdverb(bool adverb);
    void EditSelected();
    void DeleteSelected();
    // The details of the one selected row; nothing for more or none.
    void ShowDetailsOfSelected();
    void ShowDetails(int row);
    // Before the Database dialog: false, having said why, when the store
    // cannot be reached.
    bool ReachStoreForDatabaseDialog();

    // Re-reads one phrase and puts its row at the top of the list (at the
    // bottom while the list shows the oldest first), selected.
    void ShowPhraseRow(int32_t phraseNumber);
    // Selects and shows one row; the first row selected so far loses its selection.
    void SelectPhraseRow(int32_t phraseNumber);

    int FilterCode() const { return m_filterCode; }
    const CSortKeys& SortKeys() const { return m_sortKeys; }
    const CPhraseListModel& Rows() const { return m_rows; }
    // The rows as the list shows them: a row's cells are read when it is shown.
    CPhraseListModel& Rows() { return m_rows; }

private:
    void SetFilter(int filterCode, bool emptyFirst);
    void SwitchFilterTo(int filterCode, int32_t added);
    void ReadSelection();
    void ShowRows();
    int SelectedCount() const;
    void ShowQueryFailure(const std::string& text, const std::string& title);
    void EditNoun();
    void EditVerbOrAdverb(bool adverb);
    void StoreEdit();
    bool AskNoun(const CPhraseRec* record, int& form, std::string& text);
    bool AskVerbOrAdverb(const CPhraseRec* record, bool adverb, FormTexts& texts);

    // The store, reached only from these.
    bool ReachStore(const char* failedAction, const char* title);
    void FillList(int filterCode);
    std::vector<PhraseListRow> ReadCells(const std::vector<int32_t>& phraseNumbers) override;
    bool ReadPhrase(int32_t phraseNumber);
    bool CanAddPhrases() const;
    int32_t StoreAddedPhrase(const PhraseInput& phrase);
    bool PrepareChange(std::string& user, std::string& failure);
    bool MayChangeCurrentPhrase(const std::string& user) const;
    // What a deletion run did, told after it ends.
    struct DeletionTally {
        std::vector<int32_t> deleted;
        int refused = 0;
        int failed = 0;
        std::string firstFailure;
    };
    DeletionTally DeleteNumbers(const std::vector<int32_t>& numbers, const std::string& user);

    IPhraseManagerView& m_view;
    CStoreContext& m_store;
    CPhraseRec& m_phrases;
    CConfigRecord& m_config;
    CPhraseService m_service;
    CPhraseListModel m_rows;
    CSortKeys m_sortKeys;
    int m_filterCode = -1;
};
