#include "transfer/PhraseRecords.h"

#include <cstdio>
#include <stdexcept>

#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"

using namespace PhraseFile;

namespace {

// The text with its control bytes shown as \xNN.
std::string Printable(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += escape;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

// The reader ends a text at the first 0x01, so a text holding one would load
// back as something else: such a text is never written.
std::runtime_error UnwritableText(const std::string& text) {
    return std::runtime_error("The phrase text \"" + Printable(text) +
                              "\" holds the byte 0x01, which a data file cannot carry");
}

void PutText(CByteWriter& out, const std::string& text) {
    if (text.find(static_cast<char>(kEndText)) != std::string::npos)
        throw UnwritableText(text);
    out.Put(text);
    out.Put(kEndText);
}

void PutLiteral(CByteWriter& out, const std::string& text) {
    out.Put(kLiteral);
    PutText(out, text);
}

}  // namespace

void WriteNounRecord(CByteWriter& out, int phraseType, const std::string& text) {
    out.Put(static_cast<unsigned char>(phraseType + 1));
    PutText(out, text);
}

// Each form after the first is written as the number of the first earlier
// form with the same text (Object 0x01, Masculine 0x02, Feminine 0x03), or as
// a literal. The selector of a form is its number too (0x01 to 0x04).
void WriteFormsRecord(CByteWriter& out, const FormTexts& forms) {
    out.Put(kSelectObject);
    PutLiteral(out, forms[0]);
    for (size_t form = 1; form < forms.size(); ++form) {
        out.Put(static_cast<unsigned char>(kSelectObject + form));
        size_t earlier = 0;
        while (earlier < form && forms[earlier] != forms[form])
            ++earlier;
        if (earlier < form)
            out.Put(static_cast<unsigned char>(kSelectObject + earlier));
        else
            PutLiteral(out, forms[form]);
    }
}
