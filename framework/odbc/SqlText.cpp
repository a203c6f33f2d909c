#include "framework/odbc/SqlText.h"

#include <cctype>

namespace {

// Copies a quoted run (string literal or quoted name) starting at text[i],
// doubled quotes included; returns the index after its closing quote.
size_t CopyQuoted(const std::string& text, size_t i, std::string* out) {
    const char quote = text[i];
    size_t j = i + 1;
    while (j < text.size()) {
        if (text[j] == quote) {
            if (j + 1 < text.size() && text[j + 1] == quote) {
                j += 2;
                continue;
            }
            ++j;
            break;
        }
        ++j;
    }
    if (out)
        out->append(text, i, j - i);
    return j;
}

std::string Fold(std::string name, IdentifierCase identifierCase) {
    for (char& c : name) {
        if (identifierCase == IdentifierCase::Lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (identifierCase == IdentifierCase::Upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

}  // namespace

std::string TranslateBracketedIdentifiers(const std::string& sql, const std::string& quote,
                                          IdentifierCase identifierCase) {
    std::string out;
    out.reserve(sql.size() + 16);
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            i = CopyQuoted(sql, i, &out);
        } else if (c == '[') {
            size_t close = sql.find(']', i + 1);
            if (close == std::string::npos) {
                out.append(sql, i, std::string::npos);
                break;
            }
            out += quote;
            out += Fold(sql.substr(i + 1, close - i - 1), identifierCase);
            out += quote;
            i = close + 1;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

int CountParameterMarkers(const std::string& sql) {
    int count = 0;
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            i = CopyQuoted(sql, i, nullptr);
            continue;
        }
        if (c == '?')
            ++count;
        ++i;
    }
    return count;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}
