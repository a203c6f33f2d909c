#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/odbc/DbTime.h"

class CStoreContext;

// A listed phrase as the list's order needs it: its number and PhraseType code.
struct ListedPhraseKey {
    int32_t number = 0;
    uint8_t phraseType = 0;
};

// What the list shows of a phrase.
struct ListedPhraseCells {
    int32_t number = 0;
    uint8_t phraseType = 0;
    CDbTime dateAdded;
    std::string addedBy;
    std::string objectText;
};

// The condition a list puts on its phrases, with its one parameter if it has one.
struct ListCondition {
    std::string condition;
    bool hasParameter = false;
    int32_t parameter = 0;
};

// The key of every phrase the condition lets through, in the order of the
// sort (ORDER BY terms): the whole list costs two numbers a phrase, not its
// texts. Raises CDBException.
std::vector<ListedPhraseKey> QueryListedKeys(CStoreContext& store, const ListCondition& condition,
                                             const std::string& sort);

// The most numbers QueryListedCells takes at once.
constexpr size_t kMaxCellNumbers = 32;

// The cells of the phrases of these numbers (at most kMaxCellNumbers), in no
// particular order; a number without a phrase has none. Raises CDBException.
std::vector<ListedPhraseCells> QueryListedCells(CStoreContext& store, const std::vector<int32_t>& numbers);
