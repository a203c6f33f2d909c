#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "store/PhraseService.h"

class CMessageSink;
class CStoreContext;
class CTransferProgress;

// The Database dialog's texts as its fields show them.
struct PhraseCountTexts {
    std::string nouns, verbs, adverbs;
};

struct DatabaseFields {
    std::string databaseName;
    PhraseCountTexts counts;
    std::string owner;
};

enum class TransferKind { Export, Load };

// What a transfer's worker works on; it gets its own copy.
struct TransferJob {
    TransferKind kind = TransferKind::Export;
    std::string path;
};

// What a worker hands back at its end: the counts, when a load counted anew.
struct TransferResult {
    struct Counts {
        int32_t nouns = 0, verbs = 0, adverbs = 0;
    };
    std::optional<Counts> counts;
};

enum class MessageIcon { Information, Warning };

// The button an Enter press answers a question with.
enum class DefaultAnswer { Yes, No };

// What the Database dialog's presenter needs from its window.
class IDatabaseView {
public:
    virtual ~IDatabaseView() = default;

    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A Yes/No question with the warning icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title, DefaultAnswer answer) = 0;
    // The platform's file dialog for a data file; false when cancelled.
    virtual bool ChooseDataFile(bool save, std::string& path) = 0;
    virtual void ShowWaitCursor(bool wait) = 0;
    virtual void ShowCounts(const PhraseCountTexts& counts) = 0;
    virtual void EnableTransferButtons(bool enable) = 0;

    // The transfer machinery: the progress dialog, the busy flag that keeps
    // both dialogs open, and the worker, which ends by handing its result
    // to TransferEnded on this thread.
    virtual void OpenProgress(const std::string& status, const std::string& title) = 0;
    virtual void CloseProgress() = 0;
    virtual void SetBusy(bool busy) = 0;
    virtual void StartWorker(const TransferJob& job) = 0;
};

// The rules of the Database dialog: what its fields show, Empty for the
// database's owner (through the phrase service), and a transfer's start
// and end.
class CDatabasePresenter {
public:
    // Counts the phrases of the store anew for the fields.
    CDatabasePresenter(IDatabaseView& view, CStoreContext& store);

    const DatabaseFields& Fields() const { return m_fields; }

    // Deletes every phrase, after the owner has said Yes.
    void Empty();
    // Asks for the file and starts the worker; a cancelled choice starts nothing.
    void StartTransfer(TransferKind kind);
    // The worker's result, on the dialog's thread: the flag cleared, the
    // progress closed, the counts shown anew after a load that counted, the
    // buttons enabled, in that order.
    void TransferEnded(const TransferResult& result);

    // The worker's body: runs the transfer, shows its failures through
    // messages (owned by the dialog) and never throws.
    static TransferResult RunTransfer(CStoreContext& store, const TransferJob& job,
                                      CTransferProgress& progress, CMessageSink& messages);

private:
    void ShowEmptyFailure(const std::string& cause);

    IDatabaseView& m_view;
    CStoreContext& m_store;
    CPhraseService m_service;
    DatabaseFields m_fields;
};
