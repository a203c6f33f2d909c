#pragma once
#include <string>
#include <vector>

// What a command gets: the connect string and its own arguments.
struct CommandContext {
    std::string connect;
    std::vector<std::string> args;
};

// Each returns the process exit status. Database errors propagate as CDBException.
int RunInit(const CommandContext& context);
int RunRecount(const CommandContext& context);
int RunList(const CommandContext& context);
int RunExport(const CommandContext& context);
int RunImport(const CommandContext& context);
int RunSentences(const CommandContext& context);
int RunAdd(const CommandContext& context);
int RunDerive(const CommandContext& context);
int RunDelete(const CommandContext& context);
int RunEmpty(const CommandContext& context);
// Makes the data source itself, so it runs before any connection.
int RunSetup(const CommandContext& context);

class CStoreApp;
// Proves that the data source can be reached, as the saver's start-up does,
// and lets the record sets open.
void ConnectStore(CStoreApp& app, const std::string& connect);

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
