// The data file's format, apart from the database: a seeded fuzz test of
// damaged files, and the damage met so far. Built with the sanitizers on the
// host, so a read or write out of bounds fails the run.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <unistd.h>
#endif

#include "transfer/ByteFile.h"
#include "transfer/PhraseFileParser.h"

bool operator==(const FilePhrase& a, const FilePhrase& b) {
    return a.phraseType == b.phraseType && a.forms == b.forms;
}

namespace {

using Bytes = std::string;

// What the parser passed on.
struct Recorder : CPhraseFileSink {
    void OnPhrase(const FilePhrase& phrase) override { phrases.push_back(phrase); }
    void OnProgress(uint64_t bytesRead) override {
        EXPECT_GE(bytesRead, lastProgress);
        lastProgress = bytesRead;
    }
    std::vector<FilePhrase> phrases;
    uint64_t lastProgress = 0;
};

struct ParseResult {
    std::vector<FilePhrase> phrases;
    bool damaged = false;
    uint64_t offset = 0;
};

std::string ScratchPath() { return testing::TempDir() + "phrase-file-parser-test.Sorrow"; }

ParseResult Parse(const Bytes& bytes) {
    const std::string path = ScratchPath();
    std::ofstream(path, std::ios::binary) << bytes;
    CByteReader in(path);
    Recorder recorder;
    ParseResult result;
    try {
        ReadPhraseFile(in, recorder);
    } catch (const DamagedFile& damage) {
        result.damaged = true;
        result.offset = damage.offset;
    }
    std::remove(path.c_str());
    result.phrases = recorder.phrases;
    return result;
}

FilePhrase Cut(FilePhrase phrase) {
    for (std::string& text : phrase.forms)
        text.resize(std::min(text.size(), kMaxTextBytes));
    return phrase;
}

// A valid file written from the format's rules, remembering where each record
// ends and what each structural byte may be, so that damage can be placed.
class FileBuilder {
public:
    enum class Role { NounForm, Selector, ObjectLiteral, Value1, Value2, Value3 };
    struct Slot {
        size_t offset;
        Role role;
    };
    struct Record {
        FilePhrase phrase;
        size_t end;  // offset after its last byte
    };

    void Noun(int form, const std::string& text) {
        Structural(Role::NounForm, static_cast<char>(form + 1));
        Text(text);
        m_records.push_back({FilePhrase{form, {text, "", "", ""}}, m_bytes.size()});
    }

    void Forms(int phraseType, const FormTexts& forms) {
        Structural(Role::Selector, '\x01');
        Structural(Role::ObjectLiteral, '\x05');
        Text(forms[0]);
        for (int form = 1; form < 4; ++form) {
            Structural(Role::Selector, static_cast<char>(form + 1));
            int earlier = 0;
            while (earlier < form && forms[earlier] != forms[form])
                ++earlier;
            const Role role = static_cast<Role>(static_cast<int>(Role::Value1) + form - 1);
            if (earlier < form) {
                Structural(role, static_cast<char>(earlier + 1));
            } else {
                Structural(role, '\x05');
                Text(forms[form]);
            }
        }
        m_records.push_back({FilePhrase{phraseType, forms}, m_bytes.size()});
    }

    void EndSection() { Structural(Role::Selector, '\x05'); }

    const Bytes& bytes() const { return m_bytes; }
    const std::vector<Slot>& slots() const { return m_slots; }
    const std::vector<size_t>& textBytes() const { return m_textBytes; }

    // The phrases of the records complete before offset, as the parser gives them.
    std::vector<FilePhrase> PhrasesBefore(size_t offset) const {
        std::vector<FilePhrase> phrases;
        for (const Record& r : m_records)
            if (r.end <= offset)
                phrases.push_back(Cut(r.phrase));
        return phrases;
    }

private:
    void Structural(Role role, char byte) {
        m_slots.push_back({m_bytes.size(), role});
        m_bytes += byte;
    }
    void Text(const std::string& text) {
        for (char c : text) {
            m_textBytes.push_back(m_bytes.size());
            m_bytes += c;
        }
        m_bytes += '\x01';
    }

