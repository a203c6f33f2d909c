#include "dialogs/core/VerbForms.h"

std::vector<FormRewrite> FormsDerivedFrom(const std::string& text, int changedForm,
                                          const std::array<bool, 4>& typed) {
    std::vector<FormRewrite> rewrites;
    for (int target = changedForm + 1; target < 4; ++target)
        if (!typed[target])
            rewrites.push_back({target, DeriveForm(text, changedForm, target)});
    return rewrites;
}
