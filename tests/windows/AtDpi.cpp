// The main of a test program that must see a screen of a given density:
//   PROGRAM --dpi=N [test options]
// Wine reads the screen's dots per inch (HKCU\Control Panel\Desktop,
// LogPixels) when a program starts. So the program sets it, runs itself
// again without the option and puts the earlier value back at once after.
// Every program of the prefix started meanwhile sees it too: ctest runs
// this one alone (RUN_SERIAL). Without the option it runs its tests at once.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ScratchTestRun.h"
#include "tests/windows/ChildProcess.h"

namespace {

constexpr char kDpiOption[] = "--dpi=";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kDpiValue[] = "LogPixels";

std::string ProgramPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// The value as it stood, to be put back: absent, or a number.
struct StoredDpi {
    bool present = false;
    DWORD dpi = 0;
};

StoredDpi ReadStoredDpi(HKEY key) {
    StoredDpi stored;
    DWORD size = sizeof stored.dpi;
    DWORD type = 0;
    stored.present = RegQueryValueExA(key, kDpiValue, nullptr, &type, reinterpret_cast<BYTE*>(&stored.dpi),
                                      &size) == ERROR_SUCCESS &&
                     type == REG_DWORD;
    return stored;
}

bool WriteDpi(HKEY key, DWORD dpi) {
    return RegSetValueExA(key, kDpiValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
           ERROR_SUCCESS;
}

void RestoreDpi(HKEY key, const StoredDpi& stored) {
    if (stored.present)
        WriteDpi(key, stored.dpi);
    else
        RegDeleteValueA(key, kDpiValue);
}

// Runs this program again with the arguments but the DPI option; its exit status.
int RunAgain(int argc, char** argv) {
    std::vector<std::string> arguments = {ProgramPath()};
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kDpiOption, std::strlen(kDpiOption)) != 0)
            arguments.push_back(argv[i]);
    DWORD status = 1;
    if (!RunAndWait(QuotedCommandLine(arguments), status)) {
        std::fprintf(stderr, "could not run %s again\n", ProgramPath().c_str());
        return 1;
    }
    return static_cast<int>(status);
}

int RunAtDpi(DWORD dpi, int argc, char** argv) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "could not open HKCU\\%s\n", kDesktopKey);
        return 1;
    }
    const StoredDpi stored = ReadStoredDpi(key);
    int status = 1;
    if (WriteDpi(key, dpi))
        status = RunAgain(argc, argv);
    else
        std::fprintf(stderr, "could not set %lu DPI\n", static_cast<unsigned long>(dpi));
    RestoreDpi(key, stored);
    RegCloseKey(key);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kDpiOption, std::strlen(kDpiOption)) == 0)
            return RunAtDpi(static_cast<DWORD>(std::atoi(argv[i] + std::strlen(kDpiOption))), argc, argv);
    return RunTestsOnScratchSource(argc, argv);
}
