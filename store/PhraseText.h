#pragma once
#include <string>

// Phrase texts are single lines of printable characters: a line break, a tab
// or any other control character (bytes 0 to 31 and 127) breaks the line the
// saver scrolls and the data file's records.
bool HoldsControlCharacter(const std::string& text);

// The text with each control character as a space, and each line break
// (CR LF) as one space: what a pasted line break becomes in an edit, and
// how a text others stored with such characters is shown.
std::string ControlCharactersAsSpaces(const std::string& text);