    Bytes m_bytes;
    std::vector<Slot> m_slots;
    std::vector<size_t> m_textBytes;
    std::vector<Record> m_records;
};

class Generator {
public:
    explicit Generator(uint32_t seed) : m_random(seed) {}

    int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    // Mostly short texts, now and then one over the 255 bytes kept; any byte
    // but the end marker and 0x00, the structure bytes 0x02..0x05 included.
    std::string Text() {
        const int length = Number(0, 9) == 0 ? Number(250, 300) : Number(0, 12);
        std::string text;
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(Number(0, 3) == 0 ? Number(0x02, 0x05) : Number(0x20, 0xFF));
        return text;
    }

    // Later forms often repeat an earlier one, so the references are used.
    FormTexts Forms() {
        FormTexts forms;
        for (int form = 0; form < 4; ++form)
            forms[form] = form > 0 && Number(0, 1) ? forms[Number(0, form - 1)] : Text();
        return forms;
    }

    FileBuilder File() {
        FileBuilder file;
        for (int i = Number(0, 4); i > 0; --i)
            file.Noun(Number(0, 3), Text());
        file.EndSection();
        for (int phraseType : {4, 5}) {
            for (int i = Number(0, 3); i > 0; --i)
                file.Forms(phraseType, Forms());
            file.EndSection();
        }
        return file;
    }

    // A byte the role never allows.
    unsigned char ForbiddenFor(FileBuilder::Role role) {
        using Role = FileBuilder::Role;
        for (;;) {
            const auto byte = static_cast<unsigned char>(Number(0, 2) == 0 ? 0 : Number(0, 0xFF));
            const bool allowed =
                role == Role::NounForm || role == Role::Selector ? byte >= 0x01 && byte <= 0x05
                : role == Role::ObjectLiteral                    ? byte == 0x05
                                                                 : byte == 0x05 || (byte >= 0x01 &&
                                                                  byte <= static_cast<int>(role) -
                                                                              static_cast<int>(Role::Value1) + 1);
            if (!allowed)
                return byte;
        }
    }

private:
    std::mt19937 m_random;
};

std::string Describe(const Bytes& bytes) { return testing::PrintToString(bytes); }

}  // namespace

// Each case is a valid file with one kind of damage, or none: nothing past
// the damage comes out, nothing before it is lost, and the damage is found
// where it is.
TEST(PhraseFileParserTest, SeededDamagedFiles) {
    constexpr uint32_t kFirstSeed = 20261206;
    constexpr int kCases = 3000;
    for (int i = 0; i < kCases; ++i) {
        const uint32_t seed = kFirstSeed + static_cast<uint32_t>(i);
        Generator random(seed);
        const FileBuilder file = random.File();
        Bytes bytes = file.bytes();
        size_t damageAt = bytes.size();  // none
        switch (random.Number(0, 3)) {
            case 0:  // cut short
                damageAt = static_cast<size_t>(random.Number(0, static_cast<int>(bytes.size()) - 1));
                bytes.resize(damageAt);
                break;
            case 1: {  // a byte the format does not allow where it stands
                const auto& slot = file.slots()[random.Number(0, static_cast<int>(file.slots().size()) - 1)];
                damageAt = slot.offset;
                bytes[damageAt] = static_cast<char>(random.ForbiddenFor(slot.role));
                break;
            }
            case 2:  // 0x00 inside a text
                if (!file.textBytes().empty()) {
                    damageAt = file.textBytes()[random.Number(0, static_cast<int>(file.textBytes().size()) - 1)];
                    bytes[damageAt] = '\0';
                }
                break;
            case 3:  // intact, with bytes after the end that are never read
                bytes += random.Text();
                break;
        }
        const ParseResult result = Parse(bytes);
        const bool damaged = damageAt < file.bytes().size();
        ASSERT_EQ(result.damaged, damaged) << "seed " << seed << ": " << Describe(bytes);
        if (damaged) {
            ASSERT_EQ(result.offset, damageAt) << "seed " << seed << ": " << Describe(bytes);
        }
        ASSERT_EQ(result.phrases, file.PhrasesBefore(damageAt)) << "seed " << seed << ": " << Describe(bytes);
    }
}

