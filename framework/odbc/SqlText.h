#pragma once
#include <string>

// How a data source treats unquoted identifiers (SQL_IDENTIFIER_CASE).
enum class IdentifierCase { Upper, Lower, Sensitive, Mixed };

// Rewrites each [Name] outside string literals into the data source's own
// quoted form. The name is folded the way the source folds unquoted names,
// so "[PhraseType]" and a plain "PhraseType" in a filter name the same column
// on every engine (PostgreSQL folds to lower case).
std::string TranslateBracketedIdentifiers(const std::string& sql, const std::string& quote,
                                          IdentifierCase identifierCase);

// The number of ? parameter markers outside string literals and quoted names.
int CountParameterMarkers(const std::string& sql);

// ASCII case-insensitive prefix test, for "ODBC;" and "SELECT".
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
