#include "manager/core/PhraseListModel.h"

#include "store/PhraseListQueries.h"
#include "store/PhraseRec.h"
#include "store/PhraseText.h"
#include "store/PhraseType.h"

bool MakeListRow(const CPhraseRec& phrase, PhraseListRow& row) {
    if (!PhraseKindLabel(phrase.m_PhraseType))
        return false;
    row.phraseNumber = phrase.m_PhraseNumber;
    row.phraseType = phrase.m_PhraseType;
    row.date = phrase.m_DateAdded.Format("%d/%m/%Y");
    row.addedBy = phrase.m_AddedBy;
    row.phrase = ControlCharactersAsSpaces(phrase.m_OPhrase);  // one line, whatever a data file held
    row.hasCells = true;
    row.selected = row.focused = false;
    return true;
}

bool MakeKeyRow(const ListedPhraseKey& key, PhraseListRow& row) {
    if (!PhraseKindLabel(key.phraseType))
        return false;
    row = PhraseListRow{};
    row.phraseNumber = key.number;
    row.phraseType = key.phraseType;
    row.hasCells = false;
    return true;
}

PhraseListRow RowOfCells(const ListedPhraseCells& cells) {
    PhraseListRow row;
    row.phraseNumber = cells.number;
    row.phraseType = cells.phraseType;
    row.date = cells.dateAdded.Format("%d/%m/%Y");
    row.addedBy = cells.addedBy;
    row.phrase = ControlCharactersAsSpaces(cells.objectText);
    return row;
}

const char* PhraseKindLabel(int phraseType) {
    switch (KindOfPhraseType(phraseType)) {
        case PhraseKind::Noun: return "Noun";
        case PhraseKind::Verb: return "Verb";
        case PhraseKind::Adverb: return "Adverb";
        case PhraseKind::None: break;
    }
    return nullptr;
}

int PhraseKindImage(int phraseType) {
    switch (KindOfPhraseType(phraseType)) {
        case PhraseKind::Noun: return 0;
        case PhraseKind::Verb: return 1;
        case PhraseKind::Adverb: return 2;
        case PhraseKind::None: break;
    }
    return -1;
}

SelectionCommands CommandsForSelection(int selectedRows) {
    return {selectedRows == 1, selectedRows >= 1};
}

ListFilter ListFilterFor(int filterCode) {
    switch (filterCode) {
        case 0: return {"PhraseType < ?", true, 4};
        case 4: return {"PhraseType = ?", true, 4};
        case 5: return {"PhraseType = ?", true, 5};
        default: return {"", false, 0};
    }
}

const PhraseListRow& CPhraseListModel::RowWithCells(size_t index) {
    PhraseListRow& wanted = Row(index);
    if (wanted.hasCells || !m_cellSource)
        return wanted;
    const std::vector<size_t> page = PageWithoutCells(index);
    std::vector<int32_t> numbers;
    for (size_t row : page)
        numbers.push_back(Row(row).phraseNumber);
    std::vector<PhraseListRow> read = m_cellSource->ReadCells(numbers);
    for (size_t row : page) {
        PhraseListRow& target = Row(row);
        for (PhraseListRow& cells : read)
            if (cells.phraseNumber == target.phraseNumber) {
                target.date = std::move(cells.date);
                target.addedBy = std::move(cells.addedBy);
                target.phrase = std::move(cells.phrase);
                break;
            }
        target.hasCells = true;  // a phrase gone meanwhile is not asked for again
    }
    return wanted;
}

// Up to a page of rows lacking their cells near index: from it down, then
// up from it; never further than two pages either way.
std::vector<size_t> CPhraseListModel::PageWithoutCells(size_t index) const {
    const size_t reach = 2 * kCellPage;
    std::vector<size_t> page;
    for (size_t row = index; row < Size() && row < index + reach && page.size() < kCellPage; ++row)
        if (!Row(row).hasCells)
            page.push_back(row);
    for (size_t row = index; row-- > 0 && row + reach > index && page.size() < kCellPage;)
        if (!Row(row).hasCells)
            page.push_back(row);
    return page;
}

void CPhraseListModel::Clear() {
    m_rows.clear();
    m_rows.shrink_to_fit();
}

void CPhraseListModel::InsertTop(PhraseListRow row) { m_rows.push_back(std::move(row)); }

void CPhraseListModel::InsertAt(size_t index, PhraseListRow row) {
    if (index > m_rows.size())
        index = m_rows.size();
    m_rows.insert(m_rows.end() - static_cast<std::ptrdiff_t>(index), std::move(row));
}

void CPhraseListModel::Erase(size_t index) {
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(Stored(index)));
}

long long CPhraseListModel::Find(int32_t phraseNumber) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].phraseNumber == phraseNumber)
            return static_cast<long long>(Stored(i));
    return -1;
}

int CPhraseListModel::SelectedCount() const {
    int count = 0;
    for (const PhraseListRow& row : m_rows)
        count += row.selected ? 1 : 0;
    return count;
}

long long CPhraseListModel::NextSelected(long long index) const {
    for (long long i = index + 1; i < static_cast<long long>(m_rows.size()); ++i)
        if (Row(static_cast<size_t>(i)).selected)
            return i;
    return -1;
}

void CPhraseListModel::ClearSelection() {
    for (PhraseListRow& row : m_rows)
        row.selected = row.focused = false;
}
