// Phrase texts as single lines: which texts hold control characters, and how
// such characters are shown.
#include <gtest/gtest.h>

#include <string>

#include "store/PhraseText.h"

TEST(PhraseTextTest, FindsEveryControlCharacterAndNoPrintableOne) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text = std::string("a ") + static_cast<char>(byte) + " b";
        const bool control = byte < 0x20 || byte == 0x7F;
        EXPECT_EQ(HoldsControlCharacter(text), control) << "byte " << byte;
    }
    EXPECT_FALSE(HoldsControlCharacter(""));
    // Windows-1252's letters and signs above 127 are text.
    EXPECT_FALSE(HoldsControlCharacter("caf\xE9 \x80 \xA0"));
}

TEST(PhraseTextTest, ShowsALineBreakAsOneSpaceAndEachOtherControlAsOne) {
    EXPECT_EQ(ControlCharactersAsSpaces("a big\r\ndog"), "a big dog");
    EXPECT_EQ(ControlCharactersAsSpaces("a\nb\rc\td"), "a b c d");
    EXPECT_EQ(ControlCharactersAsSpaces("\x01x\x7F"), " x ");
    EXPECT_EQ(ControlCharactersAsSpaces("ends\r\n"), "ends ");
    EXPECT_EQ(ControlCharactersAsSpaces("\r\n\r\n"), "  ");
    EXPECT_EQ(ControlCharactersAsSpaces("na\xEFve \x80"), "na\xEFve \x80");
    EXPECT_EQ(ControlCharactersAsSpaces(std::string("a\0b", 3)), "a b");  // the bytes after a NUL stay
}