// Damage the seeded files never hold, and damage met before, each placed
// after a noun and before a verb: found where it is, nothing after it passed
// on. A selector 0x00 inside a phrase once wrote before the start of the forms.
TEST(PhraseFileParserTest, DamageIsFoundWhereItIs) {
    const Bytes before = "\x02he\x01", after = "\x01\x05goes\x01\x02\x01\x03\x01\x04\x05go\x01";
    const std::pair<Bytes, uint64_t> cases[] = {
        {Bytes(1, '\0') + "it\x01\x05\x05\x05", 0},  // noun form below Object
        {"\x06it\x01\x05\x05\x05", 0},                // ... above Plural
        {"\xFFit\x01\x05\x05\x05", 0},
        {"\x05\x01goes\x01\x05\x05", 2},              // Object value without 0x05
        {"\x05\x06\x05\x05", 1},                       // unknown selector
        {"\x05\x02\x05x\x01\x05\x05", 1},            // a form with no phrase begun
        {"\x05\x01\x05o\x01\x02\x02\x05\x05", 6},    // Masculine cannot refer to itself
        {"\x05\x01\x05o\x01\x03\x03\x05\x05", 6},
        {"\x05\x01\x05o\x01\x04\x04\x05\x05", 6},    // nor Plural to Plural
        {"\x05\x01\x05o\x01\x02\x07\x05\x05", 6},
        {"\x05\x01\x05o\x01\x01\x05p\x01\x05\x05", 5},  // a second phrase begun before the first ends
        {"\x05\x01\x05o\x01\x02\x01\x05\x05", 7},        // a section ends inside a phrase
        {Bytes("\x02x\0y\x01", 5), 2},                      // 0x00 inside a text
        {"\x02" + std::string(300, 'l') + Bytes(1, '\0') + "\x01", 301},  // ... past the 255 kept
        {Bytes("\x05\x01\x05o\x01\0\x05x\x01\x04\x01\x05\x05", 13), 5},  // selector 0x00
        {Bytes("\x05\x05\x01\x05o\x01\0\x01\x04\x01\x05", 12), 6},        // ... among the adverbs
    };
    for (const auto& [damage, offset] : cases) {
        const ParseResult result = Parse(before + damage + after);
        EXPECT_TRUE(result.damaged) << Describe(damage);
        EXPECT_EQ(result.offset, before.size() + offset) << Describe(damage);
        EXPECT_EQ(result.phrases, std::vector<FilePhrase>{(FilePhrase{1, {"he", "", "", ""}})})
            << Describe(damage);
    }
}

// The first 255 bytes are kept, however long the text, and the rest is
// skipped to its end marker, across the reader's buffer too.
TEST(PhraseFileParserTest, LongTextsKeepTheirFirst255Bytes) {
    const std::string huge(3 * 64 * 1024 + 17, 'h');
    const std::string over(256, 'o');
    const Bytes file = "\x01" + huge + "\x01\x05" + "\x01\x05" + over + "\x01\x02\x01\x03\x05" + huge +
                       "\x01\x04\x03" + "\x05\x05";
    const ParseResult result = Parse(file);
    EXPECT_FALSE(result.damaged);
    ASSERT_EQ(result.phrases.size(), 2u);
    EXPECT_EQ(result.phrases[0].forms[0], std::string(255, 'h'));
    EXPECT_EQ(result.phrases[1].forms,
              (FormTexts{std::string(255, 'o'), std::string(255, 'o'), std::string(255, 'h'),
                         std::string(255, 'h')}));
}

#ifndef _WIN32
namespace {

size_t OpenDescriptors() {
    size_t count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

}  // namespace

// A file that opens but cannot be measured (a pipe) is refused with the
// system's reason, and closed again.
TEST(ByteFileTest, FileThatCannotBeMeasuredIsClosedAgain) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const std::string path = "/proc/self/fd/" + std::to_string(ends[0]);
    const size_t before = OpenDescriptors();
    for (int i = 0; i < 3; ++i) {
        try {
            CByteReader reader(path);
            ADD_FAILURE() << "a pipe opened as a data file";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), path + ": Illegal seek");
        }
    }
    EXPECT_EQ(OpenDescriptors(), before);
    close(ends[0]);
    close(ends[1]);
}
#endif
