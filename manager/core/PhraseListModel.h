#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CPhraseRec;
struct ListedPhraseCells;
struct ListedPhraseKey;

// One row of the phrase list: the phrase it stands for and its four cells.
// A row listed by its key alone has its cells read when it is first shown.
struct PhraseListRow {
    int32_t phraseNumber = 0;
    uint8_t phraseType = 0;
    std::string date;  // "%d/%m/%Y"
    std::string addedBy;
    std::string phrase;  // the Object text
    bool hasCells = true;
    bool selected = false;
    bool focused = false;
};

// The row the list shows for the set's current phrase; false for a
// PhraseType that belongs to no kind (such a phrase is not listed).
bool MakeListRow(const CPhraseRec& phrase, PhraseListRow& row);
// The same for a phrase known by its key only, its cells still to be read.
bool MakeKeyRow(const ListedPhraseKey& key, PhraseListRow& row);
// The row of a phrase's cells as the list shows them.
PhraseListRow RowOfCells(const ListedPhraseCells& cells);

// Reads the cells of rows the list is about to show.
class IPhraseCellSource {
public:
    virtual ~IPhraseCellSource() = default;
    // The rows, cells and all, of those of these phrases that still exist.
    virtual std::vector<PhraseListRow> ReadCells(const std::vector<int32_t>& phraseNumbers) = 0;
};

// "Noun" (PhraseType 0 to 3), "Verb" (4), "Adverb" (5); null for any other.
const char* PhraseKindLabel(int phraseType);
// The kind's icon in the list's image list: noun 0, verb 1, adverb 2; -1 for none.
int PhraseKindImage(int phraseType);

// What Edit and Delete allow for a number of selected rows.
struct SelectionCommands {
    bool edit;
    bool remove;
};
SelectionCommands CommandsForSelection(int selectedRows);

// The phrase set's condition for a filter code of the list (-1 all, 0
// nouns, 4 verbs, 5 adverbs) and the value of its one parameter; "all"
// leaves the parameter as it is.
struct ListFilter {
    const char* condition;
    bool setsParameter;
    int32_t parameter;
};
ListFilter ListFilterFor(int filterCode);

// The rows of the phrase list in screen order, with their selection.
//
// A refresh puts each row the query delivers at the top, so the screen
// shows the query's order reversed. The rows are kept bottom row first,
// which makes that insertion, the common one, cost nothing per row: a list
// of many thousand phrases fills in linear time.
class CPhraseListModel {
public:
    size_t Size() const { return m_rows.size(); }
    bool Empty() const { return m_rows.empty(); }
    // Row index on screen, 0 at the top.
    const PhraseListRow& Row(size_t index) const { return m_rows[Stored(index)]; }
    PhraseListRow& Row(size_t index) { return m_rows[Stored(index)]; }

    // Where rows without their cells get them; none: every row has them.
    void SetCellSource(IPhraseCellSource* source) { m_cellSource = source; }
    // The row with its cells. A row without them gets them, with the rows
    // below it (above, near the end), in one read of a page: a list shows a
    // screenful at a time. A phrase gone meanwhile keeps empty cells.
    const PhraseListRow& RowWithCells(size_t index);
    static constexpr size_t kCellPage = 32;

    void Clear();
    void InsertTop(PhraseListRow row);
    // Screen position 0 .. Size(); Size() puts it at the bottom.
    void InsertAt(size_t index, PhraseListRow row);
    void Erase(size_t index);
    // Removes every row the predicate holds for, in one pass.
    template <class Predicate>
    void EraseIf(Predicate predicate);

    // The screen index of the row of that phrase, or -1.
    long long Find(int32_t phraseNumber) const;

    int SelectedCount() const;
    // The first selected row below index (from the top when index is -1), or -1.
    long long NextSelected(long long index) const;
    void ClearSelection();

private:
    size_t Stored(size_t index) const { return m_rows.size() - 1 - index; }
    std::vector<size_t> PageWithoutCells(size_t index) const;

    IPhraseCellSource* m_cellSource = nullptr;

    std::vector<PhraseListRow> m_rows;  // bottom row first
};

template <class Predicate>
void CPhraseListModel::EraseIf(Predicate predicate) {
    std::vector<PhraseListRow> kept;
    kept.reserve(m_rows.size());
    for (PhraseListRow& row : m_rows)
        if (!predicate(static_cast<const PhraseListRow&>(row)))
            kept.push_back(std::move(row));
    m_rows = std::move(kept);
}
