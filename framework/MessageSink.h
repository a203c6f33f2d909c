#pragma once
#include <string>

// Where portable code shows a warning to the user: a message box with the
// warning icon in the program, a line on stderr in sorrowline-db.
class CMessageSink {
public:
    virtual ~CMessageSink() = default;
    virtual void ShowWarning(const std::string& text, const std::string& title) = 0;
};
