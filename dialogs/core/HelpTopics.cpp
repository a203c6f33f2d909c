#include "dialogs/core/HelpTopics.h"

#include <cstdlib>
#include <sstream>

namespace {

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

CHelpTopics::CHelpTopics(const std::string& source) {
    std::istringstream lines(source);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        char* end = nullptr;
        const unsigned long long number = std::strtoull(line.c_str() + start, &end, 16);
        if (end == line.c_str() + start || number > 0xFFFFFFFFull)
            continue;  // not a topic line
        const size_t text = line.find_first_not_of(" \t", static_cast<size_t>(end - line.c_str()));
        if (text != std::string::npos)
            m_topics[static_cast<uint32_t>(number)] = Unescape(line.substr(text));
    }
}

std::string CHelpTopics::Topic(uint32_t contextId) const {
    auto found = m_topics.find(contextId);
    return found == m_topics.end() ? std::string() : found->second;
}
