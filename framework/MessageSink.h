#pragma once
#include <string>

// Where portable code shows a warning to the user: a message box with the
// warning icon in the program, a line on stderr in sorrowline-db.
class CMessageSink {
public:
    virtual ~CMessageSink() = default;
    virtual void ShowWarning(const std::string& text, const std::string& title) = 0;
};

// A message and, on the line below it, what caused it (a file's name and
// the system's reason, or the driver's message).
inline std::string WithCause(const std::string& message, const std::string& cause) {
    return cause.empty() ? message : message + "\n" + cause;
}
