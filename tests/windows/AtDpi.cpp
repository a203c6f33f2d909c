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

#include "tests/support/ScratchTestRun.h"
#include "tests/windows/ChildProcess.h"

namespace {

constexpr char kDpiOption[] = "--dpi=";
constexpr char kDpiValue[] = "LogPixels";

bool WriteDpi(HKEY key, DWORD dpi) {
    return RegSetValueExA(key, kDpiValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
           ERROR_SUCCESS;
}

int RunAtDpi(DWORD dpi, int argc, char** argv) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 1;
    DWORD earlier = 0, size = sizeof earlier, type = 0;
    const bool hadValue = RegQueryValueExA(key, kDpiValue, nullptr, &type, reinterpret_cast<BYTE*>(&earlier),
                                           &size) == ERROR_SUCCESS && type == REG_DWORD;
    int status = 1;
    if (WriteDpi(key, dpi))
        status = RunAgainWithout(kDpiOption, argc, argv);
    else
        std::fprintf(stderr, "could not set %lu DPI\n", static_cast<unsigned long>(dpi));
    if (hadValue)
        WriteDpi(key, earlier);
    else
        RegDeleteValueA(key, kDpiValue);
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
