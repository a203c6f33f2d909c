#include "transfer/PhraseFileParser.h"

#include <cstdio>

#include "store/PhraseType.h"
#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"

using namespace PhraseFile;

namespace {

const char* const kFormNames[] = {"Object", "Masculine", "Feminine", "Plural"};

std::string Hex(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

class CParser {
public:
    CParser(CByteReader& in, CPhraseFileSink& sink) : m_in(in), m_sink(sink) {}

    void Read() {
        ReadNounSection();
        ReadFormsSections();
    }

private:
    // The byte just read is the damage.
    [[noreturn]] void Damaged(const std::string& what) const {
        throw DamagedFile{m_in.BytesRead() - 1, what};
    }

    unsigned char Byte() {
        unsigned char byte;
        if (!m_in.Next(byte))
            throw DamagedFile{m_in.BytesRead(), "the file ends before its third section does"};
        return byte;
    }

    std::string Text() {
        std::string text;
        for (unsigned char byte = Byte(); byte != kEndText; byte = Byte()) {
            if (byte == 0)
                Damaged("a text holds the byte 0x00");
            if (text.size() < kMaxTextBytes)
                text += static_cast<char>(byte);
        }
        return text;
    }

    void Progress() { m_sink.OnProgress(m_in.BytesRead()); }

    void ReadNounSection() {
        for (unsigned char form = Byte(); form != kEndSection; form = Byte()) {
            if (form < 0x01 || form > 0x04)
                Damaged("byte " + Hex(form) + " where a noun form or the end of the nouns belongs");
            FilePhrase noun;
            noun.phraseType = form - 1;
            noun.forms[FormObject] = Text();
            Progress();
            m_sink.OnPhrase(noun);
        }
    }

    // A record starts at its Object selector and is complete with its Plural
    // value; the selectors in between may come in any order.
    void ReadFormsSections() {
        FilePhrase record;
        record.phraseType = kVerbType;  // the verb section comes first, then the adverbs
        bool begun = false;
        for (;;) {
            const unsigned char selector = Byte();
            if (selector == kEndSection) {
                if (begun)
                    Damaged("the section ends inside a phrase");
                if (record.phraseType == kAdverbType)
                    return;
                record.phraseType = kAdverbType;
            } else if (selector == kSelectObject) {
                if (begun)
                    Damaged("a phrase begins before the one before it ends");
                BeginRecord(record);
                begun = true;
            } else {
                if (selector < kSelectMasculine || selector > kSelectPlural)
                    Damaged("byte " + Hex(selector) + " where a form selector belongs");
                if (!begun)
                    Damaged("the form selector " + Hex(selector) + " comes before any phrase");
                ReadFormValue(selector - kSelectObject, record);
                Progress();
                if (selector == kSelectPlural) {
                    m_sink.OnPhrase(record);
                    begun = false;
                }
            }
        }
    }

    void BeginRecord(FilePhrase& record) {
        record.forms = FormTexts{};
        if (Byte() != kLiteral)
            Damaged("the Object form is not a text");
        record.forms[FormObject] = Text();
        Progress();
    }

    // A form's value: a literal text, or the number of an earlier form.
    void ReadFormValue(int form, FilePhrase& record) {
        const unsigned char value = Byte();
        if (value == kLiteral)
            record.forms[form] = Text();
        else if (value >= 0x01 && value <= form)
            record.forms[form] = record.forms[value - 1];
        else
            Damaged("byte " + Hex(value) + " as the value of the " + kFormNames[form] + " form");
    }

    CByteReader& m_in;
    CPhraseFileSink& m_sink;
};

}  // namespace

void ReadPhraseFile(CByteReader& in, CPhraseFileSink& sink) { CParser(in, sink).Read(); }
