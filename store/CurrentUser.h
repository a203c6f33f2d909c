#pragma once
#include <string>

// The operating-system name of the user running this process: GetUserNameA on
// Windows, the login name of the effective user elsewhere. False if unknown.
bool GetCurrentUserName(std::string& name);

// User names compare without regard to letter case, in the current locale.
bool SameUserName(const std::string& a, const std::string& b);
