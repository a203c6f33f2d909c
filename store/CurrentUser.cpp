#include "store/CurrentUser.h"

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#else
#include <pwd.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#endif

bool GetCurrentUserName(std::string& name) {
#ifdef _WIN32
    char buffer[256];
    DWORD size = sizeof buffer;
    if (!GetUserNameA(buffer, &size))
        return false;
    name = buffer;
    return true;
#else
    if (const passwd* entry = getpwuid(geteuid())) {
        name = entry->pw_name;
        return true;
    }
    if (const char* login = std::getenv("LOGNAME")) {
        name = login;
        return true;
    }
    return false;
#endif
}

bool SameUserName(const std::string& a, const std::string& b) {
#ifdef _WIN32
    return _stricmp(a.c_str(), b.c_str()) == 0;
#else
    return strcasecmp(a.c_str(), b.c_str()) == 0;
#endif
}
