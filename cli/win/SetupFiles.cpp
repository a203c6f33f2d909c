#include "cli/win/SetupFiles.h"

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::string KnownFolder(int csidl) {
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw std::runtime_error("the system names no application data folder for this user");
    return path;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void WriteWholeFile(const std::string& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// Windows keeps a loaded DLL open without write sharing: an exclusive open fails.
bool InUse(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

}  // namespace

SetupPaths UserSetupPaths() {
    SetupPaths paths;
    paths.programFolder = KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Sorrowline";
    paths.driverFile = paths.programFolder + "\\sqlite3odbcnw.dll";
    paths.licenceFile = paths.programFolder + "\\sqliteodbc-license.txt";
    paths.starterFile = paths.programFolder + "\\starter.Sorrow";
    paths.databaseFolder = KnownFolder(CSIDL_APPDATA) + "\\Sorrowline";
    paths.databaseFile = paths.databaseFolder + "\\sorrowline.db";
    return paths;
}

std::string_view ResourceBytes(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        throw std::runtime_error("resource " + std::to_string(id) + " is missing from the program");
    return {static_cast<const char*>(bytes), SizeofResource(nullptr, found)};
}

FileOutcome InstallFile(const std::string& path, std::string_view content) {
    std::string current;
    const bool exists = ReadWholeFile(path, current);
    if (exists && current == content)
        return FileOutcome::Unchanged;
    if (exists && InUse(path))
        return FileOutcome::InUse;
    // Written beside it and moved over it, so a failed write leaves the old file whole.
    const std::string fresh = path + ".new";
    WriteWholeFile(fresh, content);
    if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = GetLastError();
        DeleteFileA(fresh.c_str());
        throw std::runtime_error("cannot replace " + path + " (error " + std::to_string(error) + ")");
    }
    return FileOutcome::Written;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void EnsureFolder(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create the folder " + path);
}
