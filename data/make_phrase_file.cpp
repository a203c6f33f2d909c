// Builds a phrase data file from the readable phrase list:
//   make_phrase_file starter-phrases.txt starter.Sorrow
// Nouns first, then verbs, then adverbs, each written by the program's own
// record writer. Any line it cannot read stops it with the line's number.
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"
#include "transfer/PhraseRecords.h"

namespace {

struct PhraseList {
    std::vector<std::pair<int, std::string>> nouns;
    std::vector<FormTexts> verbs;
    std::vector<FormTexts> adverbs;
};

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> SplitForms(const std::string& line) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(Trim(line.substr(start, bar - start)));
    parts.push_back(Trim(line.substr(start)));
    return parts;
}

// One form serves all four; two forms: singular for it, he, she, then plural.
FormTexts ParseForms(const std::string& line) {
    const std::vector<std::string> parts = SplitForms(line);
    switch (parts.size()) {
        case 1: return {parts[0], parts[0], parts[0], parts[0]};
        case 2: return {parts[0], parts[0], parts[0], parts[1]};
        case 4: return {parts[0], parts[1], parts[2], parts[3]};
        default: throw std::runtime_error("a verb or adverb needs 1, 2 or 4 forms");
    }
}

std::pair<int, std::string> ParseNoun(const std::string& line) {
    static const std::map<std::string, int> forms = {{"it", 0}, {"he", 1}, {"she", 2}, {"they", 3}};
    const size_t colon = line.find(':');
    const auto form = colon == std::string::npos ? forms.end() : forms.find(Trim(line.substr(0, colon)));
    if (form == forms.end())
        throw std::runtime_error("a noun starts with it:, he:, she: or they:");
    return {form->second, Trim(line.substr(colon + 1))};
}

PhraseList ReadList(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    PhraseList list;
    std::string section, line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        try {
            if (line[0] == '[')
                section = line;
            else if (section == "[nouns]")
                list.nouns.push_back(ParseNoun(line));
            else if (section == "[verbs]")
                list.verbs.push_back(ParseForms(line));
            else if (section == "[adverbs]")
                list.adverbs.push_back(ParseForms(line));
            else
                throw std::runtime_error("a phrase outside [nouns], [verbs] or [adverbs]");
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    return list;
}

void WriteFile(const PhraseList& list, const std::string& path) {
    CByteWriter out(path);
    for (const auto& [form, text] : list.nouns)
        WriteNounRecord(out, form, text);
    out.Put(PhraseFile::kEndSection);
    for (const FormTexts& verb : list.verbs)
        WriteFormsRecord(out, verb);
    out.Put(PhraseFile::kEndSection);
    for (const FormTexts& adverb : list.adverbs)
        WriteFormsRecord(out, adverb);
    out.Put(PhraseFile::kEndSection);
    out.Close();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_phrase_file LIST.txt OUT.Sorrow\n");
        return 2;
    }
    try {
        WriteFile(ReadList(argv[1]), argv[2]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_phrase_file: %s\n", e.what());
        return 1;
    }
}
