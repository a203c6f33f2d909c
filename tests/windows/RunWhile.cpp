// run_while: runs a program while a condition that sorrowline-db setup must
// cope with holds, and exits with the program's status.
//   run_while --hklm-locked PROGRAM [ARGS...]  HKLM\SOFTWARE\ODBC\ODBCINST.INI
//       refuses new keys and values to everyone, as to a user who is no administrator
//   run_while --loaded DLL PROGRAM [ARGS...]   the DLL is loaded, so its file is in use
// Wine keeps a key's access rules only while its server runs, which this
// process ensures by living until the program ends.
#include <windows.h>
#include <aclapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/windows/ChildProcess.h"

namespace {

bool LockDriverRegistry() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ODBC\\ODBCINST.INI", 0, nullptr, 0,
                        READ_CONTROL | WRITE_DAC, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    char everyone[] = "EVERYONE";
    EXPLICIT_ACCESSA deny = {};
    BuildExplicitAccessWithNameA(&deny, everyone, KEY_CREATE_SUB_KEY | KEY_SET_VALUE, DENY_ACCESS,
                                 SUB_CONTAINERS_AND_OBJECTS_INHERIT);
    PACL acl = nullptr;
    bool locked = SetEntriesInAclA(1, &deny, nullptr, &acl) == ERROR_SUCCESS &&
                  SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                                  nullptr) == ERROR_SUCCESS;
    LocalFree(acl);
    RegCloseKey(key);
    return locked;
}

// Runs the program and arguments of a null-ended list; its exit status.
int Run(char** argv) {
    std::vector<std::string> arguments;
    for (; *argv; ++argv)
        arguments.push_back(*argv);
    const std::string line = QuotedCommandLine(arguments);
    DWORD status = 125;
    if (!RunAndWait(line, status)) {
        std::fprintf(stderr, "run_while: cannot start %s\n", line.c_str());
        return 125;
    }
    return static_cast<int>(status);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && !std::strcmp(argv[1], "--hklm-locked")) {
        if (!LockDriverRegistry()) {
            std::fprintf(stderr, "run_while: cannot lock HKLM\\SOFTWARE\\ODBC\\ODBCINST.INI\n");
            return 125;
        }
        return Run(argv + 2);
    }
    if (argc >= 4 && !std::strcmp(argv[1], "--loaded")) {
        if (!LoadLibraryA(argv[2])) {
            std::fprintf(stderr, "run_while: cannot load %s\n", argv[2]);
            return 125;
        }
        return Run(argv + 3);
    }
    std::fprintf(stderr, "usage: run_while (--hklm-locked | --loaded DLL) PROGRAM [ARGS...]\n");
    return 2;
}
