#pragma once
// Runs another program from a test's helper program and waits for it.
#include <windows.h>

#include <cstdio>
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

// This program's own path.
inline std::string ProgramPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// Runs this program again with its arguments but those that begin with
// option; its exit status, 1 when it could not start.
inline int RunAgainWithout(const char* option, int argc, char** argv) {
    std::vector<std::string> arguments = {ProgramPath()};
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind(option, 0) != 0)
            arguments.push_back(argv[i]);
    DWORD status = 1;
    if (!RunAndWait(QuotedCommandLine(arguments), status)) {
        std::fprintf(stderr, "could not run %s again\n", ProgramPath().c_str());
        return 1;
    }
    return static_cast<int>(status);
}
