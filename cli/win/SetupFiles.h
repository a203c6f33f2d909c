#pragma once
// The files that sorrowline-db setup writes, and where they go.
#include <string>
#include <string_view>

struct SetupPaths {
    std::string programFolder;   // %LOCALAPPDATA%\Sorrowline: driver, licence, starter phrases
    std::string driverFile;
    std::string licenceFile;
    std::string starterFile;
    std::string databaseFolder;  // %APPDATA%\Sorrowline
    std::string databaseFile;
};

// The current user's folders. Raises std::runtime_error if the system names none.
SetupPaths UserSetupPaths();

// The bytes of an RCDATA resource of this executable.
std::string_view ResourceBytes(int id);

enum class FileOutcome { Written, Unchanged, InUse };

// Makes the file hold exactly these bytes. A file that holds them already is
// not touched; one that another process has open (a loaded driver, say) is
// not replaced. Raises std::runtime_error when the file cannot be written.
FileOutcome InstallFile(const std::string& path, std::string_view content);

// Windows file names compare without regard to letter case.
bool SamePath(const std::string& a, const std::string& b);
bool FileExists(const std::string& path);

// Creates the folder unless it exists; its parent must exist.
void EnsureFolder(const std::string& path);
