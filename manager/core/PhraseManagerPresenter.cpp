#include "manager/core/PhraseManagerPresenter.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

#include "store/ConfigRecord.h"
#include "store/CurrentUser.h"
#include "store/PhraseListQueries.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "store/PhraseText.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"

namespace {

constexpr char kDatabaseError[] = "Database Error";
constexpr char kSorrowlineError[] = "Sorrowline Error";
constexpr char kPermissionDenied[] = "Permission Denied";
constexpr int kAllPhrases = -1;
constexpr int kNouns = 0;
struct Notice {
    std::string text;
    std::string title;
};

constexpr char kMissingText[] = "Missing Text";
constexpr const char* kFormCaptions[4] = {"Object", "Masculine", "Feminine", "Plural"};

// What an editor's OK left out, in one message; an empty text when nothing is missing.
Notice MissingNounInput(int form, const std::string& text) {
    const bool noForm = form < 0 || form > 3;
    if (text.empty())
        return {noForm ? "You must enter the text of the phrase and select its form"
                       : "You must enter the text of the phrase",
                kMissingText};
    if (noForm)
        return {"You must select a form for the phrase", "Select Form"};
    return {};
}

Notice MissingFormInput(const FormTexts& texts) {
    std::vector<std::string> missing;
    for (int form = 0; form < 4; ++form)
        if (texts[form].empty())
            missing.push_back(kFormCaptions[form]);
    if (missing.empty())
        return {};
    std::string names = missing[0];
    for (size_t i = 1; i < missing.size(); ++i)
        names += (i + 1 == missing.size() ? " and " : ", ") + missing[i];
    return {"You must enter the " + names + (missing.size() == 1 ? " form" : " forms") + " of the phrase",
            kMissingText};
}

// Rows the database would not delete, told once with the first cause.
std::string FailureSummary(int failed) {
    if (failed == 1)
        return "Could not delete item";
    return "Could not delete " + std::to_string(failed) + " of the selected items";
}

// Refusals are told once, after the permitted rows are gone.
std::string RefusalSummary(int refused) {
    if (refused == 1)
        return "You do not have permission to delete this item";
    return "You do not have permission to delete " + std::to_string(refused) + " of the selected items";
}

}  // namespace

CPhraseManagerPresenter::CPhraseManagerPresenter(IPhraseManagerView& view, CStoreContext& store,
                                                 CPhraseRec& phrases)
    : m_view(view), m_store(store), m_phrases(phrases), m_config(store.m_configRecord), m_service(store, phrases) {
    m_rows.SetCellSource(this);
}

void CPhraseManagerPresenter::RefreshList(int filterCode) {
    m_view.ShowBusy(true);
    m_rows.Clear();
    ShowRows();
    if (!ReachStore("Could not refresh phrase list", "Error")) {
        m_view.ShowBusy(false);
        return;
    }
    try {
        FillList(filterCode);
    } catch (const std::exception& e) {
        ShowRows();  // the rows read before the error stay listed
        m_view.ShowBusy(false);
        m_view.ShowWarning(WithCause("Could not refresh phrase list", e.what()), "Error");
        return;
    }
    m_view.ShowBusy(false);
}

void CPhraseManagerPresenter::ChooseFilter(int filterCode) {
    SetFilter(filterCode, filterCode != kAllPhrases);
}

void CPhraseManagerPresenter::SetFilter(int filterCode, bool emptyFirst) {
    if (emptyFirst) {
        m_rows.Clear();
        ShowRows();
    }
    m_filterCode = filterCode;
    RefreshList(filterCode);
}

void CPhraseManagerPresenter::SortByColumn(int column) {
    m_sortKeys.Toggle(SortColumnName(column));
    RefreshList(m_filterCode);
}

SelectionCommands CPhraseManagerPresenter::CommandsForSelected() const {
    return CommandsForSelection(SelectedCount());
}

void CPhraseManagerPresenter::UpdateButtons() { m_view.EnableSelectionCommands(CommandsForSelected()); }

int CPhraseManagerPresenter::SelectedCount() const { return m_view.SelectedCount(); }

