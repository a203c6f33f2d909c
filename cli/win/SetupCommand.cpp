// sorrowline-db setup on Windows: the SQLite ODBC driver and the starter
// phrases out of the executable, the per-user data source "Sorrowline" over a
// database in the user's application data, the tables, the owner row and the
// starter phrases, then a connection that proves it all works.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/win/OdbcRegistry.h"
#include "cli/win/SetupFiles.h"
#include "cli/win/SetupResources.h"
#include "framework/odbc/DBException.h"
#include "store/StoreContext.h"

namespace {

void Say(const std::string& line) { std::printf("%s\n", line.c_str()); }

// A data source that an earlier setup of this user wrote, which a new run may complete.
bool WrittenBySetup(const DataSourceEntry& entry, const SetupPaths& paths) {
    return entry.scope == "user" && SamePath(entry.driver, paths.driverFile) &&
           SamePath(entry.database, paths.databaseFile);
}

void ExplainExistingSource(const DataSourceEntry& entry) {
    Say(std::string("A ") + entry.scope + " data source named Sorrowline exists already" +
        (entry.driver.empty() ? "" : " (driver " + entry.driver + ")") + ".");
    Say("Setup leaves it as it is and stops. To use it, create its tables with: sorrowline-db init");
}

void ReportFile(const char* what, const std::string& path, FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Written: Say(std::string(what) + " written: " + path); break;
        case FileOutcome::Unchanged: Say(std::string(what) + " up to date: " + path); break;
        case FileOutcome::InUse:
            Say(std::string(what) + " in use by another program, left as it is: " + path);
            Say("  (close the saver and whatever uses the Sorrowline data source, then run setup again)");
            break;
    }
}

void InstallProgramFiles(const SetupPaths& paths) {
    EnsureFolder(paths.programFolder);
    ReportFile("ODBC driver", paths.driverFile, InstallFile(paths.driverFile, ResourceBytes(IDR_ODBC_DRIVER)));
    ReportFile("Driver licence", paths.licenceFile,
               InstallFile(paths.licenceFile, ResourceBytes(IDR_ODBC_DRIVER_LICENCE)));
    ReportFile("Starter phrases", paths.starterFile,
               InstallFile(paths.starterFile, ResourceBytes(IDR_STARTER_PHRASES)));
}

void RegisterDriverForAllUsers(const SetupPaths& paths) {
    std::string registered;
    const std::string where = std::string("\"") + kDriverName + "\" in HKLM\\SOFTWARE\\ODBC\\ODBCINST.INI";
    switch (RegisterDriver(paths.driverFile, registered)) {
        case DriverRegistration::Added: Say("Driver registered for all users as " + where); break;
        case DriverRegistration::Unchanged: Say("Driver registered already as " + where); break;
        case DriverRegistration::Kept: Say("Driver registered already as " + where + " for " + registered); break;
        case DriverRegistration::Denied:
            Say("Driver not registered for all users (that needs administrator rights); the data source");
            Say("  names the driver's file itself, which is all Windows needs");
            break;
    }
}

void WriteDataSource(const SetupPaths& paths) {
    EnsureFolder(paths.databaseFolder);
    const bool changed = WriteUserDataSource(kDataSourceName, paths.driverFile, paths.databaseFile);
    Say(std::string(changed ? "Data source Sorrowline written" : "Data source Sorrowline in place") +
        " for this user (HKCU\\Software\\ODBC\\ODBC.INI\\Sorrowline), database " + paths.databaseFile);
}

// Tables, owner row and starter phrases through the new data source; the
// counts at the end show that it answers.
int FillDatabase(CStoreContext& store, const CommandContext& context, const SetupPaths& paths) {
    ConnectStore(store, context.connect);
    if (RunInit(store, context) != kExitOk)
        return kExitFailure;
    Say("Tables in place.");
    if (RunImport(store, {context.connect, {paths.starterFile}}) != kExitOk)
        return kExitFailure;
    Say("Starter phrases merged (phrases the database holds already are not added again).");
    return RunRecount(store, context);
}

}  // namespace

int RunSetup(CStoreContext& store, const CommandContext& context) {
    if (!context.args.empty())
        throw UsageError{"setup takes no arguments"};
    if (context.connect != CStoreContext::kDefaultConnect)
        throw UsageError{"setup makes the data source Sorrowline; --connect does not apply"};
    const SetupPaths paths = UserSetupPaths();
    const DataSourceEntry existing = FindDataSource(kDataSourceName);
    if (existing.found && !WrittenBySetup(existing, paths)) {
        ExplainExistingSource(existing);
        return kExitOk;
    }
    InstallProgramFiles(paths);
    RegisterDriverForAllUsers(paths);
    WriteDataSource(paths);
    try {
        return FillDatabase(store, context, paths);
    } catch (const CDBException& e) {
        std::fprintf(stderr, "The data source Sorrowline is in place, but it cannot be opened:\n%s\n",
                     e.m_strError.c_str());
        return kExitFailure;
    }
}
