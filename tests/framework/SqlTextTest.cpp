#include <gtest/gtest.h>

#include "framework/odbc/SqlText.h"

TEST(SqlText, BracketedNamesTakeTheSourcesQuoteAndFolding) {
    const std::string sql = "SELECT [OPhrase],[PhraseType] FROM [Phrase] WHERE PhraseType < ?";
    EXPECT_EQ(TranslateBracketedIdentifiers(sql, "\"", IdentifierCase::Lower),
              "SELECT \"ophrase\",\"phrasetype\" FROM \"phrase\" WHERE PhraseType < ?");
    EXPECT_EQ(TranslateBracketedIdentifiers(sql, "\"", IdentifierCase::Upper),
              "SELECT \"OPHRASE\",\"PHRASETYPE\" FROM \"PHRASE\" WHERE PhraseType < ?");
    EXPECT_EQ(TranslateBracketedIdentifiers(sql, "`", IdentifierCase::Mixed),
              "SELECT `OPhrase`,`PhraseType` FROM `Phrase` WHERE PhraseType < ?");
    // A source without a quote character gets the bare name.
    EXPECT_EQ(TranslateBracketedIdentifiers("[A b]", "", IdentifierCase::Mixed), "A b");
}

TEST(SqlText, LiteralsAndQuotedNamesAreLeftAlone) {
    const std::string sql = "AddedBy = 'x[y]''s ?' AND \"[q]?\" = ? AND [Ok] = ?";
    EXPECT_EQ(TranslateBracketedIdentifiers(sql, "\"", IdentifierCase::Mixed),
              "AddedBy = 'x[y]''s ?' AND \"[q]?\" = ? AND \"Ok\" = ?");
    EXPECT_EQ(CountParameterMarkers(sql), 2);
    EXPECT_EQ(CountParameterMarkers("PhraseType = ? AND OPhrase = ?"), 2);
    EXPECT_EQ(CountParameterMarkers(""), 0);
    // An unclosed literal or bracket ends the text without running past it.
    EXPECT_EQ(CountParameterMarkers("a = 'open ?"), 0);
    EXPECT_EQ(TranslateBracketedIdentifiers("x [open", "\"", IdentifierCase::Mixed), "x [open");
}
