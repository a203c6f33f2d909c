#include "manager/core/SortKeys.h"

#include <algorithm>

namespace {

const std::string kDescending = " DESC";
const std::string kDateAdded = "DateAdded";

}  // namespace

CSortKeys::CSortKeys() : m_keys{"DateAdded", "PhraseType DESC", "AddedBy DESC", "OPhrase DESC"} {}

void CSortKeys::Toggle(const std::string& name) {
    const std::string descending = name + kDescending;
    if (m_keys[0] == name) {
        m_keys[0] = descending;
        return;
    }
    if (m_keys[0] == descending) {
        m_keys[0] = name;
        return;
    }
    auto found = std::find_if(m_keys.begin() + 1, m_keys.end(), [&](const std::string& key) {
        return key == name || key == descending;
    });
    if (found == m_keys.end())
        return;
    // The found key goes to the front; those before it move back one place.
    std::rotate(m_keys.begin(), found, found + 1);
    if (m_keys[0] == name && name != kDateAdded)
        m_keys[0] = descending;
    else if (m_keys[0] == kDateAdded + kDescending && name == kDateAdded)
        m_keys[0] = kDateAdded;
}

std::string CSortKeys::Joined() const {
    return m_keys[0] + "," + m_keys[1] + "," + m_keys[2] + "," + m_keys[3];
}

bool CSortKeys::ShowsOldestFirst() const { return m_keys[0] == kDateAdded + kDescending; }

const char* SortColumnName(int column) {
    static const char* const names[] = {"PhraseType", "DateAdded", "AddedBy", "OPhrase"};
    return column >= 0 && column < 4 ? names[column] : "";
}
