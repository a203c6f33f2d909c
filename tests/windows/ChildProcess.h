#pragma once
// Runs another program from a test's helper program and waits for it.
#include <windows.h>

#include <string>
#include <vector>

// The arguments as one command line, each in quotes.
inline std::string QuotedCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "\"" : " \"") + argument + "\"";
    return line;
}

// Runs the command line with this process's console and handles, and waits
// for it. False if it could not start; else its exit status is in status.
inline bool RunAndWait(std::string commandLine, DWORD& status) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
