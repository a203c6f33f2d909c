#pragma once
#include <array>
#include <string>

// The ORDER BY terms of the phrase list, primary first: the four column
// names, each alone (ascending) or followed by " DESC". The list shows the
// rows in the reverse of the query's order, so an ascending key shows
// descending on screen.
class CSortKeys {
public:
    // "DateAdded", "PhraseType DESC", "AddedBy DESC", "OPhrase DESC": newest first.
    CSortKeys();

    // A header click on the column of that name: a second click on the
    // primary column reverses it; another column moves to the front in its
    // own direction (DateAdded ascending, the others " DESC").
    void Toggle(const std::string& name);

    // The sort of the phrase set: the keys joined with "," and no spaces.
    std::string Joined() const;

    // Whether the list shows the oldest phrase first: the query orders by
    // date, newest first. A row shown outside a refresh goes to the end the
    // newest phrases are at.
    bool ShowsOldestFirst() const;

    const std::string& operator[](size_t index) const { return m_keys[index]; }

private:
    std::array<std::string, 4> m_keys;
};

// The column name a click on the header of list column 0 to 3 sorts by.
const char* SortColumnName(int column);