// The buttons follow the rows shown: a selection that is gone enables nothing.
void CPhraseManagerPresenter::ShowRows() {
    m_view.ShowRows(m_rows);
    UpdateButtons();
}

void CPhraseManagerPresenter::ReadSelection() {
    m_rows.ClearSelection();
    const int size = static_cast<int>(m_rows.Size());
    for (int row : m_view.SelectedRows())
        if (row >= 0 && row < size)
            m_rows.Row(static_cast<size_t>(row)).selected = true;
    const int focused = m_view.FocusedRow();
    if (focused >= 0 && focused < size)
        m_rows.Row(static_cast<size_t>(focused)).focused = true;
}

// After the shared set's query failed: the driver's words below the message.
void CPhraseManagerPresenter::ShowQueryFailure(const std::string& text, const std::string& title) {
    m_view.ShowWarning(WithCause(text, m_phrases.LastError().m_strError), title);
}

void CPhraseManagerPresenter::ShowDetailsOfSelected() {
    const std::vector<int> selected = m_view.SelectedRows();
    if (selected.size() == 1)
        ShowDetails(selected[0]);
}

void CPhraseManagerPresenter::ShowDetails(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.Size()))
        return;
    if (!ReachStore("Cannot view phrase details", kDatabaseError))
        return;
    if (!ReadPhrase(m_rows.Row(static_cast<size_t>(row)).phraseNumber)) {
        ShowQueryFailure("Cannot view phrase details", kDatabaseError);
        return;
    }
    // A phrase deleted meanwhile has nothing to show either.
    if (m_phrases.IsEOF()) {
        m_view.ShowWarning("Cannot view phrase details", kDatabaseError);
        return;
    }
    m_view.ShowDetails(m_phrases);
}

// The row goes to the top, or to the bottom while the list shows the oldest
// first; not to its sorted place, which the next refresh gives it.
void CPhraseManagerPresenter::ShowPhraseRow(int32_t phraseNumber) {
    ReadSelection();
    const long long existing = m_rows.Find(phraseNumber);
    bool changed = existing >= 0;
    if (changed)
        m_rows.Erase(static_cast<size_t>(existing));
    const bool found = ReadPhrase(phraseNumber) && !m_phrases.IsEOF();
    PhraseListRow row;
    if (found && MakeListRow(m_phrases, row)) {
        m_rows.InsertAt(m_sortKeys.ShowsOldestFirst() ? m_rows.Size() : 0, std::move(row));
        changed = true;
    }
    if (changed)
        ShowRows();  // once, for the removal and the insertion together
    if (found)
        SelectPhraseRow(phraseNumber);
}

void CPhraseManagerPresenter::SelectPhraseRow(int32_t phraseNumber) {
    ReadSelection();
    const long long found = m_rows.Find(phraseNumber);
    if (found < 0)
        return;
    const long long firstSelected = m_rows.NextSelected(-1);
    if (firstSelected >= 0)
        m_rows.Row(static_cast<size_t>(firstSelected)).selected = false;
    for (size_t row = 0; row < m_rows.Size(); ++row)
        m_rows.Row(row).focused = false;
    m_rows.Row(static_cast<size_t>(found)).selected = true;
    m_rows.Row(static_cast<size_t>(found)).focused = true;
    ShowRows();
    m_view.ScrollToRow(static_cast<int>(found));
}

// A phrase of another kind than the list shows switches the filter to its
// kind, selected there.
void CPhraseManagerPresenter::SwitchFilterTo(int filterCode, int32_t added) {
    m_view.CheckFilterButton(filterCode);
    SetFilter(filterCode, true);
    SelectPhraseRow(added);
}

void CPhraseManagerPresenter::AddNoun() {
    if (!ReachStore("Cannot create phrase", kDatabaseError))
        return;
    if (!CanAddPhrases()) {
        m_view.ShowWarning("Cannot create phrase", kDatabaseError);
        return;
    }
    int form = -1;
    std::string text;
    if (!AskNoun(nullptr, form, text))
        return;
    PhraseInput noun;
    noun.phraseType = static_cast<uint8_t>(form);
    noun.texts[0] = text;
    const int32_t added = StoreAddedPhrase(noun);
    if (added < 0)
        return;
    if (m_filterCode == kAllPhrases || m_filterCode == kNouns)
        ShowPhraseRow(added);
    else
        SwitchFilterTo(kNouns, added);
}

