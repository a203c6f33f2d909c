#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "framework/MessageSink.h"
#include "store/PhraseRec.h"
#include "store/StoreApp.h"
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

// Messages go to stderr; any message means the command failed.
class CStderrMessages : public CMessageSink {
public:
    void ShowWarning(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        m_shown = true;
    }
    bool Shown() const { return m_shown; }

private:
    bool m_shown = false;
};

// A bar with the counter text on stderr, redrawn in place; silent unless
// stderr is a terminal.
class CTerminalProgress : public CTransferProgress {
public:
    CTerminalProgress() : m_enabled(isatty(fileno(stderr))) {}
    ~CTerminalProgress() override {
        if (m_drawn)
            std::fputc('\n', stderr);
    }

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

private:
    void Draw() {
        if (!m_enabled)
            return;
        constexpr int kWidth = 30;
        const int filled = m_total ? static_cast<int>(uint64_t{m_position} * kWidth / m_total) : 0;
        std::fprintf(stderr, "\r[%.*s%*s] %s\033[K", filled, "##############################",
                     kWidth - filled, "", m_text.c_str());
        std::fflush(stderr);
        m_drawn = true;
    }

    bool m_enabled;
    bool m_drawn = false;
    uint32_t m_total = 0;
    uint32_t m_position = 0;
    std::string m_text;
};

const std::string& FileArgument(const CommandContext& context, const char* command) {
    if (context.args.size() != 1)
        throw UsageError{std::string(command) + " takes one file name"};
    return context.args[0];
}

}  // namespace

int RunExport(const CommandContext& context) {
    const std::string& path = FileArgument(context, "export");
    CStderrMessages messages;
    CTerminalProgress progress;
    const bool written = ExportPhraseFile(path, {progress, messages});
    return written && !messages.Shown() ? kExitOk : kExitFailure;
}

int RunImport(const CommandContext& context) {
    const std::string& path = FileArgument(context, "import");
    CStderrMessages messages;
    CTerminalProgress progress;
    // As the Database dialog does on opening: the configuration row must
    // exist before phrases can be counted in.
    GetStoreApp()->m_configRecord.Recount();
    // The phrases are stored through the shared set, which a load expects
    // open; this filter keeps its re-runs from reading any rows.
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.m_NumberParam = 0;
    if (!thePhraseSet.Rerun()) {
        messages.ShowWarning("Error loading data file", "File Error");
        return kExitFailure;
    }
    const ImportResult result = ImportPhraseFile(path, {progress, messages});
    return result.ok && !messages.Shown() ? kExitOk : kExitFailure;
}
