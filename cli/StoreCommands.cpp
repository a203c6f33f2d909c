#include <cstdio>

#include "cli/Commands.h"
#include "framework/odbc/Database.h"
#include "store/PhraseRec.h"
#include "store/Schema.h"
#include "store/StoreContext.h"

namespace {

void ExpectNoArguments(const CommandContext& context, const char* command) {
    if (!context.args.empty())
        throw UsageError{std::string(command) + " takes no arguments"};
}

}  // namespace

// The tables, then the configuration row: the user who sets the database up
// owns it.
int RunInit(CStoreContext& store, const CommandContext& context) {
    ExpectNoArguments(context, "init");
    CDatabase db;
    db.OpenEx(context.connect, CDatabase::noOdbcDialog);
    if (!CreateMissingTables(db))
        std::fprintf(stderr,
                     "[Configuration] holds more than one row, left as it is; the owner is the "
                     "one whose row comes first by name.\n");
    store.m_configRecord.Recount();
    return kExitOk;
}

int RunRecount(CStoreContext& store, const CommandContext& context) {
    ExpectNoArguments(context, "recount");
    CConfigRecord& config = store.m_configRecord;
    config.Recount();
    std::printf("Nouns: %d\nVerbs: %d\nAdverbs: %d\nOwner: %s\n", config.m_NumNouns,
                config.m_NumVerbs, config.m_NumAdverbs, config.m_Administrator.c_str());
    return kExitOk;
}

int RunList(CStoreContext& store, const CommandContext& context) {
    ExpectNoArguments(context, "list");
    CPhraseRec phrases(store);
    phrases.m_strSort = "PhraseNumber";
    phrases.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    for (; !phrases.IsEOF(); phrases.MoveNext()) {
        std::printf("%d\t%d\t%s\t%s\t%s\t%s\t%s\t%s\n", phrases.m_PhraseNumber,
                    phrases.m_PhraseType, phrases.m_DateAdded.Format().c_str(),
                    phrases.m_AddedBy.c_str(), phrases.m_OPhrase.c_str(),
                    phrases.m_MPhrase.c_str(), phrases.m_FPhrase.c_str(),
                    phrases.m_PPhrase.c_str());
    }
    return kExitOk;
}
