#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "framework/MessageSink.h"
#include "store/PhraseRec.h"
#include "store/StoreContext.h"
#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"
#include "transfer/TransferProgress.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

// A bar with the counter text on stderr, redrawn in place; silent unless
// stderr is a terminal.
class CTerminalProgress : public CTransferProgress {
public:
    CTerminalProgress() : m_enabled(isatty(fileno(stderr))) {}
    ~CTerminalProgress() override { EndLine(); }

    void SetRange(uint32_t total) override {
        m_total = total;
        m_position = 0;
    }
    // Each position comes with its text, which redraws.
    void SetPosition(uint32_t position) override { m_position = position; }
    void SetText(const std::string& text) override {
        m_text = text;
        Draw();
    }

    // Ends the bar's line, so that what comes next starts on a line of its own.
    void EndLine() {
        if (m_midLine)
            std::fputc('\n', stderr);
        m_midLine = false;
    }

private:
    void Draw() {
        if (!m_enabled)
            return;
        constexpr int kWidth = 30;
        const int filled = m_total ? static_cast<int>(uint64_t{m_position} * kWidth / m_total) : 0;
        std::fprintf(stderr, "\r[%.*s%*s] %s\033[K", filled, "##############################",
                     kWidth - filled, "", m_text.c_str());
        std::fflush(stderr);
        m_midLine = true;
    }

    bool m_enabled;
    bool m_midLine = false;
    uint32_t m_total = 0;
    uint32_t m_position = 0;
    std::string m_text;
};

// Messages go to stderr, each below the progress bar; any message means the
// command failed.
class CStderrMessages : public CMessageSink {
public:
    explicit CStderrMessages(CTerminalProgress& progress) : m_progress(progress) {}

    void ShowWarning(const std::string& text, const std::string&) override {
        m_progress.EndLine();
        std::fprintf(stderr, "%s\n", WithInitHint(text).c_str());
        m_shown = true;
    }
    bool Shown() const { return m_shown; }

private:
    CTerminalProgress& m_progress;
    bool m_shown = false;
};

const std::string& FileArgument(const CommandContext& context, const char* command) {
    if (context.args.size() != 1)
        throw UsageError{std::string(command) + " takes one file name"};
    return context.args[0];
}

}  // namespace

int RunExport(CStoreContext& store, const CommandContext& context) {
    const std::string& path = FileArgument(context, "export");
    CTerminalProgress progress;
    CStderrMessages messages(progress);
    const bool written = ExportPhraseFile(store, path, {progress, messages});
    return written && !messages.Shown() ? kExitOk : kExitFailure;
}

int RunImport(CStoreContext& store, const CommandContext& context) {
    const std::string& path = FileArgument(context, "import");
    CTerminalProgress progress;
    CStderrMessages messages(progress);
    // A file that cannot be read stops the command before the database is touched.
    std::unique_ptr<CByteReader> file = OpenPhraseFile(path, messages);
    if (!file)
        return kExitFailure;
    // As the Database dialog does on opening: the configuration row must
    // exist before phrases can be counted in.
    store.m_configRecord.Recount();
    // The phrases are stored through the shared set, which a load expects
    // open; this filter keeps its re-runs from reading any rows.
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.m_NumberParam = 0;
    if (!thePhraseSet.Rerun()) {
        messages.ShowWarning(WithCause("Error loading data file", thePhraseSet.LastError().m_strError),
                             "File Error");
        return kExitFailure;
    }
    const ImportResult result = ImportPhraseFile(store, *file, {progress, messages});
    return result.ok && !messages.Shown() ? kExitOk : kExitFailure;
}
