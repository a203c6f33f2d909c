// The main of a test program that must see a given Windows version:
//   PROGRAM --windows-version=VERSION [test options]
// Wine reports to a program the version set for its file name under
// HKCU\Software\Wine\AppDefaults (VERSION as Wine names it: nt40, win2k, ...)
// and reads it when the program starts. So the program sets it for itself,
// runs itself again without the option and removes it afterwards. Without
// the option it runs its tests at once.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ScratchTestRun.h"
#include "tests/windows/ChildProcess.h"

namespace {

constexpr char kVersionOption[] = "--windows-version=";

std::string AppDefaultsKey() {
    const std::string path = ProgramPath();
    return "Software\\Wine\\AppDefaults\\" + path.substr(path.find_last_of("\\/") + 1);
}

bool SetReportedVersion(const std::string& version) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, AppDefaultsKey().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExA(key, "Version", 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(version.c_str()),
                                       static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    const char* version = nullptr;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kVersionOption, std::strlen(kVersionOption)) == 0)
            version = argv[i] + std::strlen(kVersionOption);
    if (!version)
        return RunTestsOnScratchSource(argc, argv);
    if (!SetReportedVersion(version)) {
        std::fprintf(stderr, "could not set the Windows version %s\n", version);
        return 1;
    }
    const int status = RunAgainWithout(kVersionOption, argc, argv);
    RegDeleteKeyA(HKEY_CURRENT_USER, AppDefaultsKey().c_str());
    return status;
}
