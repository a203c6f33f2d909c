#pragma once
#include <array>
#include <string>
#include <vector>

#include "store/DeriveForm.h"

// One form of a verb or adverb phrase given a new text.
struct FormRewrite {
    int form;
    std::string text;
};

// After the user changed one form to text: each form below it that the user
// has not typed into (typed[form] false), derived anew from that text, in
// order. A form the user typed into is never rewritten, nor any above the
// changed one.
std::vector<FormRewrite> FormsDerivedFrom(const std::string& text, int changedForm,
                                          const std::array<bool, 4>& typed);
