#include "store/PhraseText.h"

#include <algorithm>

namespace {

bool IsControlCharacter(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

bool HoldsControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), IsControlCharacter);
}

std::string ControlCharactersAsSpaces(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        shown += IsControlCharacter(text[i]) ? ' ' : text[i];
    }
    return shown;
}
