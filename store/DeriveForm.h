#pragma once
#include <array>
#include <optional>
#include <string>

// The four forms of a verb or adverb phrase, by NounForm: Object (it),
// Masculine (he), Feminine (she), Plural (they).
using FormTexts = std::array<std::string, 4>;

// A text written for the subject of one form, rewritten for the subject of
// another by swapping pronoun words: "was eating its dinner" for "they" is
// "were eating their dinner". Each of six kinds of word (possessive,
// contraction, "was"/"were", reflexive, "is"/"are", subject pronoun) is
// swapped at its first occurrence only, matched exactly, with the spaces
// around it; so a word at the very start (but "was") or at the very end of
// the text, or one in capitals, stays as it is.
std::string DeriveForm(const std::string& text, int fromForm, int toForm);

// The four forms where only some are given (the Object form always): each
// missing form is derived from the nearest given form above it, as the
// phrase dialog fills them while the given ones are typed in order.
FormTexts DeriveMissingForms(const std::string& object, const std::optional<std::string>& masculine,
                             const std::optional<std::string>& feminine,
                             const std::optional<std::string>& plural);
