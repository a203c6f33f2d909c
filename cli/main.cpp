// sorrowline-db: sets up and inspects the phrase database of the saver.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "cli/Commands.h"
#include "framework/odbc/DBException.h"
#include "framework/odbc/Database.h"
#include "framework/odbc/LockWait.h"
#include "framework/odbc/WaitWatch.h"
#include "store/PhraseRec.h"
#include "store/StoreContext.h"

namespace {

const char kUsage[] =
    "usage: sorrowline-db [--connect STRING] COMMAND [ARGS]\n"
    "\n"
    "Works on the ODBC data source \"Sorrowline\" unless --connect names another.\n"
    "\n"
    "commands:\n"
    "  init      create the tables that are missing (never drops or changes data)\n"
    "  recount   count the phrases anew and print the counts and the owner\n"
    "  list      print every phrase, one tab-separated line each\n"
    "  export FILE   write every phrase to a phrase data file\n"
    "  import FILE   add the phrases of a data file that the database lacks\n"
    "  sentences N [--seed S] [--horizontal]   print N lines as the saver would show them\n"
    "  add noun FORM TEXT   add a noun (FORM: it, he, she or they); prints its number\n"
    "  add verb TEXT [--he T] [--she T] [--they T]   add a verb; the forms not given\n"
    "            come from the nearest given form above them, pronouns swapped\n"
    "  add adverb TEXT [--he T] [--she T] [--they T]   the same for an adverb\n"
    "            (add refuses a phrase of the same kind and text unless --duplicate)\n"
    "  derive TEXT [--from it|he|she]   print the text and the forms derived from it\n"
    "  delete NUMBER...   delete phrases (your own, or any if you own the database)\n"
    "  empty [--yes]   delete every phrase (the owner only); asks first unless --yes\n"
    "            add, derive, delete and empty take --user NAME to act as another user\n"
    "  secure    PostgreSQL: let the server keep the owner rule for the members of the group\n"
    "            role sorrowline_users (run by the tables' owner; changes no data)\n"
    "  setup     Windows: install the SQLite ODBC driver, create the data source\n"
    "            Sorrowline for this user with the starter phrases (an existing one is kept)\n";

using Command = int (*)(CStoreContext&, const CommandContext&);

const std::map<std::string, Command>& CommandTable() {
    static const std::map<std::string, Command> table = {
        {"init", RunInit},
        {"recount", RunRecount},
        {"list", RunList},
        {"export", RunExport},
        {"import", RunImport},
        {"sentences", RunSentences},
        {"setup", RunSetup},
        {"add", RunAdd},
        {"derive", RunDerive},
        {"delete", RunDelete},
        {"empty", RunEmpty},
        {"secure", RunSecure},
    };
    return table;
}

struct Invocation {
    Command command = nullptr;
    CommandContext context;
    bool help = false;
};

// setup makes the data source itself; derive only rewrites its text.
bool NeedsDataSource(Command command) { return command != RunSetup && command != RunDerive; }

bool IsHelpOption(const char* arg) { return !std::strcmp(arg, "--help") || !std::strcmp(arg, "-h"); }

Invocation ParseArguments(int argc, char** argv) {
    Invocation invocation;
    invocation.context.connect = CStoreContext::kDefaultConnect;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        if (IsHelpOption(argv[i])) {
            invocation.help = true;
            return invocation;
        }
        if (std::strcmp(argv[i], "--connect") != 0)
            throw UsageError{std::string("unknown option ") + argv[i]};
        if (++i == argc)
            throw UsageError{"--connect needs a connect string"};
        invocation.context.connect = argv[i];
    }
    if (i == argc)
        throw UsageError{"no command given (see --help)"};
    auto found = CommandTable().find(argv[i]);
    if (found == CommandTable().end())
        throw UsageError{std::string("unknown command ") + argv[i] + " (see --help)"};
    invocation.command = found->second;
    invocation.context.args.assign(argv + i + 1, argv + argc);
    for (const std::string& arg : invocation.context.args)
        invocation.help = invocation.help || IsHelpOption(arg.c_str());
    return invocation;
}

}  // namespace

void ConnectStore(CStoreContext& store, const std::string& connect) {
    store.SetConnectString(connect);
    CDatabase probe;
    probe.OpenEx(connect, CDatabase::noOdbcDialog);
    probe.Close();
    store.SetDatabaseAvailable(true);
}

// SQLite says "no such table: Phrase", PostgreSQL 'relation "phrase" does not exist'.
std::string WithInitHint(const std::string& message) {
    const bool missingTable =
        message.find("no such table") != std::string::npos ||
        (message.find("relation \"") != std::string::npos &&
         message.find("\" does not exist") != std::string::npos);
    if (!missingTable)
        return message;
    return message + "\nThe tables are missing: sorrowline-db init creates them.";
}

namespace {

// A command that waits for a lock says so after this long, instead of
// waiting in silence for as long as the driver lets it.
constexpr std::chrono::seconds kQuietWait{1};

std::string LockWaitNotice(long long limitMs) {
    const std::string text = "sorrowline-db: " + LockWaitText(limitMs);
    return limitMs == kNoLockWaitLimit ? text + " (Ctrl+C stops the command)" : text;
}

// Printed on the watch's thread; on a terminal it takes the progress bar's
// line, which the next step redraws below it.
void PrintLockWaitNotice(const CDatabase& db) {
    const char* clearLine = isatty(fileno(stderr)) ? "\r\033[K" : "";
    std::fprintf(stderr, "%s%s\n", clearLine, LockWaitNotice(db.LockWaitLimitMs()).c_str());
    std::fflush(stderr);
}

// The shared phrase set works on the command's store while it runs.
class CBoundPhraseSet {
public:
    explicit CBoundPhraseSet(CStoreContext& store) { thePhraseSet.Bind(store); }
    ~CBoundPhraseSet() { thePhraseSet.Unbind(); }
};

}  // namespace

int main(int argc, char** argv) {
    CWaitWatch waits(kQuietWait, PrintLockWaitNotice);
    CStoreContext store;
    CBoundPhraseSet bound(store);
    try {
        Invocation invocation = ParseArguments(argc, argv);
        if (invocation.help) {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        if (NeedsDataSource(invocation.command))
            ConnectStore(store, invocation.context.connect);
        return invocation.command(store, invocation.context);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "sorrowline-db: %s\n", e.message.c_str());
        return kExitUsage;
    } catch (const CDBException& e) {
        std::fprintf(stderr, "%s\n", WithInitHint(e.m_strError).c_str());
        return kExitFailure;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sorrowline-db: %s\n", e.what());
        return kExitFailure;
    }
}