void CPhraseManagerPresenter::AddVerbOrAdverb(bool adverb) {
    if (!ReachStore("Cannot create phrase", kDatabaseError))
        return;
    if (!CanAddPhrases()) {
        m_view.ShowWarning("Cannot create phrase", kDatabaseError);
        return;
    }
    FormTexts texts;
    if (!AskVerbOrAdverb(nullptr, adverb, texts))
        return;
    PhraseInput phrase;
    phrase.phraseType = adverb ? kAdverbType : kVerbType;
    phrase.texts = texts;
    const int32_t added = StoreAddedPhrase(phrase);
    if (added < 0)
        return;
    if (m_filterCode != kAllPhrases && m_filterCode != phrase.phraseType)
        SwitchFilterTo(phrase.phraseType, added);
    ShowPhraseRow(added);
}

void CPhraseManagerPresenter::EditSelected() {
    if (SelectedCount() != 1)
        return;
    std::string user, failure;
    if (!PrepareChange(user, failure)) {
        m_view.ShowWarning(WithCause("Cannot edit phrase", failure), kDatabaseError);
        return;
    }
    const int row = m_view.SelectedRows()[0];
    if (row < 0 || row >= static_cast<int>(m_rows.Size()))
        return;
    if (!ReadPhrase(m_rows.Row(static_cast<size_t>(row)).phraseNumber)) {
        ShowQueryFailure("Cannot edit phrase", kDatabaseError);
        return;
    }
    // A phrase deleted meanwhile cannot be edited either.
    if (!m_phrases.CanUpdate() || m_phrases.IsEOF()) {
        m_view.ShowWarning("Cannot edit phrase", kDatabaseError);
        return;
    }
    if (!MayChangeCurrentPhrase(user)) {
        m_view.ShowInformation("You do not have permission to edit this item", kPermissionDenied);
        return;
    }
    m_phrases.Edit();
    switch (KindOfPhraseType(m_phrases.m_PhraseType)) {
        case PhraseKind::Noun: EditNoun(); break;
        case PhraseKind::Verb: EditVerbOrAdverb(false); break;
        case PhraseKind::Adverb: EditVerbOrAdverb(true); break;
        case PhraseKind::None: break;
    }
}

// An edit moves the date to now and keeps the author; Cancel stores nothing.
void CPhraseManagerPresenter::EditNoun() {
    int form = m_phrases.m_PhraseType;
    std::string text = m_phrases.m_OPhrase;
    if (!AskNoun(&m_phrases, form, text))
        return;
    m_phrases.m_PhraseType = static_cast<uint8_t>(form);
    m_phrases.m_OPhrase = ColumnText(text);
    StoreEdit();
}

void CPhraseManagerPresenter::EditVerbOrAdverb(bool adverb) {
    FormTexts texts = {m_phrases.m_OPhrase, m_phrases.m_MPhrase, m_phrases.m_FPhrase, m_phrases.m_PPhrase};
    if (!AskVerbOrAdverb(&m_phrases, adverb, texts))
        return;
    m_phrases.m_OPhrase = ColumnText(texts[0]);
    m_phrases.m_MPhrase = ColumnText(texts[1]);
    m_phrases.m_FPhrase = ColumnText(texts[2]);
    m_phrases.m_PPhrase = ColumnText(texts[3]);
    StoreEdit();
}

// The editor again, with what the user gave, until it is complete or
// cancelled: OK with something missing stores nothing and loses nothing.
// Texts are single lines, whatever an edit let through.
bool CPhraseManagerPresenter::AskNoun(const CPhraseRec* record, int& form, std::string& text) {
    while (m_view.EditNoun(record, form, text)) {
        text = ControlCharactersAsSpaces(text);
        const Notice missing = MissingNounInput(form, text);
        if (missing.text.empty())
            return true;
        m_view.ShowInformation(missing.text, missing.title);
    }
    return false;
}

