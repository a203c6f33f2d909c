#include "saver/core/SentenceGenerator.h"

#include "framework/base/Random.h"
#include "store/PhraseText.h"

const char kFallbackVertical[] = "\"Sorrowline\" by Edmund Farrow\n-Data List Incomplete-";
const char kFallbackHorizontal[] = "\"Sorrowline\" by Edmund Farrow   -Data List Incomplete-";

namespace {

const char kWhiteSpace[] = " \t\n\v\f\r";

void CapitaliseFirst(std::string& text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
}

void Trim(std::string& text) {
    text.erase(text.find_last_not_of(kWhiteSpace) + 1);
    text.erase(0, text.find_first_not_of(kWhiteSpace));
}

bool StartsWithWordChar(const std::string& text) { return !text.empty() && IsWordChar(text.front()); }
bool EndsWithWordChar(const std::string& text) { return !text.empty() && IsWordChar(text.back()); }

bool RepeatsLast(const LastSentenceParts& parts) {
    const LastSentenceParts& last = LastParts();
    return parts.noun == last.noun || parts.verb == last.verb || parts.adverb == last.adverb;
}

// One draw of the three parts; false when it lands on an entry never loaded.
bool DrawParts(const CPhrasePools& pools, LastSentenceParts& parts) {
    const int n = RandomInt(pools.m_nNouns);
    const int v = RandomInt(pools.m_nVerbs);
    const int a = RandomInt(pools.m_nAdverbs);
    if (static_cast<size_t>(n) >= pools.m_pNouns.size() ||
        static_cast<size_t>(v) >= pools.m_pVerbs.size() ||
        static_cast<size_t>(a) >= pools.m_pAdverbs.size())
        return false;
    const auto& noun = pools.m_pNouns[n];
    const auto& verb = pools.m_pVerbs[v];
    const auto& adverb = pools.m_pAdverbs[a];
    if (!noun || !verb || !adverb || noun->form < 0 || noun->form > 3)
        return false;
    const int form = noun->form;
    // Texts from others' data files may hold control characters: shown as spaces.
    parts.noun = ControlCharactersAsSpaces(noun->text);
    parts.verb = ControlCharactersAsSpaces(verb->text[form]);
    parts.adverb = ControlCharactersAsSpaces(adverb->text[form]);
    CapitaliseFirst(parts.noun);  // before trimming: a leading space keeps the case
    Trim(parts.noun);
    Trim(parts.verb);
    Trim(parts.adverb);
    return true;
}

std::string Join(const LastSentenceParts& parts) {
    std::string line = parts.noun;
    if (StartsWithWordChar(parts.verb))
        line += ' ';
    line += parts.verb;
    if (StartsWithWordChar(parts.adverb))
        line += ' ';
    line += parts.adverb;
    if (EndsWithWordChar(parts.adverb))
        line += '.';
    return line;
}

}  // namespace

LastSentenceParts& LastParts() {
    static LastSentenceParts s_lastParts;
    return s_lastParts;
}

bool IsWordChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || u >= 'A';
}

std::string NewSentence(const CPhrasePools& pools, bool horizontal) {
    const std::string fallback = horizontal ? kFallbackHorizontal : kFallbackVertical;
    if (!pools.HasPools() || pools.m_nNouns < 1 || pools.m_nVerbs < 1 || pools.m_nAdverbs < 1)
        return fallback;
    LastSentenceParts parts;
    for (int draws = 1;; ++draws) {
        if (!DrawParts(pools, parts))
            return fallback;
        if (!RepeatsLast(parts) || draws >= kMaxSentenceDraws)
            break;
    }
    LastParts() = parts;
    return Join(parts);
}
