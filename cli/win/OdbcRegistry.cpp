#include "cli/win/OdbcRegistry.h"

#include <stdexcept>

#include "cli/win/SetupFiles.h"
#include "framework/win/RegistryKey.h"

namespace {

constexpr char kDataSourcesPath[] = "Software\\ODBC\\ODBC.INI";
constexpr char kDataSourceList[] = "Software\\ODBC\\ODBC.INI\\ODBC Data Sources";
constexpr char kDriversPath[] = "SOFTWARE\\ODBC\\ODBCINST.INI";
constexpr char kDriverList[] = "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Drivers";

DataSourceEntry FindIn(HKEY root, const std::string& name, const char* scope) {
    DataSourceEntry entry;
    CRegistryKey list, source;
    std::string listed;
    const bool inList = list.Open(root, kDataSourceList, KEY_READ) == ERROR_SUCCESS &&
                        RegQueryValueExA(list.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                            ERROR_SUCCESS;
    const bool hasKey = source.Open(root, std::string(kDataSourcesPath) + "\\" + name, KEY_READ) == ERROR_SUCCESS;
    if (!inList && !hasKey)
        return entry;
    entry.found = true;
    entry.scope = scope;
    source.ReadText("Driver", entry.driver);
    source.ReadText("Database", entry.database);
    return entry;
}

// Writes the value unless it holds this text already; true if it changed.
bool WriteIfDifferent(CRegistryKey& key, const char* name, const std::string& value) {
    std::string current;
    if (key.ReadText(name, current) && current == value)
        return false;
    if (key.WriteText(name, value) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot write the registry value ") + name);
    return true;
}

void CreateKey(CRegistryKey& key, HKEY root, const std::string& path) {
    if (key.Create(root, path, KEY_READ | KEY_WRITE) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the registry key " + path);
}

}  // namespace

DataSourceEntry FindDataSource(const std::string& name) {
    DataSourceEntry entry = FindIn(HKEY_CURRENT_USER, name, "user");
    return entry.found ? entry : FindIn(HKEY_LOCAL_MACHINE, name, "system");
}

bool WriteUserDataSource(const std::string& name, const std::string& driverFile,
                         const std::string& databaseFile) {
    CRegistryKey source, list;
    CreateKey(source, HKEY_CURRENT_USER, std::string(kDataSourcesPath) + "\\" + name);
    bool changed = WriteIfDifferent(source, "Driver", driverFile);
    changed |= WriteIfDifferent(source, "Database", databaseFile);
    changed |= WriteIfDifferent(source, "Description", "Sorrowline phrases");
    // Milliseconds SQLite waits for a lock another program holds.
    changed |= WriteIfDifferent(source, "Timeout", "5000");
    CreateKey(list, HKEY_CURRENT_USER, kDataSourceList);
    changed |= WriteIfDifferent(list, name.c_str(), kDriverName);
    return changed;
}

DriverRegistration RegisterDriver(const std::string& driverFile, std::string& registeredFile) {
    // Creating a key under ODBCINST.INI is what a user without administrator
    // rights may not do; asking for that right first fails early for them.
    CRegistryKey drivers, driver, list;
    const LONG opened = drivers.Create(HKEY_LOCAL_MACHINE, kDriversPath, KEY_READ | KEY_CREATE_SUB_KEY);
    if (opened == ERROR_ACCESS_DENIED)
        return DriverRegistration::Denied;
    if (opened != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot open HKLM\\") + kDriversPath);

    if (driver.Open(drivers.Get(), kDriverName, KEY_READ) == ERROR_SUCCESS &&
        driver.ReadText("Driver", registeredFile) && !SamePath(registeredFile, driverFile) &&
        FileExists(registeredFile))
        return DriverRegistration::Kept;

    const LONG created = driver.Create(drivers.Get(), kDriverName, KEY_READ | KEY_WRITE);
    const LONG listed = created == ERROR_SUCCESS ? list.Create(HKEY_LOCAL_MACHINE, kDriverList, KEY_READ | KEY_WRITE)
                                                 : created;
    if (created == ERROR_ACCESS_DENIED || listed == ERROR_ACCESS_DENIED)
        return DriverRegistration::Denied;
    if (listed != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot write HKLM\\") + kDriversPath);

    registeredFile = driverFile;
    bool changed = WriteIfDifferent(driver, "Driver", driverFile);
    changed |= WriteIfDifferent(driver, "Setup", driverFile);  // the driver's DLL has its set-up dialog too
    changed |= WriteIfDifferent(list, kDriverName, "Installed");
    return changed ? DriverRegistration::Added : DriverRegistration::Unchanged;
}