bool CPhraseManagerPresenter::AskVerbOrAdverb(const CPhraseRec* record, bool adverb, FormTexts& texts) {
    while (m_view.EditVerbOrAdverb(record, adverb, texts)) {
        for (std::string& text : texts)
            text = ControlCharactersAsSpaces(text);
        const Notice missing = MissingFormInput(texts);
        if (missing.text.empty())
            return true;
        m_view.ShowInformation(missing.text, missing.title);
    }
    return false;
}

// Every selected row is tried once, from the top; a refused or failed row
// stays listed and the others go on.
void CPhraseManagerPresenter::DeleteSelected() {
    const int selected = SelectedCount();
    if (selected == 0)
        return;
    char question[96];
    std::snprintf(question, sizeof question, "Are you sure you want to delete the %d selected item(s)?",
                  selected);
    if (!m_view.AskYesNo(question, "Delete Items"))
        return;
    std::string user, failure;
    if (!PrepareChange(user, failure)) {
        m_view.ShowWarning(WithCause("Could not delete item", failure), kDatabaseError);
        return;
    }
    ReadSelection();
    std::vector<int32_t> numbers;
    for (long long row = m_rows.NextSelected(-1); row >= 0; row = m_rows.NextSelected(row))
        numbers.push_back(m_rows.Row(static_cast<size_t>(row)).phraseNumber);
    m_view.ShowBusy(true);
    DeletionTally tally = DeleteNumbers(numbers, user);
    m_view.ShowBusy(false);
    std::vector<int32_t>& deleted = tally.deleted;
    std::sort(deleted.begin(), deleted.end());
    m_rows.EraseIf([&](const PhraseListRow& row) {
        return std::binary_search(deleted.begin(), deleted.end(), row.phraseNumber);
    });
    ShowRows();
    if (tally.failed > 0)
        m_view.ShowWarning(WithCause(FailureSummary(tally.failed), tally.firstFailure), kDatabaseError);
    if (tally.refused > 0)
        m_view.ShowInformation(RefusalSummary(tally.refused), kPermissionDenied);
}

// --- The store: every call the manager makes into it. ---

// Before each action: a connection lost earlier is replaced by a new one.
// False, having said so in the action's words, when none can be made.
bool CPhraseManagerPresenter::ReachStore(const char* failedAction, const char* title) {
    std::string failure;
    if (m_store.ReconnectIfLost(failure))
        return true;
    m_view.ShowWarning(WithCause(failedAction, failure), title);
    return false;
}

bool CPhraseManagerPresenter::ReachStoreForDatabaseDialog() {
    return ReachStore("Unable to open database:", kDatabaseError);
}

