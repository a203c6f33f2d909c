#pragma once
#include <string>
#include <vector>

// What a command gets: the connect string and its own arguments.
struct CommandContext {
    std::string connect;
    std::vector<std::string> args;
};

class CStoreContext;

// Each works on the store it is given and returns the process exit status.
// Database errors propagate as CDBException.
int RunInit(CStoreContext& store, const CommandContext& context);
int RunRecount(CStoreContext& store, const CommandContext& context);
int RunList(CStoreContext& store, const CommandContext& context);
int RunExport(CStoreContext& store, const CommandContext& context);
int RunImport(CStoreContext& store, const CommandContext& context);
int RunSentences(CStoreContext& store, const CommandContext& context);
int RunAdd(CStoreContext& store, const CommandContext& context);
int RunDerive(CStoreContext& store, const CommandContext& context);
int RunDelete(CStoreContext& store, const CommandContext& context);
int RunEmpty(CStoreContext& store, const CommandContext& context);
// PostgreSQL only: the server keeps the permission rule for the members of
// the group role sorrowline_users.
int RunSecure(CStoreContext& store, const CommandContext& context);
// Makes the data source itself, so it runs before any connection.
int RunSetup(CStoreContext& store, const CommandContext& context);

// Proves that the data source can be reached, as the saver's start-up does,
// and lets the record sets open.
void ConnectStore(CStoreContext& store, const std::string& connect);

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The message, with a hint to run init below it when it says that a table
// is missing.
std::string WithInitHint(const std::string& message);

// Raised for bad arguments: a one-line message, exit status 2.
struct UsageError {
    std::string message;
};
