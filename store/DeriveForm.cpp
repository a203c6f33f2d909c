#include "store/DeriveForm.h"

namespace {

constexpr int kCategories = 6;

// One row per kind of word, in the order they are swapped; one column per form.
const char* const kPronouns[kCategories][4] = {
    {" its ", " his ", " her ", " their "},
    {" it's ", " he's ", " she's ", " they're "},
    {"was ", "was ", "was ", "were "},
    {" itself ", " himself ", " herself ", " themselves "},
    {" is ", " is ", " is ", " are "},
    {" it ", " he ", " she ", " they "},
};

bool IsForm(int form) { return form >= 0 && form < 4; }

}  // namespace

std::string DeriveForm(const std::string& text, int fromForm, int toForm) {
    if (!IsForm(fromForm) || !IsForm(toForm))
        return text;
    // Every occurrence is found in the text as given; a replacement before
    // another then moves it by the difference in length.
    size_t found[kCategories];
    for (int c = 0; c < kCategories; ++c)
        found[c] = text.find(kPronouns[c][fromForm]);
    std::string result = text;
    for (int c = 0; c < kCategories; ++c) {
        if (found[c] == std::string::npos)
            continue;
        long long at = static_cast<long long>(found[c]);
        for (int earlier = 0; earlier < c; ++earlier)
            if (found[earlier] != std::string::npos && found[earlier] < found[c])
                at += static_cast<long long>(std::string(kPronouns[earlier][toForm]).size()) -
                      static_cast<long long>(std::string(kPronouns[earlier][fromForm]).size());
        const std::string from = kPronouns[c][fromForm];
        result.replace(static_cast<size_t>(at), from.size(), kPronouns[c][toForm]);
    }
    return result;
}

FormTexts DeriveMissingForms(const std::string& object, const std::optional<std::string>& masculine,
                             const std::optional<std::string>& feminine,
                             const std::optional<std::string>& plural) {
    const std::optional<std::string> given[4] = {object, masculine, feminine, plural};
    FormTexts forms;
    int source = 0;  // the nearest given form so far
    for (int form = 0; form < 4; ++form) {
        if (given[form]) {
            forms[form] = *given[form];
            source = form;
        } else {
            forms[form] = DeriveForm(*given[source], source, form);
        }
    }
    return forms;
}
