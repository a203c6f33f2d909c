// The main of a test program that must see a setting Wine reads when a
// program starts:
//   PROGRAM --dpi=N [test options]               the screen's dots per inch
//   PROGRAM --windows-version=V [test options]   the Windows version reported (nt40, win2k...)
// The program sets the value, runs itself again without the option and
// puts the earlier value back after. Every program of the prefix started
// meanwhile sees a changed DPI too: ctest runs that one alone (RUN_SERIAL).
// Without an option it runs its tests at once.
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
constexpr char kVersionOption[] = "--windows-version=";

const char* OptionValue(const char* option, int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0)
            return argv[i] + std::strlen(option);
    return nullptr;
}

int RunAgainWith(const char* option, const std::string& keyPath, const char* name, DWORD type,
                 const std::vector<BYTE>& data, int argc, char** argv) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 1;
    BYTE earlier[512];
    DWORD earlierType = 0, size = sizeof earlier;
    const bool hadValue = RegQueryValueExA(key, name, nullptr, &earlierType, earlier, &size) == ERROR_SUCCESS;
    int status = 1;
    if (RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS)
        status = RunAgainWithout(option, argc, argv);
    else
        std::fprintf(stderr, "could not set %s\n", option);
    if (hadValue)
        RegSetValueExA(key, name, 0, earlierType, earlier, size);
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (const char* dpi = OptionValue(kDpiOption, argc, argv)) {
        const DWORD value = static_cast<DWORD>(std::atoi(dpi));
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
        return RunAgainWith(kDpiOption, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                            {bytes, bytes + sizeof value}, argc, argv);
    }
    if (const char* version = OptionValue(kVersionOption, argc, argv)) {
        // Wine keeps it per program file name, under AppDefaults.
        const std::string path = ProgramPath();
        return RunAgainWith(kVersionOption, "Software\\Wine\\AppDefaults\\" + path.substr(path.find_last_of("\\/") + 1),
                            "Version", REG_SZ, {version, version + std::strlen(version) + 1}, argc, argv);
    }
    return RunTestsOnScratchSource(argc, argv);
}
