#pragma once
#include <cstdint>
#include <map>
#include <string>

// The context help texts, keyed by help context number. The program keeps
// them in one text of its resources, a topic a line:
//
//   0x806603EC  The list of phrases...
//
// the number in hexadecimal, white space, then the text, in which "\n"
// breaks the line. Blank lines and lines starting with "#" are skipped.
class CHelpTopics {
public:
    explicit CHelpTopics(const std::string& source);

    // The text of a topic; empty when there is none.
    std::string Topic(uint32_t contextId) const;
    size_t Count() const { return m_topics.size(); }

private:
    std::map<uint32_t, std::string> m_topics;
};

// The help context number a control carries by the common rule: the high
// bit, the dialog's template number in the high word and the control's
// identifier in the low word.
constexpr uint32_t HelpContextId(unsigned templateId, unsigned controlId) {
    return 0x80000000u + (templateId << 16) + (controlId & 0xFFFFu);
}