// Without the phrase set nothing else can be done.
bool CPhraseManagerPresenter::OpenPhraseSet() {
    try {
        // The list runs its own query right after: opening has to prove the
        // table can be read, not read all of it.
        m_phrases.m_strFilter = "PhraseNumber = ?";
        m_phrases.m_NumberParam = 0;
        m_phrases.Open(CRecordset::useDefaultType, nullptr, CRecordset::skipDeletedRecords);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// The list holds every phrase's key, in the database's order; the cells
// are read as rows are shown. Each row goes to the top, so the screen shows
// the query's order reversed.
void CPhraseManagerPresenter::FillList(int filterCode) {
    const ListFilter filter = ListFilterFor(filterCode);
    const ListCondition condition{filter.condition, filter.setsParameter, filter.parameter};
    for (const ListedPhraseKey& key : QueryListedKeys(m_store, condition, m_sortKeys.Joined())) {
        PhraseListRow row;
        if (MakeKeyRow(key, row))
            m_rows.InsertTop(std::move(row));
    }
    ShowRows();
}

// A failed read leaves the cells empty; the next refresh reads them again.
std::vector<PhraseListRow> CPhraseManagerPresenter::ReadCells(const std::vector<int32_t>& phraseNumbers) {
    std::vector<PhraseListRow> rows;
    try {
        for (size_t first = 0; first < phraseNumbers.size(); first += kMaxCellNumbers) {
            const size_t last = std::min(phraseNumbers.size(), first + kMaxCellNumbers);
            const std::vector<int32_t> numbers(phraseNumbers.begin() + first, phraseNumbers.begin() + last);
            for (const ListedPhraseCells& cells : QueryListedCells(m_store, numbers))
                rows.push_back(RowOfCells(cells));
        }
    } catch (const std::exception&) {
    }
    return rows;
}

bool CPhraseManagerPresenter::ReadPhrase(int32_t phraseNumber) {
    m_phrases.m_strFilter = "PhraseNumber = ?";
    m_phrases.m_NumberParam = phraseNumber;
    return m_phrases.Rerun();
}

bool CPhraseManagerPresenter::CanAddPhrases() const { return m_phrases.CanAppend(); }

// The duplicate question and the store that every add shares. Returns the
// number of the user's newest phrase (0 if none is found), or -1 when
// nothing was stored.
int32_t CPhraseManagerPresenter::StoreAddedPhrase(const PhraseInput& phrase) {
    const DuplicateCheck duplicate = m_service.CheckDuplicate(phrase);
    // Without a connection nothing can be stored either: one message says so.
    if (m_store.IsConnectionLost()) {
        m_view.ShowWarning(WithCause("Cannot create phrase", duplicate.failures.empty() ? "" : duplicate.failures[0]),
                           kDatabaseError);
        return -1;
    }
    for (const std::string& cause : duplicate.failures)
        m_view.ShowWarning(WithCause("Unable to check phrase", cause), kSorrowlineError);
    if (duplicate.exists && !m_view.AskYesNo("This phrase already exists. Add anyway?", "Duplicate phrase"))
        return -1;
    std::string user;
    const bool haveUser = GetCurrentUserName(user);
    const AddOutcome added = m_service.Add(phrase, haveUser ? &user : nullptr);
    if (!added.stored) {
        // The phrase is lost unless the user hears of it.
        m_view.ShowWarning(WithCause("Cannot create phrase", added.failure), kDatabaseError);
        return -1;
    }
    if (!added.lookupFailure.empty())
        m_view.ShowWarning("Unable to select phrase", kSorrowlineError);
    return added.phraseNumber;
}

// Before an edit or a deletion: a live connection, the set filtered by
// number, the counts and the owner as they are now, and who asks. False,
// with the driver's words, when the store cannot be reached.
bool CPhraseManagerPresenter::PrepareChange(std::string& user, std::string& failure) {
    if (!m_store.ReconnectIfLost(failure))
        return false;
    m_phrases.m_strFilter = "PhraseNumber = ?";
    try {
        m_config.Recount();
    } catch (const std::exception& e) {
        failure = e.what();
        return false;
    }
    GetCurrentUserName(user);
    return true;
}

bool CPhraseManagerPresenter::MayChangeCurrentPhrase(const std::string& user) const {
    return m_config.MayChangePhrase(m_phrases.m_AddedBy, user);
}

// A change the database refuses (a server that keeps the owner rule, a lost
// connection) is told as such; the row keeps showing what is stored.
void CPhraseManagerPresenter::StoreEdit() {
    m_phrases.m_DateAdded = CDbTime::Now();
    try {
        m_phrases.Update();
    } catch (const std::exception& e) {
        m_view.ShowWarning(WithCause("Cannot edit phrase", e.what()), kDatabaseError);
        return;
    }
    ShowPhraseRow(m_phrases.m_PhraseNumber);
}

// Failures and refusals are counted, to be told once each when the run ends.
CPhraseManagerPresenter::DeletionTally CPhraseManagerPresenter::DeleteNumbers(const std::vector<int32_t>& numbers,
                                                                             const std::string& user) {
    DeletionTally tally;
    m_service.Delete(numbers, user, [&](int32_t number, DeleteOutcome outcome) {
        switch (outcome) {
            case DeleteOutcome::Deleted:
                tally.deleted.push_back(number);
                break;
            case DeleteOutcome::NotDeleted:
                if (tally.failed++ == 0)
                    tally.firstFailure = m_service.LastDeleteFailure();
                break;
            case DeleteOutcome::Refused:
                ++tally.refused;
                break;
        }
    });
    return tally;
}
