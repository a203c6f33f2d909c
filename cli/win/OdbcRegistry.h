#pragma once
// The ODBC entries in the registry that the driver manager reads: per-user
// data sources under HKCU\Software\ODBC\ODBC.INI, system ones under the same
// path in HKLM, drivers under HKLM\SOFTWARE\ODBC\ODBCINST.INI. Written
// directly: the ODBC installer functions need administrator rights for the
// driver part and differ between Wine versions.
#include <string>

constexpr char kDataSourceName[] = "Sorrowline";
// Our own name, so that a machine-wide SQLite ODBC driver is never redefined.
constexpr char kDriverName[] = "SQLite3 ODBC Driver (Sorrowline)";

struct DataSourceEntry {
    bool found = false;
    std::string scope;  // "user" or "system"
    std::string driver;
    std::string database;
};

// The data source of this name the driver manager would find: the user's
// first, then the system's. An entry in "ODBC Data Sources" alone counts too.
DataSourceEntry FindDataSource(const std::string& name);

// Writes the per-user data source over an SQLite file: its key with the full
// driver path and the database, and its line in "ODBC Data Sources".
// Returns true if anything had to change. Raises std::runtime_error on failure.
bool WriteUserDataSource(const std::string& name, const std::string& driverFile,
                         const std::string& databaseFile);

enum class DriverRegistration {
    Added,      // written for all users
    Unchanged,  // registered already, for this file
    Denied,     // HKLM is not writable for this user
    Kept,       // registered for another file that exists; left as it is
};

// Registers the driver under HKLM\SOFTWARE\ODBC\ODBCINST.INI when this user
// may. registeredFile receives the file the registration names afterwards.
DriverRegistration RegisterDriver(const std::string& driverFile, std::string& registeredFile);
