#include "transfer/PhraseRecords.h"

#include <stdexcept>

#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"

using namespace PhraseFile;

namespace {

// The reader ends a text at the first 0x01, so a text holding one would load
// back as something else: such a text is never written.
struct UnwritableText : std::runtime_error {
    UnwritableText() : std::runtime_error("a phrase text holds the byte 0x01") {}
};

void PutText(CByteWriter& out, const std::string& text) {
    if (text.find(static_cast<char>(kEndText)) != std::string::npos)
        throw UnwritableText();
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

// Each form after the first refers to the first earlier form with the same text.
void WriteFormsRecord(CByteWriter& out, const FormTexts& forms) {
    const auto& [o, m, f, p] = forms;
    out.Put(kSelectObject);
    PutLiteral(out, o);

    out.Put(kSelectMasculine);
    if (m == o)
        out.Put(kSelectObject);
    else
        PutLiteral(out, m);

    out.Put(kSelectFeminine);
    if (f == o)
        out.Put(kSelectObject);
    else if (f == m)
        out.Put(kSelectMasculine);
    else
        PutLiteral(out, f);

    out.Put(kSelectPlural);
    if (p == o)
        out.Put(kSelectObject);
    else if (p == m)
        out.Put(kSelectMasculine);
    else if (p == f)
        out.Put(kSelectFeminine);
    else
        PutLiteral(out, p);
}
